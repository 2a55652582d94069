#include "data/backends/statement_text.h"

#include "data/sql/sql_tokenizer.h"

namespace zk {

namespace {

using sql::Token;
using sql::TokenKind;
using sql::Word;

// The name inside quotes or brackets, or the word itself.
QString NameText(QStringView sql, const Token& t)
{
    const QStringView text = sql.mid(t.pos, t.len);
    if ((t.kind == TokenKind::Quoted || t.kind == TokenKind::Bracketed) && text.size() >= 2)
        return text.mid(1, text.size() - 2).toString();
    return text.toString();
}

bool IsName(const Token& t)
{
    return t.kind == TokenKind::Word || t.kind == TokenKind::Quoted ||
           t.kind == TokenKind::Bracketed;
}

std::vector<Token> Significant(QStringView sql)
{
    std::vector<Token> tokens;
    for (const Token& t : sql::Tokenize(sql)) {
        if (!sql::IsTrivia(t.kind))
            tokens.push_back(t);
    }
    return tokens;
}

} // namespace

QStringList SplitStatements(const QString& script)
{
    QStringList statements;
    int start = 0;
    bool content = false;
    const std::vector<Token> tokens = sql::Tokenize(script);
    for (const Token& t : tokens) {
        if (t.kind == TokenKind::Semicolon) {
            if (content)
                statements.append(script.mid(start, t.pos - start));
            start = t.pos + t.len;
            content = false;
        } else if (!sql::IsTrivia(t.kind)) {
            content = true;
        }
    }
    if (content)
        statements.append(script.mid(start));
    return statements;
}

InsertTarget ReadInsertTarget(const QString& statement)
{
    InsertTarget target;
    const std::vector<Token> t = Significant(statement);
    size_t k = 0;
    if (t.size() < 3 || t[k].word != Word::Insert)
        return target;
    ++k;
    if (t[k].word == Word::Into)
        ++k;
    if (k >= t.size() || !IsName(t[k]))
        return target;
    target.isInsert = true;
    const int tableStart = t[k].pos;
    int tableEnd = t[k].pos + t[k].len;
    ++k;
    while (k + 1 < t.size() && t[k].kind == TokenKind::Dot && IsName(t[k + 1])) {
        tableEnd = t[k + 1].pos + t[k + 1].len;
        k += 2;
    }
    target.table = statement.mid(tableStart, tableEnd - tableStart);
    if (k < t.size() && t[k].kind == TokenKind::LParen) {
        target.hasColumns = true;
        for (++k; k < t.size() && t[k].kind != TokenKind::RParen; ++k) {
            if (IsName(t[k]))
                target.columns.append(NameText(statement, t[k]));
        }
    }
    return target;
}

QHash<QString, QString> NameSpellings(const QString& sql)
{
    QHash<QString, QString> spellings;
    for (const Token& t : sql::Tokenize(sql)) {
        if (IsName(t)) {
            const QString name = NameText(sql, t);
            const QString key = name.toLower();
            if (!spellings.contains(key))
                spellings.insert(key, name);
        }
    }
    return spellings;
}

} // namespace zk
