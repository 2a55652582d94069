#pragma once

#include <QString>

#include <functional>

namespace zk {

struct AppLinkState;

// What every server session takes from the application: the server address the login
// resolved (server_ip, server_port) and the session token of the handshake (init_reply).
struct ServerContext {
    QString server_ip;
    int server_port = 0;
    QString init_reply;
};

// The second process-wide setting of the data layer, beside the wait hook: the client
// installs, once at start-up, a provider that reads these members of its application
// object. Sessions call it from whichever thread uses them (UseServer, EnsureOpen, Open),
// so the provider must be safe to call from any thread. Without a provider the context
// is empty: sessions have no address until one is given to their link.
void InstallServerContext(std::function<ServerContext()> provider);

// The provider's answer, or an empty context.
ServerContext CurrentServerContext();

// The context of the application's handshake state.
ServerContext ServerContextOf(const AppLinkState& state);

// Installs a provider for its own lifetime and removes it afterwards.
class ScopedServerContext {
public:
    explicit ScopedServerContext(std::function<ServerContext()> provider)
    {
        InstallServerContext(std::move(provider));
    }
    ~ScopedServerContext() { InstallServerContext({}); }
    ScopedServerContext(const ScopedServerContext&) = delete;
    ScopedServerContext& operator=(const ScopedServerContext&) = delete;
};

} // namespace zk
