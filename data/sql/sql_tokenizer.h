#pragma once

#include "data/sql/sql_words.h"

#include <QStringView>
#include <vector>

namespace zk::sql {

enum class TokenKind : quint8 {
    Space,       // blanks, tabs, line breaks
    Comment,     // -- to the end of the line, /* … */
    Word,        // name or keyword, letters of any script
    Bracketed,   // [name]
    Quoted,      // "name"
    String,      // 'text' with '' for a quote
    NString,     // N'text'
    DateLiteral, // #date#
    Number,
    Parameter, // ?, :name, @name, $1
    Variable,  // @@name
    Operator,
    LParen,
    RParen,
    Comma,
    Semicolon,
    Dot,
};

struct Token {
    int pos = 0;
    int len = 0;
    TokenKind kind = TokenKind::Space;
    Word word = Word::None; // for Word tokens
    bool broken = false;    // unterminated string, name or comment: it runs to the end of the text
};

inline bool IsTrivia(TokenKind k)
{
    return k == TokenKind::Space || k == TokenKind::Comment;
}

// Splits a statement or script into tokens that cover every character of it, in order.
std::vector<Token> Tokenize(QStringView sql);

} // namespace zk::sql
