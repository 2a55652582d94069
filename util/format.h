#pragma once

#include <QString>
#include <QtGlobal>

namespace zk {

// A numeric text as an amount with two decimals and "," between groups of
// three integer digits: "1234567.891" gives "1,234,567.89", "" gives "0.00".
QString FormatThousands(const QString& text);

// Normalises a numeric cell to two decimals ("%.2f" of its decimal real).
// An empty text is left alone and gives false.
bool FormatTwoDecimals(QString& text);

// Drops trailing fractional zeros and a then trailing ".": "12.500" gives
// "12.5", "12.000" gives "12", ".000" gives "0". A text without "." is
// returned unchanged.
QString TrimZeros(const QString& text);

// "r,g,b" in decimal of a colour value whose low byte is red.
QString ColorText(quint32 colour);

} // namespace zk
