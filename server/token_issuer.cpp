#include "server/token_issuer.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QSaveFile>

namespace zk::server {

namespace {

constexpr int kSecretBytes = 32;
constexpr int kNonceBytes = 16;
constexpr int kMacBytes = 32;

QByteArray RandomBytes(int count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    QRandomGenerator* generator = QRandomGenerator::system();
    for (int i = 0; i < count; ++i)
        bytes[i] = char(generator->bounded(256));
    return bytes;
}

QByteArray KeyDigest(const QString& key)
{
    return QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256);
}

bool CreateSecret(const QString& path, QString& error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        file.write(RandomBytes(kSecretBytes).toHex() + '\n');
        if (file.commit())
            return true;
    }
    error = QStringLiteral("cannot write the secret %1: %2").arg(path, file.errorString());
    return false;
}

} // namespace

bool SameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char differ = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        differ |= static_cast<unsigned char>(a[i] ^ b[i]);
    return differ == 0;
}

bool TokenIssuer::Load(const QString& path, const QString& key, QString& error)
{
    if (!QFileInfo::exists(path) && !CreateSecret(path, error))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read the secret %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray text = file.readAll().trimmed();
    const QByteArray secret = QByteArray::fromHex(text);
    if (secret.size() < kSecretBytes || secret.toHex() != text.toLower()) {
        error = QStringLiteral("%1 holds no secret (at least %2 bytes in hex)")
                    .arg(path)
                    .arg(kSecretBytes);
        return false;
    }
    secret_ = secret;
    keyDigest_ = KeyDigest(key);
    return true;
}

bool TokenIssuer::KeyMatches(const QString& given) const
{
    // Equal-length digests: the time tells nothing about where the texts differ.
    return SameBytes(KeyDigest(given), keyDigest_);
}

QByteArray TokenIssuer::Mac(const QByteArray& nonce) const
{
    // The key takes part, so changing the server key also retires the tokens issued under it.
    return QMessageAuthenticationCode::hash(nonce + keyDigest_, secret_,
                                            QCryptographicHash::Sha256);
}

QString TokenIssuer::Issue() const
{
    const QByteArray nonce = RandomBytes(kNonceBytes);
    return QString::fromLatin1((nonce + Mac(nonce)).toHex());
}

bool TokenIssuer::Verify(const QString& token) const
{
    const QByteArray text = token.toLatin1();
    const QByteArray bytes = QByteArray::fromHex(text);
    if (bytes.size() != kNonceBytes + kMacBytes || bytes.toHex() != text.toLower())
        return false;
    return SameBytes(Mac(bytes.left(kNonceBytes)), bytes.mid(kNonceBytes));
}

} // namespace zk::server
