#include "util/sql_text.h"

namespace zk {

namespace {

const QString kQuote = QStringLiteral("'");
const QString kDoubledQuote = QStringLiteral("''");
const QString kDoubleQuote = QStringLiteral("\"");
const QString kBracketedDoubleQuote = QStringLiteral("[\"]");

} // namespace

// A text such as " N'abc" is escaped like any other: every quote it holds
// stays doubled. Turning " N''" back into " N'" would let a user who types
// " N'" end the literal early and append statements of their own.
void EscapeSql(QString& text)
{
    text.replace(kQuote, kDoubledQuote);
    text.replace(QStringLiteral("["), QStringLiteral("[[]"));
    text.replace(kDoubleQuote, kBracketedDoubleQuote);
}

QString EscapeSqlText(const QString& text)
{
    QString result = text;
    result.replace(kQuote, kDoubledQuote);
    result.replace(kDoubleQuote, kBracketedDoubleQuote);
    return result;
}

} // namespace zk
