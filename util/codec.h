#pragma once

#include <QByteArray>
#include <QString>

namespace zk {

// The Chinese narrow code page of wire data, stored files and peers is
// GB18030: for every GBK character it gives the same bytes as GBK, and it
// covers the rest of Unicode as well.

// Text to GB18030 bytes. A character that cannot be encoded (a lone
// surrogate) becomes "?"; the rest of the text is kept.
QByteArray ToGb18030(const QString& text);

// GB18030 bytes to text. Each invalid or truncated sequence becomes U+FFFD;
// decoding goes on after it.
QString FromGb18030(const QByteArray& bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF). Plain ASCII is valid UTF-8.
bool IsValidUtf8(const QByteArray& bytes);

// Bytes of unknown origin: UTF-8 when they are valid UTF-8, else GB18030.
QString FromUtf8OrGb18030(const QByteArray& bytes);

} // namespace zk
