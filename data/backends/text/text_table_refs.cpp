#include "data/backends/text/text_table_refs.h"

#include "data/sql/sql_tokenizer.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

using sql::Token;
using sql::TokenKind;

// NAME.txt or NAME#csv: the file name NAME.ext, or empty.
QString FileOf(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(.+)[.#](txt|csv)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(text);
    return m.hasMatch() ? m.captured(1) + u'.' + m.captured(2) : QString();
}

bool IsExtension(QStringView text)
{
    return text.compare(u"txt"_s, Qt::CaseInsensitive) == 0 ||
           text.compare(u"csv"_s, Qt::CaseInsensitive) == 0;
}

} // namespace

TextTableRefs FindTextTables(const QString& sql,
                             const std::function<QString(const QString&)>& resolve)
{
    TextTableRefs refs;
    const std::vector<Token> tokens = sql::Tokenize(sql);
    const QStringView text(sql);
    int copied = 0;
    auto replace = [&](int start, int end, const QString& file) {
        const QString name = resolve(file);
        refs.sql += text.mid(copied, start - copied);
        refs.sql += u'[' + name + u']';
        copied = end;
        if (!refs.files.contains(name))
            refs.files.append(name);
    };
    for (size_t k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        const QStringView piece = text.mid(t.pos, t.len);
        if ((t.kind == TokenKind::Bracketed || t.kind == TokenKind::Quoted) && t.len > 2) {
            const QString file = FileOf(piece.mid(1, piece.size() - 2).toString());
            if (!file.isEmpty())
                replace(t.pos, t.pos + t.len, file);
        } else if (t.kind == TokenKind::Word) {
            const QString file = FileOf(piece.toString());
            if (!file.isEmpty() && piece.contains(u'#')) {
                replace(t.pos, t.pos + t.len, file);
            } else if (k + 2 < tokens.size() && tokens[k + 1].kind == TokenKind::Dot &&
                       tokens[k + 2].kind == TokenKind::Word &&
                       tokens[k + 1].pos == t.pos + t.len &&
                       tokens[k + 2].pos == tokens[k + 1].pos + 1 &&
                       IsExtension(text.mid(tokens[k + 2].pos, tokens[k + 2].len)) &&
                       (k == 0 || tokens[k - 1].kind != TokenKind::Dot)) {
                const int end = tokens[k + 2].pos + tokens[k + 2].len;
                replace(t.pos, end,
                        piece.toString() + u'.' +
                            text.mid(tokens[k + 2].pos, tokens[k + 2].len).toString());
                k += 2;
            }
        }
    }
    refs.sql += text.mid(copied);
    return refs;
}

} // namespace zk
