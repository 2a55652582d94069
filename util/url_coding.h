#pragma once

#include <QString>

namespace zk {

// Every UTF-8 byte of the text as "%" and two lowercase hex digits, letters
// and digits included: "A" gives "%41", a space "%20". A text that is not
// valid Unicode (an unpaired surrogate) is returned unchanged.
QString UrlEncode(const QString& text);

// "%" with two hex digits (either case) becomes that byte, everything else
// stays ("+" too, and "%zz"); the bytes are read as UTF-8. Characters that
// are not ASCII pass through as they are.
QString UrlDecode(const QString& text);

// Standard Base64 (RFC 4648) of GB18030 bytes back to text. White space in
// the input is ignored; input that is not Base64 gives the empty text.
QString Base64DecodeText(const QString& text);

} // namespace zk
