#include "data/session/select_parts.h"

#include "data/sql/sql_tokenizer.h"

#include <vector>

namespace zk {

namespace {

using sql::Token;
using sql::TokenKind;
using sql::Word;

bool IsName(const Token& t)
{
    return (t.kind == TokenKind::Word && !sql::IsReserved(t.word)) || t.kind == TokenKind::Quoted ||
           t.kind == TokenKind::Bracketed;
}

// The significant tokens of the first statement outside parentheses; `limit` is where the
// statement ends.
std::vector<Token> TopLevel(const QString& sql, int& limit)
{
    std::vector<Token> out;
    int depth = 0;
    limit = static_cast<int>(sql.size());
    for (const Token& t : sql::Tokenize(sql)) {
        if (sql::IsTrivia(t.kind))
            continue;
        if (t.kind == TokenKind::Semicolon && depth == 0) {
            limit = t.pos;
            break;
        }
        if (t.kind == TokenKind::RParen)
            --depth;
        if (depth == 0)
            out.push_back(t);
        if (t.kind == TokenKind::LParen)
            ++depth;
    }
    return out;
}

bool EndsFrom(const Token& t)
{
    return t.word == Word::Where || t.word == Word::Group || t.word == Word::Order ||
           t.word == Word::Having || t.word == Word::Union || t.word == Word::Except ||
           t.word == Word::Intersect || t.word == Word::Limit;
}

} // namespace

SelectParts ReadSelectParts(const QString& sql)
{
    SelectParts parts;
    int limit = 0;
    const std::vector<Token> t = TopLevel(sql, limit);
    const size_t n = t.size();
    size_t k = 0;
    while (k < n && t[k].word != Word::From)
        ++k;
    if (++k >= n || !IsName(t[k]))
        return parts;
    const int fromStart = t[k].pos;
    int tableEnd = t[k].pos + t[k].len;
    for (++k; k + 1 < n && t[k].kind == TokenKind::Dot && IsName(t[k + 1]); k += 2)
        tableEnd = t[k + 1].pos + t[k + 1].len;
    parts.table = sql.mid(fromStart, tableEnd - fromStart);
    parts.qualifier = parts.table;
    if (k < n && t[k].word == Word::As)
        ++k;
    if (k < n && IsName(t[k]))
        parts.qualifier = sql.mid(t[k].pos, t[k].len);
    while (k < n && !EndsFrom(t[k]))
        ++k;
    const int fromEnd = k < n ? t[k].pos : limit;
    parts.from = sql.mid(fromStart, fromEnd - fromStart).trimmed();
    auto clauseEnd = [&](size_t from, auto stop) {
        size_t j = from;
        while (j < n && !stop(t[j]))
            ++j;
        return j < n ? t[j].pos : limit;
    };
    if (k < n && t[k].word == Word::Where) {
        const int start = t[k].pos + t[k].len;
        const int end =
            clauseEnd(k + 1, [](const Token& x) { return EndsFrom(x) && x.word != Word::Where; });
        parts.where = sql.mid(start, end - start).trimmed();
    }
    for (; k < n; ++k) {
        if (t[k].word == Word::Order && k + 1 < n && t[k + 1].word == Word::By) {
            const int start = t[k + 1].pos + t[k + 1].len;
            const int end = clauseEnd(k + 2, [](const Token& x) { return x.word == Word::Limit; });
            parts.order = sql.mid(start, end - start).trimmed();
            break;
        }
    }
    parts.ok = true;
    return parts;
}

} // namespace zk
