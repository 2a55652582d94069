#include "runtime/codec/form_blob.h"

#include <QtEndian>
#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zk {

namespace {

constexpr int kHeaderSize = 5;

// A dictionary entry names a range of the output written so far.
struct Entry {
    quint32 start;
    quint32 length;
};

struct Header {
    quint32 decodedSize = 0;
    int width = 0;
};

bool Fail(bool* ok, QString* errorText, const QString& text)
{
    if (ok)
        *ok = false;
    if (errorText)
        *errorText = text;
    return false;
}

// Complete codes the blob holds after the first one.
quint64 CodesAfterFirst(qsizetype blobSize, int width)
{
    const quint64 bits = quint64(blobSize) * 8;
    const quint64 first = quint64(kHeaderSize) * 8 + width;
    return bits >= first ? (bits - first) / width : 0;
}

// The most bytes m further codes can produce after the first literal: every
// string is at most one byte longer than the longest before it.
quint64 MaxDecodable(quint64 codes)
{
    codes = std::min<quint64>(codes, quint64(1) << 31);
    return (codes + 1) * (codes + 2) / 2;
}

bool ReadHeader(const QByteArray& blob, Header* header, bool* ok, QString* errorText)
{
    if (blob.size() < kHeaderSize)
        return Fail(ok, errorText,
                    QStringLiteral("表单数据损坏：只有%1字节，不足5字节的头部").arg(blob.size()));
    header->decodedSize = qFromLittleEndian<quint32>(blob.constData());
    header->width = uchar(blob.at(4));
    if (header->decodedSize == 0)
        return true;
    if (header->width < kFormBlobMinWidth || header->width > kFormBlobMaxWidth)
        return Fail(ok, errorText,
                    QStringLiteral("表单数据损坏：码宽%1位无效（应为%2到%3位）")
                        .arg(header->width)
                        .arg(kFormBlobMinWidth)
                        .arg(kFormBlobMaxWidth));
    if (blob.size() < kHeaderSize + 1)
        return Fail(ok, errorText, QStringLiteral("表单数据损坏：缺少第一个字节"));
    if (header->decodedSize > quint64(kFormBlobMaxDecodedSize))
        return Fail(ok, errorText,
                    QStringLiteral("表单数据损坏：解码长度%1字节过大").arg(header->decodedSize));
    if (header->decodedSize > MaxDecodable(CodesAfterFirst(blob.size(), header->width)))
        return Fail(ok, errorText,
                    QStringLiteral("表单数据损坏：解码长度%1字节超出%2字节的数据所能容纳的长度")
                        .arg(header->decodedSize)
                        .arg(blob.size()));
    return true;
}

// Strings are copied in 16-byte chunks, so the output keeps this much room
// past the bytes written, and the literal table past its 256 bytes.
constexpr quint32 kSlack = 32;

// The output grows with the data instead of being allocated at N up front, so
// a damaged length costs only what the stream really produces. Returns the
// buffer's data and sets *room to the bytes usable before the slack.
Q_NEVER_INLINE uchar* Grow(QByteArray* buffer, quint64 needed, quint32 size, quint64* room)
{
    const quint64 grown = std::max<quint64>(needed, quint64(buffer->size()) * 2);
    buffer->resize(qsizetype(std::min<quint64>(grown, size) + kSlack));
    *room = quint64(buffer->size()) - kSlack;
    return reinterpret_cast<uchar*>(buffer->data());
}

// The 32-bit word at byte, from the bytes that exist near the end.
Q_NEVER_INLINE quint32 TailWord(const uchar* data, qsizetype size, qsizetype byte)
{
    quint32 word = 0;
    for (qsizetype k = 0; k < 4 && byte + k < size; ++k)
        word |= quint32(data[byte + k]) << (8 * k);
    return word;
}

// Entry starts below 256 name this table, so that a literal is one more entry
// and the common path does not branch on the kind of code.
struct LiteralTable {
    uchar bytes[256 + kSlack];
    constexpr LiteralTable()
        : bytes()
    {
        for (int c = 0; c < 256; ++c)
            bytes[c] = uchar(c);
    }
};
constexpr LiteralTable kLiterals;

// Where an entry's bytes are: in the literal table or in the output. Chosen
// without a branch: literals and entries alternate unpredictably.
inline const uchar* Source(quint32 start, const uchar* out)
{
    const quintptr literals = quintptr(kLiterals.bytes);
    const quintptr output = quintptr(out) - 256;
    const quintptr isOutput = quintptr(0) - quintptr(start >= 256);
    return reinterpret_cast<const uchar*>((literals ^ ((literals ^ output) & isOutput)) + start);
}

// Copies n bytes whose source ends at or before the destination. Bytes read
// past the source's end land past the destination's end, where later strings
// overwrite them.
inline void CopyString(uchar* to, const uchar* from, quint32 n)
{
    uchar chunk[16];
    std::memcpy(chunk, from, 16);
    std::memcpy(to, chunk, 16);
    // clang-format off
    for (quint32 k = 16; k < n; k += 16) [[unlikely]] {
        std::memcpy(chunk, from + k, 16);
        std::memcpy(to + k, chunk, 16);
    }
    // clang-format on
}

// Runs the code stream after the first literal into *buffer and returns how
// many bytes it produced: n, or fewer when the stream ends too early. Every
// value the loop needs is a local, so that byte stores into the output do not
// force them back out of registers.
template <int kWidth>
quint32 RunCodes(const QByteArray& blob, int runtimeWidth, quint32 n, QByteArray* buffer)
{
    // The usual widths are compile-time constants, which keeps the loop's
    // state in registers; other widths run the same loop with a variable.
    const int width = kWidth > 0 ? kWidth : runtimeWidth;
    const auto* const data = reinterpret_cast<const uchar*>(blob.constData());
    const qsizetype size = blob.size();
    const quint64 totalBits = quint64(size) * 8;
    // Below this bit position a whole 32-bit word lies inside the blob.
    const quint64 fastEnd = size > 4 ? quint64(size - 4) * 8 : 0;
    const quint32 mask = (quint32(1) << width) - 1;
    quint64 position = quint64(kHeaderSize) * 8 + width;

    // Entries 0..255 are the literals, the dictionary follows them; entry
    // starts from 256 on are output offsets + 256.
    const quint32 capacity = (quint32(1) << width) - 256;
    const quint64 codes = std::min<quint64>(CodesAfterFirst(size, width), n);
    std::vector<Entry> entries(256 + std::min<quint64>(capacity, codes));
    Entry* const table = entries.data();
    for (quint32 c = 0; c < 256; ++c)
        table[c] = Entry{c, 1};

    buffer->resize(qsizetype(std::min<quint64>(n, quint64(size) * 16 + 64 * 1024) + kSlack));
    quint64 room = quint64(buffer->size()) - kSlack;
    auto* out = reinterpret_cast<uchar*>(buffer->data());
    // The first code is always a literal: its low 8 bits are byte 5.
    out[0] = data[kHeaderSize];
    quint32 i = 1;
    // The string written last spans [last, i). The entry each code defines
    // is that string plus the first byte of the next, so the pending entry of
    // the format is always (last, i - last + 1) and needs no state of its own.
    quint32 last = 0;
    quint32 used = 0; // dictionary entries

    while (i < n) {
        quint32 word = 0;
        if (position < fastEnd) [[likely]] {
            word = qFromLittleEndian<quint32>(data + (position >> 3));
        } else {
            if (position + width > totalBits)
                break;
            word = TailWord(data, size, qsizetype(position >> 3));
        }
        const quint32 code = (word >> (position & 7)) & mask;
        position += width;
        if (used == capacity)
            used = 0;
        quint32 length = 0;
        if (code < 256 + used) [[likely]] {
            const Entry entry = table[code];
            length = std::min(entry.length, n - i);
            if (i + length > room) [[unlikely]]
                out = Grow(buffer, quint64(i) + length, n, &room);
            CopyString(out + i, Source(entry.start, out), length);
        } else {
            // The entry being defined right now (or, in a damaged stream, any
            // code past the dictionary): the previous string followed by its
            // own first byte.
            const quint32 k = i - last;
            length = std::min(k + 1, n - i);
            if (i + length > room)
                out = Grow(buffer, quint64(i) + length, n, &room);
            CopyString(out + i, out + last, std::min(k, length));
            if (length > k)
                out[i + k] = out[last];
        }
        // The pending entry: the previous string and the first byte of this one.
        table[256 + used] = Entry{256 + last, i - last + 1};
        ++used;
        last = i;
        i += length;
    }
    return i;
}

} // namespace

