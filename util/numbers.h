#pragma once

#include <QString>

namespace zk {

// Decimal integer of the leading part of a text: leading white space is
// skipped, an optional sign and the decimal digits after it are read, and
// reading stops at the first other character. No digits give 0; a value
// beyond the range of int is held at the nearest bound.
int ToInt(const QString& text);

// Decimal real of the leading part of a text, read like ToInt but with an
// optional fraction (".5" and "5." count) and an optional exponent ("e" or
// "E", optional sign, digits). The decimal point is always ".", whatever the
// locale. No digits give 0; a value too large for a double gives +/-infinity.
double ToReal(const QString& text);

// The value written like "%.<decimals>f" (C locale). A value that rounds to
// zero is written without a minus sign: -0.001 gives "0.00", not "-0.00".
QString FixedText(double value, int decimals);

} // namespace zk
