#include "data/sql/sql_tokenizer.h"

#include "data/sql/legacy_dates.h"

namespace zk::sql {

namespace {

// Jet date literals are short; a longer run between two '#' is something else.
constexpr int kLongestDateLiteral = 40;

bool IsBlank(char16_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsDigit(char16_t c)
{
    return c >= '0' && c <= '9';
}

bool IsWordStart(char16_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    return QChar::isLetter(c) || QChar::isSurrogate(c);
}

bool IsWordChar(char16_t c)
{
    if (c < 0x80)
        return IsWordStart(c) || IsDigit(c) || c == '$' || c == '#';
    return QChar::isLetterOrNumber(c) || QChar::isSurrogate(c) ||
           QChar::category(c) == QChar::Mark_NonSpacing;
}

class Scanner {
public:
    explicit Scanner(QStringView s)
        : p_(s.data())
        , n_(static_cast<int>(s.size()))
    {
    }

    std::vector<Token> Run()
    {
        std::vector<Token> out;
        out.reserve(static_cast<size_t>(n_ / 4 + 4));
        while (i_ < n_) {
            Token t;
            t.pos = i_;
            Scan(t);
            t.len = i_ - t.pos;
            out.push_back(t);
        }
        return out;
    }

private:
    char16_t At(int k) const { return k < n_ ? p_[k].unicode() : u'\0'; }

    void Scan(Token& t)
    {
        const char16_t c = At(i_);
        const char16_t next = At(i_ + 1);
        if (IsBlank(c)) {
            while (i_ < n_ && IsBlank(At(i_)))
                ++i_;
            t.kind = TokenKind::Space;
        } else if (c == '-' && next == '-') {
            while (i_ < n_ && At(i_) != '\n')
                ++i_;
            t.kind = TokenKind::Comment;
        } else if (c == '/' && next == '*') {
            t.kind = TokenKind::Comment;
            ScanBlockComment(t);
        } else if (c == '\'') {
            t.kind = TokenKind::String;
            ScanDelimited(t, '\'');
        } else if ((c == 'N' || c == 'n') && next == '\'') {
            t.kind = TokenKind::NString;
            ++i_;
            ScanDelimited(t, '\'');
        } else if (c == '[') {
            t.kind = TokenKind::Bracketed;
            ScanDelimited(t, ']');
        } else if (c == '"') {
            t.kind = TokenKind::Quoted;
            ScanDelimited(t, '"');
        } else if (c == '#') {
            ScanHash(t);
        } else if (IsDigit(c) || (c == '.' && IsDigit(next))) {
            t.kind = TokenKind::Number;
            ScanNumber();
        } else if (IsWordStart(c)) {
            ScanWord(t);
        } else {
            ScanPunctuation(t, c, next);
        }
    }

    // A quoted run whose closing character is doubled to stand for itself.
    void ScanDelimited(Token& t, char16_t close)
    {
        ++i_;
        while (i_ < n_) {
            if (At(i_) == close) {
                if (At(i_ + 1) == close) {
                    i_ += 2;
                    continue;
                }
                ++i_;
                return;
            }
            ++i_;
        }
        t.broken = true;
    }

    void ScanBlockComment(Token& t)
    {
        i_ += 2;
        while (i_ < n_) {
            if (At(i_) == '*' && At(i_ + 1) == '/') {
                i_ += 2;
                return;
            }
            ++i_;
        }
        t.broken = true;
    }

    // '#' opens a Jet date literal when a date follows up to the next '#'; otherwise it starts
    // a T-SQL temporary table name or stands alone.
    void ScanHash(Token& t)
    {
        for (int k = i_ + 1; k < n_ && k - i_ <= kLongestDateLiteral; ++k) {
            const char16_t c = At(k);
            if (c == '\n' || c == '\'')
                break;
            if (c == '#') {
                if (ParseLegacyDateTime(QStringView(p_ + i_ + 1, k - i_ - 1))) {
                    t.kind = TokenKind::DateLiteral;
                    i_ = k + 1;
                    return;
                }
                break;
            }
        }
        if (IsWordChar(At(i_ + 1))) {
            ScanWord(t);
            return;
        }
        t.kind = TokenKind::Operator;
        ++i_;
    }

    void ScanNumber()
    {
        if (At(i_) == '0' && (At(i_ + 1) == 'x' || At(i_ + 1) == 'X')) {
            i_ += 2;
            while (i_ < n_ &&
                   (IsDigit(At(i_)) || ((At(i_) | 0x20) >= 'a' && (At(i_) | 0x20) <= 'f')))
                ++i_;
            return;
        }
        while (IsDigit(At(i_)))
            ++i_;
        if (At(i_) == '.') {
            ++i_;
            while (IsDigit(At(i_)))
                ++i_;
        }
        const char16_t e = At(i_);
        if (e == 'e' || e == 'E') {
            int k = i_ + 1;
            if (At(k) == '+' || At(k) == '-')
                ++k;
            if (IsDigit(At(k))) {
                i_ = k;
                while (IsDigit(At(i_)))
                    ++i_;
            }
        }
    }

    void ScanWord(Token& t)
    {
        ++i_;
        while (i_ < n_ && IsWordChar(At(i_)))
            ++i_;
        t.kind = TokenKind::Word;
        t.word = LookupWord(QStringView(p_ + t.pos, i_ - t.pos));
    }

    void ScanPunctuation(Token& t, char16_t c, char16_t next)
    {
        ++i_;
        switch (c) {
        case '(':
            t.kind = TokenKind::LParen;
            return;
        case ')':
            t.kind = TokenKind::RParen;
            return;
        case ',':
            t.kind = TokenKind::Comma;
            return;
        case ';':
            t.kind = TokenKind::Semicolon;
            return;
        case '.':
            t.kind = TokenKind::Dot;
            return;
        case '?':
            t.kind = TokenKind::Parameter;
            while (IsDigit(At(i_)))
                ++i_;
            return;
        case '@':
            if (next == '@' && IsWordStart(At(i_ + 1))) {
                t.kind = TokenKind::Variable;
                ++i_;
                SkipWordChars();
                return;
            }
            if (IsWordStart(next)) {
                t.kind = TokenKind::Parameter;
                SkipWordChars();
                return;
            }
            break;
        case ':':
            if (IsWordStart(next)) {
                t.kind = TokenKind::Parameter;
                SkipWordChars();
                return;
            }
            break;
        case '$':
            if (IsDigit(next)) {
                t.kind = TokenKind::Parameter;
                while (IsDigit(At(i_)))
                    ++i_;
                return;
            }
            break;
        default:
            break;
        }
        t.kind = TokenKind::Operator;
        if (IsTwoCharOperator(c, next))
            ++i_;
    }

    static bool IsTwoCharOperator(char16_t c, char16_t next)
    {
        switch (c) {
        case '<':
            return next == '>' || next == '=' || next == '<';
        case '>':
            return next == '=' || next == '>';
        case '!':
            return next == '=' || next == '<' || next == '>';
        case '=':
            return next == '=';
        case '|':
            return next == '|';
        case ':':
            return next == ':';
        case '-':
            return next == '>';
        default:
            return false;
        }
    }

    void SkipWordChars()
    {
        while (i_ < n_ && IsWordChar(At(i_)))
            ++i_;
    }

    const QChar* p_;
    int n_;
    int i_ = 0;
};

} // namespace

std::vector<Token> Tokenize(QStringView sql)
{
    return Scanner(sql).Run();
}

} // namespace zk::sql
