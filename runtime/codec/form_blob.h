#pragma once

#include <QByteArray>
#include <QString>

// The stored form of a form definition (column form_0 of the menu tables): a
// 5-byte header, the decoded length N (32-bit little-endian) and the code width
// w, then a stream of w-bit codes, least significant bit first, starting at
// byte 5. The codes are an LZW variant with a fixed width, no clear code and an
// implicit dictionary of (start, length) ranges of the output itself. The
// decoded bytes are the definition text in UTF-16LE.

namespace zk {

// A decoded definition larger than this is refused before anything is
// allocated: no real form comes near it, a damaged header easily does.
inline constexpr qsizetype kFormBlobMaxDecodedSize = qsizetype(256) * 1024 * 1024;

// Code widths the decoder accepts. Codes below 256 are literals, so at least 9
// bits are needed; a code is read from one 32-bit word shifted by up to 7 bits,
// which leaves room for 25, and 24 keeps a margin.
inline constexpr int kFormBlobMinWidth = 9;
inline constexpr int kFormBlobMaxWidth = 24;

// Widths the encoder writes. 12 is a good default for definition texts: wider
// codes only pay off for texts of several MiB.
inline constexpr int kFormBlobMaxEncodeWidth = 16;

// Decodes a form blob into its N bytes. On failure the result is empty, *ok is
// false and *errorText says why: a header that is too short, a code width out
// of range, a decoded length the blob cannot hold, or a code stream that ends
// before N bytes are produced. Strings of a damaged stream that would run past
// N are cut at N. Never reads or writes outside its buffers.
QByteArray DecodeFormBlob(const QByteArray& blob, bool* ok = nullptr, QString* errorText = nullptr);

// Decodes a blob and takes its bytes as UTF-16LE text up to the first NUL
// character, at most N / 2 characters (an odd last byte is ignored).
QString DecodeFormText(const QByteArray& blob, bool* ok = nullptr, QString* errorText = nullptr);

// The code width that gives the smallest blob for a text of this many bytes
// (measured on definition texts): about 10 bits for 1 KB, 12 for 16 KB, 16
// for 1 MiB and more. Larger widths also decode faster on large texts. Tools
// that store definitions pass it to the encoders below.
int SuitableFormBlobWidth(qsizetype byteCount);

// Encodes bytes as a form blob with a fixed code width of 9 to 16 bits. The
// codes follow exactly the decoder's dictionary rule, so DecodeFormBlob gives
// the input back. Empty input gives the header with N = 0 followed by one zero
// first code (the first code is always present, so every reader of the format
// finds its first literal byte). Returns an empty array for a width out of
// range or an input larger than kFormBlobMaxDecodedSize; any valid blob is at
// least 6 bytes long.
QByteArray EncodeFormBlob(const QByteArray& bytes, int width = 12);

// Encodes a text as UTF-16LE bytes (no byte-order mark, no terminator). A text
// with a NUL character decodes back only up to that character.
QByteArray EncodeFormText(const QString& text, int width = 12);

} // namespace zk
