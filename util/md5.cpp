#include "util/md5.h"

#include "util/codec.h"

#include <cstring>
#include <new>

namespace zk {

namespace {

constexpr qsizetype kBlockSize = 64;
constexpr qsizetype kMessageLimit = 49;

constexpr std::array<std::uint32_t, 64> kSine = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

constexpr std::array<int, 64> kShift = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                        5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                        4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                        6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

std::uint32_t RotateLeft(std::uint32_t x, int n)
{
    return (x << n) | (x >> (32 - n));
}

std::uint32_t LoadLittleEndian(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

void StoreLittleEndian(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

} // namespace

void CMd5::Fail(const QString& message)
{
    if (ok)
        errorMessage = message.left(kMessageLimit);
    ok = false;
}

void CMd5::Compress(const unsigned char* chunk)
{
    std::array<std::uint32_t, 16> m{};
    for (int i = 0; i < 16; ++i)
        m[i] = LoadLittleEndian(chunk + 4 * i);
    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (int i = 0; i < 64; ++i) {
        std::uint32_t f = 0;
        int g = 0;
        switch (i / 16) {
        case 0:
            f = (b & c) | (~b & d);
            g = i;
            break;
        case 1:
            f = (d & b) | (~d & c);
            g = (5 * i + 1) % 16;
            break;
        case 2:
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
            break;
        default:
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
            break;
        }
        const std::uint32_t next = b + RotateLeft(a + f + kSine[i] + m[g], kShift[i]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

bool CMd5::Digest(const QString& text)
{
    return DigestBytes(ToGb18030(text));
}

bool CMd5::DigestBytes(const QByteArray& bytes)
{
    done_ = false;
    block_.reset(new (std::nothrow) unsigned char[kBlockSize]);
    if (!block_) {
        Fail(QStringLiteral("The Memory is not enough !"));
        return true;
    }
    state_ = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype whole = bytes.size() / kBlockSize * kBlockSize;
    for (qsizetype at = 0; at < whole; at += kBlockSize)
        Compress(data + at);

    // Padding: 0x80, zeros, then the length in bits (little-endian, 64 bits).
    const qsizetype rest = bytes.size() - whole;
    std::memset(block_.get(), 0, kBlockSize);
    std::memcpy(block_.get(), data + whole, static_cast<size_t>(rest));
    block_[rest] = 0x80;
    if (rest > 55) {
        Compress(block_.get());
        std::memset(block_.get(), 0, kBlockSize);
    }
    const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
    StoreLittleEndian(block_.get() + 56, static_cast<std::uint32_t>(bits));
    StoreLittleEndian(block_.get() + 60, static_cast<std::uint32_t>(bits >> 32));
    Compress(block_.get());
    done_ = true;
    return true;
}

QString CMd5::Result()
{
    if (!done_ || !ok) {
        Fail(QStringLiteral("Have something wrong with MD5!"));
        return QString();
    }
    unsigned char digest[16];
    for (int i = 0; i < 4; ++i)
        StoreLittleEndian(digest + 4 * i, state_[i]);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(digest), 16).toHex());
}

QString Md5Text(const QString& text)
{
    CMd5 md5;
    md5.Digest(text);
    return md5.Result();
}

} // namespace zk
