#pragma once

#include <QByteArray>
#include <QString>

namespace zk::server {

// The handshake's keys and tokens. A token is a random nonce with its HMAC-SHA256 under a
// secret the server keeps on disk (and under the server key), written in hex. Any
// number of connections may log in with one token, and a token stays valid across
// restarts of the server for as long as the secret file and the key stay the same, so
// running clients reconnect after a restart without a new handshake.
class TokenIssuer {
public:
    // Reads the secret from `path`, creating the file (owner-only) when it is missing. A
    // file that holds no secret is an error, not something to overwrite: tokens issued
    // with it would silently stop working.
    bool Load(const QString& path, const QString& key, QString& error);

    // True when `given` is the server key; the comparison takes the same time wherever
    // the texts differ.
    bool KeyMatches(const QString& given) const;

    QString Issue() const;
    bool Verify(const QString& token) const;

private:
    QByteArray Mac(const QByteArray& nonce) const;

    QByteArray secret_;
    QByteArray keyDigest_;
};

// Compares two byte strings in a time that depends on their lengths only.
bool SameBytes(const QByteArray& a, const QByteArray& b);

} // namespace zk::server
