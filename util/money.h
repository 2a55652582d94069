#pragma once

#include <QString>

namespace zk {

// The Chinese upper-case form of a money amount as written on invoices and
// cheques: 1234.56 gives "壹仟贰佰叁拾肆元伍角陆分", 100 gives "壹佰元整".
// The amount is rounded to cents first; more than 13 integer digits (and a
// value that is not a number) give "出错!". A negative amount gives "负"
// followed by the form of its absolute value.
QString MoneyToChinese(double amount);

// Upper-case numerals for the day, month and year on a cheque: each digit
// by its upper-case name, and a value from 10 to 99 read as tens:
// "2024" gives "贰零贰肆", "03" gives "零叁", "10" gives "零壹拾", "25" gives "贰拾伍".
QString ChequeDigits(const QString& text);

} // namespace zk
