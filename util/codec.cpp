#include "util/codec.h"

#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace zk {

namespace {

constexpr char kGb18030[] = "GB18030";
constexpr char16_t kReplacement = 0xFFFD;

const char* Utf16Name()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

// Owns one conversion descriptor for the length of a call.
class Converter {
public:
    Converter(const char* to, const char* from)
        : cd_(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false with errno set when it
    // stopped at a sequence it cannot convert or that is cut off.
    bool Run(const char*& in, size_t& inLeft, char*& out, size_t& outLeft)
    {
        char* src = const_cast<char*>(in);
        const size_t rc = iconv(cd_, &src, &inLeft, &out, &outLeft);
        in = src;
        return rc != static_cast<size_t>(-1);
    }

private:
    iconv_t cd_;
};

bool IsAscii(const char* data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    }
    return true;
}

bool IsAscii(const QString& text)
{
    for (const QChar ch : text) {
        if (ch.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Without a working iconv (a broken installation) the text degrades instead
// of vanishing: ASCII survives, everything else is marked.
QByteArray EncodeAsciiOnly(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text)
        out.append(ch.unicode() < 0x80 ? static_cast<char>(ch.unicode()) : '?');
    return out;
}

QString DecodeAsciiOnly(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        out.append(static_cast<unsigned char>(c) < 0x80 ? QChar(c) : QChar(kReplacement));
    return out;
}

} // namespace

QByteArray ToGb18030(const QString& text)
{
    if (IsAscii(text))
        return text.toLatin1();
    Converter conv(kGb18030, Utf16Name());
    if (!conv.valid())
        return EncodeAsciiOnly(text);

    // One UTF-16 unit never needs more than four GB18030 bytes.
    QByteArray out(text.size() * 4, Qt::Uninitialized);
    const char* in = reinterpret_cast<const char*>(text.utf16());
    size_t inLeft = static_cast<size_t>(text.size()) * sizeof(char16_t);
    char* dst = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    while (inLeft > 0) {
        if (conv.Run(in, inLeft, dst, outLeft))
            break;
        if (errno == E2BIG || outLeft == 0)
            break; // cannot happen with the size above; never overrun
        // EILSEQ or EINVAL: an unpaired surrogate. Mark it and go on.
        *dst++ = '?';
        --outLeft;
        in += sizeof(char16_t);
        inLeft -= sizeof(char16_t);
    }
    out.truncate(dst - out.data());
    return out;
}

QString FromGb18030(const QByteArray& bytes)
{
    if (IsAscii(bytes.constData(), bytes.size()))
        return QString::fromLatin1(bytes);
    Converter conv(Utf16Name(), kGb18030);
    if (!conv.valid())
        return DecodeAsciiOnly(bytes);

    // Every byte gives at most one UTF-16 unit (four bytes give a pair); the
    // extra unit leaves room for a replacement character.
    QString out(bytes.size() + 1, Qt::Uninitialized);
    const char* in = bytes.constData();
    size_t inLeft = static_cast<size_t>(bytes.size());
    char* dst = reinterpret_cast<char*>(out.data());
    char* const start = dst;
    size_t outLeft = static_cast<size_t>(out.size()) * sizeof(char16_t);
    while (inLeft > 0) {
        if (conv.Run(in, inLeft, dst, outLeft))
            break;
        if (errno == E2BIG || outLeft < sizeof(char16_t))
            break;
        // EILSEQ: skip one byte and resynchronise on the next. EINVAL: the
        // text ends inside a sequence; one mark stands for the cut-off rest.
        const char16_t mark = kReplacement;
        std::memcpy(dst, &mark, sizeof(mark));
        dst += sizeof(mark);
        outLeft -= sizeof(mark);
        const size_t skip = errno == EINVAL ? inLeft : 1;
        in += skip;
        inLeft -= skip;
    }
    out.truncate(static_cast<qsizetype>((dst - start) / sizeof(char16_t)));
    return out;
}

bool IsValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int follow = 0;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            follow = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            follow = 2;
            if (c == 0xE0)
                lo = 0xA0; // overlong
            if (c == 0xED)
                hi = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            follow = 3;
            if (c == 0xF0)
                lo = 0x90; // overlong
            if (c == 0xF4)
                hi = 0x8F; // above U+10FFFF
        } else {
            return false;
        }
        if (i + follow >= n)
            return false; // cut off
        if (p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (int k = 2; k <= follow; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += follow + 1;
    }
    return true;
}

QString FromUtf8OrGb18030(const QByteArray& bytes)
{
    return IsValidUtf8(bytes) ? QString::fromUtf8(bytes) : FromGb18030(bytes);
}

} // namespace zk