QByteArray DecodeFormBlob(const QByteArray& blob, bool* ok, QString* errorText)
{
    Header header;
    if (!ReadHeader(blob, &header, ok, errorText))
        return {};
    if (ok)
        *ok = true;
    if (errorText)
        errorText->clear();
    const quint32 n = header.decodedSize;
    if (n == 0)
        return QByteArray();

    QByteArray buffer;
    quint32 decoded = 0;
    switch (header.width) {
    case 9:
        decoded = RunCodes<9>(blob, 9, n, &buffer);
        break;
    case 10:
        decoded = RunCodes<10>(blob, 10, n, &buffer);
        break;
    case 11:
        decoded = RunCodes<11>(blob, 11, n, &buffer);
        break;
    case 12:
        decoded = RunCodes<12>(blob, 12, n, &buffer);
        break;
    case 13:
        decoded = RunCodes<13>(blob, 13, n, &buffer);
        break;
    case 14:
        decoded = RunCodes<14>(blob, 14, n, &buffer);
        break;
    case 15:
        decoded = RunCodes<15>(blob, 15, n, &buffer);
        break;
    case 16:
        decoded = RunCodes<16>(blob, 16, n, &buffer);
        break;
    default:
        decoded = RunCodes<0>(blob, header.width, n, &buffer);
        break;
    }
    if (decoded < n) {
        Fail(ok, errorText,
             QStringLiteral("表单数据不完整：%1字节的数据只解出%2字节，应有%3字节")
                 .arg(blob.size())
                 .arg(decoded)
                 .arg(n));
        return {};
    }
    buffer.resize(n);
    return buffer;
}

QString DecodeFormText(const QByteArray& blob, bool* ok, QString* errorText)
{
    const QByteArray bytes = DecodeFormBlob(blob, ok, errorText);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype chars = bytes.size() / 2;
    qsizetype length = 0;
    while (length < chars && (data[2 * length] | data[2 * length + 1]) != 0)
        ++length;
    QString text(length, Qt::Uninitialized);
    char16_t* units = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype c = 0; c < length; ++c)
        units[c] = char16_t(data[2 * c] | (data[2 * c + 1] << 8));
    return text;
}

} // namespace zk
