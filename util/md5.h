#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace zk {

// The MD5 digest (RFC 1321) of a text's GB18030 bytes, one digest per
// object. Passwords are digested this way, so the bytes must stay those of
// the Chinese code page, not UTF-8.
//
//     CMd5 md5;
//     md5.Digest(password);
//     const QString hex = md5.Result(); // 32 lowercase hexadecimal digits
//
// Failures are recorded, not reported: `ok` turns false and `errorMessage`
// holds the first message ("The Memory is not enough !",
// "Have something wrong with MD5!").
class CMd5 {
public:
    bool ok = true;
    QString errorMessage; // at most 49 characters

    // Digests the text; true (failures are recorded in ok/errorMessage).
    bool Digest(const QString& text);
    // Digests bytes as they are.
    bool DigestBytes(const QByteArray& bytes);

    // The digest as 32 lowercase hexadecimal digits; the empty text, with a
    // recorded message, when no digest was made or it failed.
    QString Result();

private:
    void Fail(const QString& message);
    void Compress(const unsigned char* chunk);

    std::unique_ptr<unsigned char[]> block_; // 64-byte working buffer
    std::array<std::uint32_t, 4> state_{};
    bool done_ = false;
};

// Convenience: the digest of a text's GB18030 bytes as 32 lowercase hex digits.
QString Md5Text(const QString& text);

} // namespace zk
