#pragma once

#include "forms/definition/value_forms.h"

#include <QString>
#include <QStringList>

#include <ostream>

// Readable values in the failure messages of the definition and runtime
// tests (found by argument lookup).

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '[' << list.join(QStringLiteral(" | ")).toStdString() << ']';
}

namespace zk {

inline void PrintTo(const DefRect& r, std::ostream* os)
{
    *os << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
}

inline void PrintTo(const RgbColor& c, std::ostream* os)
{
    *os << "rgb(" << c.r << ',' << c.g << ',' << c.b << ')';
}

} // namespace zk
