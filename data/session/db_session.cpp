#include "data/session/db_session.h"

#include "data/backends/backend.h"
#include "data/session/backend_factory.h"
#include "data/session/connection_string.h"
#include "data/session/link_server_ops.h"
#include "data/session/session_texts.h"

#include <utility>

namespace zk {

// Every session has its own server link, pointed at the application's server.
CDbSession::CDbSession()
    : server_(std::make_unique<LinkServerOps>())
{
}

CDbSession::~CDbSession() = default;

void CDbSession::SetServerOps(std::unique_ptr<ServerOps> ops)
{
    server_ = std::move(ops);
}

bool CDbSession::ServerMissing()
{
    errorText = texts::kServerFault;
    return false;
}

void CDbSession::SetConnectionString(const QString& connection)
{
    connection_ = connection;
    useServer = connection.isEmpty();
}

void CDbSession::UseServer()
{
    useServer = true;
    if (server_)
        server_->UseServer(*this);
}

void CDbSession::ConfigureServer()
{
    if (server_)
        server_->ConfigureServer(*this);
    else
        useServer = true;
}

void CDbSession::OpenFailed(int state, const QString& text, const QString& detail)
{
    lastState = state;
    errorText = text;
    errorDetail = detail;
    isOpen_ = false;
}

bool CDbSession::OpenDirect()
{
    if (connection_.isEmpty()) {
        errorText = texts::kEmptyConnection;
        isOpen_ = false;
        return false;
    }
    // Opening again starts from a fresh connection.
    backend_.reset();
    isOpen_ = false;
    connection_ = ResolveSqlServerAddress(connection_);
    QString text;
    QString detail;
    std::unique_ptr<Backend> backend =
        MakeBackend(connection_, ParseConnectionTarget(connection_), text, detail);
    dbType = backend ? backend->DbType() : LegacyDbType(connection_);
    if (!backend) {
        OpenFailed(0, text, detail);
        return false;
    }
    QString error;
    switch (backend->Open(error)) {
    case Backend::OpenResult::Unreachable:
        OpenFailed(0, texts::kConnectFailed, error);
        return false;
    case Backend::OpenResult::Failed:
        OpenFailed(-1, texts::kConnectException, error);
        return false;
    case Backend::OpenResult::Ok:
        break;
    }
    backend_ = std::move(backend);
    isOpen_ = true;
    return true;
}

bool CDbSession::Open()
{
    if (useServer) {
        if (!server_)
            return ServerMissing();
        return server_->Open(*this);
    }
    return OpenDirect();
}

bool CDbSession::EnsureOpen()
{
    if (IsOpen())
        return true;
    if (useServer) {
        connection_.clear();
        if (server_)
            server_->UseServer(*this);
    }
    return Open();
}

void CDbSession::Close()
{
    isOpen_ = false;
    if (useServer) {
        if (server_)
            server_->Close(*this);
        return;
    }
    connection_.clear();
    backend_.reset();
}

bool CDbSession::IsOpen() const
{
    if (useServer)
        return server_ && server_->IsOpen(*this);
    return isOpen_;
}

QString CDbSession::GetDbType()
{
    if (useServer)
        return server_ ? server_->GetDbType(*this) : QStringLiteral("0");
    return QString::number(dbType);
}

bool CDbSession::Transaction(bool (ServerOps::*server)(CDbSession&),
                             bool (Backend::*direct)(QString&))
{
    if (useServer)
        return server_ ? (server_.get()->*server)(*this) : ServerMissing();
    QString error = texts::kNotConnected;
    if (backend_ && (backend_.get()->*direct)(error))
        return true;
    errorDetail = error;
    return false;
}

bool CDbSession::BeginTrans()
{
    return Transaction(&ServerOps::BeginTrans, &Backend::Begin);
}

bool CDbSession::CommitTrans()
{
    return Transaction(&ServerOps::CommitTrans, &Backend::Commit);
}

bool CDbSession::RollbackTrans()
{
    return Transaction(&ServerOps::RollbackTrans, &Backend::Rollback);
}

QString CDbSession::GetClientIp()
{
    if (useServer) {
        if (server_)
            return server_->GetClientIp(*this);
        ServerMissing();
        return QStringLiteral("0");
    }
    return {};
}

QString CDbSession::CallServer(const QString& text)
{
    if (useServer) {
        if (server_)
            return server_->CallServer(*this, text);
        ServerMissing();
    }
    return QStringLiteral("0");
}

} // namespace zk
