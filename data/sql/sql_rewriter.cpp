// The rewriter's cursor and output, statement skeletons and runs of tokens.
#include "data/sql/sql_rewriter.h"

#include <algorithm>

namespace zk::sql {

namespace {

// Nesting beyond this is not a statement anyone wrote; the text is left as it is.
constexpr int kMaxDepth = 100;

bool IsCompound(Word w)
{
    return w == Word::Union || w == Word::Except || w == Word::Intersect;
}

bool HasContent(const QString& s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return !c.isSpace(); });
}

bool IsInteger(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

Rewriter::Rewriter(QStringView sql, const std::vector<Token>& tokens, int first, int end,
                   Dialect target)
    : src_(sql)
    , toks_(tokens)
    , first_(first)
    , end_(end)
    , pg_(target == Dialect::PostgreSQL)
{
}

// ---- cursor and output -------------------------------------------------------------------

int Rewriter::NextSig(int k) const
{
    while (k < end_ && IsTrivia(toks_[k].kind))
        ++k;
    return std::min(k, end_);
}

int Rewriter::Peek(int n) const
{
    int k = i_;
    for (int j = 0; j < n && k < end_; ++j)
        k = NextSig(k + 1);
    return k;
}

TokenKind Rewriter::KindAt(int k) const
{
    return k < end_ ? toks_[k].kind : TokenKind::Space;
}

Word Rewriter::WordAt(int k) const
{
    return k < end_ && toks_[k].kind == TokenKind::Word ? toks_[k].word : Word::None;
}

QStringView Rewriter::TextAt(int k) const
{
    return k < end_ ? src_.mid(toks_[k].pos, toks_[k].len) : QStringView();
}

bool Rewriter::IsOp(int k, QStringView op) const
{
    return KindAt(k) == TokenKind::Operator && TextAt(k) == op;
}

bool Rewriter::IsNameToken(int k) const
{
    const TokenKind kind = KindAt(k);
    return kind == TokenKind::Bracketed || kind == TokenKind::Quoted ||
           (kind == TokenKind::Word && !IsReserved(toks_[k].word));
}

void Rewriter::FlushTo(int pos)
{
    if (pos > copied_) {
        out_.append(src_.mid(copied_, pos - copied_));
        copied_ = pos;
    }
}

// Copies the blanks and comments before the current token (none at the end: what trails a
// statement is copied last, after anything appended to it).
void Rewriter::FlushTrivia()
{
    if (!AtEnd())
        FlushTo(Cur().pos);
}

// Takes back the blanks before the current token when they were already copied (a token
// that turns out to be dropped).
void Rewriter::UnflushTrivia()
{
    if (AtEnd() || copied_ != Cur().pos)
        return;
    int prev = i_ - 1;
    while (prev >= first_ && IsTrivia(toks_[prev].kind))
        --prev;
    const int from = prev >= first_ ? toks_[prev].pos + toks_[prev].len : copied_;
    const int length = copied_ - from;
    if (length > 0 && out_.endsWith(src_.mid(from, length))) {
        out_.chop(length);
        copied_ = from;
    }
}

void Rewriter::CopyCur()
{
    FlushTo(Cur().pos + Cur().len);
    Advance();
}

void Rewriter::ReplaceCur(QStringView text)
{
    FlushTo(Cur().pos);
    out_ += text;
    copied_ = Cur().pos + Cur().len;
    Advance();
}

// Drops the current token together with the blanks before it.
void Rewriter::DropCur()
{
    copied_ = Cur().pos + Cur().len;
    Advance();
}

void Rewriter::DropCurKeepTrivia()
{
    FlushTo(Cur().pos);
    DropCur();
}

int Rewriter::RangeEndPos() const
{
    return end_ < static_cast<int>(toks_.size()) ? toks_[end_].pos : static_cast<int>(src_.size());
}

int Rewriter::MatchParen(int open, int limit) const
{
    int depth = 0;
    for (int k = open; k < limit; ++k) {
        if (toks_[k].kind == TokenKind::LParen) {
            ++depth;
        } else if (toks_[k].kind == TokenKind::RParen) {
            if (--depth == 0)
                return k;
        }
    }
    return -1;
}

bool Rewriter::Deeper()
{
    if (++depth_ > kMaxDepth)
        failed_ = true;
    return !failed_;
}

// ---- statements --------------------------------------------------------------------------

QString Rewriter::Translate()
{
    const int startPos =
        first_ < static_cast<int>(toks_.size()) ? toks_[first_].pos : static_cast<int>(src_.size());
    const QString original = src_.mid(startPos, RangeEndPos() - startPos).toString();
    for (int k = first_; k < end_; ++k) {
        if (toks_[k].broken)
            return original;
    }
    i_ = NextSig(first_);
    if (AtEnd())
        return original;
    copied_ = startPos;
    out_.reserve(original.size() + 32);
    while (!AtEnd() && !failed_) {
        const bool boundary = Statement();
        if (AtEnd() || failed_)
            break;
        if (!boundary) {
            RunToEnd(0);
            break;
        }
        // Another T-SQL statement follows without a separator.
        if (HasContent(out_))
            out_ += u';';
        else
            copied_ = Cur().pos;
    }
    if (failed_)
        return original;
    if (!HasContent(out_))
        return QString();
    FlushTo(RangeEndPos());
    return out_;
}

// One statement; true when it ended where another statement begins without a separator.
bool Rewriter::Statement()
{
    ddl_ = false;
    switch (Cur().word) {
    case Word::Update:
        return UpdateStatement();
    case Word::Delete:
        return DeleteStatement();
    case Word::Truncate:
        return TruncateStatement();
    case Word::Set:
        return SetStatement();
    case Word::Select:
    case Word::Insert:
    case Word::With:
        return RunToEnd(kStopBoundary);
    case Word::Create:
    case Word::Alter:
        ddl_ = true;
        return RunToEnd(0);
    default:
        return RunToEnd(0);
    }
}

bool Rewriter::RunToEnd(unsigned flags)
{
    while (!failed_) {
        if (Run(flags).boundary)
            return true;
        if (AtEnd())
            return false;
        CopyCur(); // a ')' that nothing opened
    }
    return false;
}

bool Rewriter::IsBoundaryAt(int k) const
{
    switch (WordAt(k)) {
    case Word::Insert:
    case Word::Update:
    case Word::Delete:
    case Word::Truncate:
        return true;
    case Word::Set: {
        const Word next = WordAt(NextSig(k + 1));
        return next == Word::IdentityInsert || next == Word::NoCount;
    }
    default:
        return false;
    }
}

// Whether token k can be the last token of a value (so that a keyword after it begins
// something new).
bool Rewriter::EndsValueAt(int k) const
{
    switch (KindAt(k)) {
    case TokenKind::Number:
    case TokenKind::String:
    case TokenKind::NString:
    case TokenKind::DateLiteral:
    case TokenKind::Bracketed:
    case TokenKind::Quoted:
    case TokenKind::Parameter:
    case TokenKind::Variable:
    case TokenKind::RParen:
        return true;
    case TokenKind::Word:
        return !IsReserved(toks_[k].word) || toks_[k].word == Word::End;
    default:
        return false;
    }
}

bool Rewriter::DeleteStatement()
{
    CopyCur();
    if (IsOp(i_, u"*")) {
        DropCur(); // Jet: DELETE * FROM t
    } else if (IsNameToken(i_) && KindAt(Peek(1)) == TokenKind::Dot && IsOp(Peek(2), u"*") &&
               WordAt(Peek(3)) == Word::From) {
        DropCur(); // Jet: DELETE t.* FROM t
        DropCur();
        DropCur();
    }
    return RunToEnd(kStopBoundary);
}

bool Rewriter::TruncateStatement()
{
    if (pg_) {
        CopyCur();
        if (WordAt(i_) == Word::Table)
            CopyCur();
    } else {
        ReplaceCur(u"DELETE");
        if (WordAt(i_) == Word::Table)
            ReplaceCur(u"FROM");
        else
            out_ += u" FROM";
    }
    return RunToEnd(kStopBoundary);
}

// SET IDENTITY_INSERT t ON|OFF and SET NOCOUNT ON|OFF mean nothing to the targets: SQLite
// and PostgreSQL take explicit values for key columns as they are.
bool Rewriter::SetStatement()
{
    const Word what = WordAt(Peek(1));
    if (what != Word::IdentityInsert && what != Word::NoCount)
        return RunToEnd(0);
    DropCur();
    DropCur();
    if (what == Word::IdentityInsert && IsNameToken(i_)) {
        DropCur();
        while (KindAt(i_) == TokenKind::Dot && IsNameToken(Peek(1))) {
            DropCur();
            DropCur();
        }
    }
    if (WordAt(i_) == Word::On || TextAt(i_).compare(u"OFF", Qt::CaseInsensitive) == 0)
        DropCur();
    return !AtEnd();
}

// An assignment list; true when it ended at a following statement.
bool Rewriter::SetList()
{
    while (!AtEnd() && !failed_) {
        // Neither target accepts a qualified column on the left: t.f = … becomes f = ….
        if (IsNameToken(i_) && KindAt(Peek(1)) == TokenKind::Dot && IsNameToken(Peek(2)) &&
            IsOp(Peek(3), u"=")) {
            DropCurKeepTrivia();
            DropCur();
        }
        const RunInfo r = Run(kStopComma | kStopClause | kStopBoundary);
        if (r.boundary)
            return true;
        if (AtEnd() || Cur().kind != TokenKind::Comma)
            return false;
        CopyCur();
    }
    return false;
}

// ---- runs of tokens ----------------------------------------------------------------------

RunInfo Rewriter::Run(unsigned flags)
{
    RunInfo info;
    bool afterValue = false;
    while (!AtEnd() && !failed_) {
        const TokenKind kind = Cur().kind;
        if (kind == TokenKind::RParen || kind == TokenKind::Semicolon)
            break;
        if (kind == TokenKind::Comma && (flags & kStopComma))
            break;
        bool boundary = false;
        if (kind == TokenKind::Word && StopsAt(flags, afterValue, &boundary)) {
            info.boundary = boundary;
            break;
        }
        ++info.items;
        if (Cur().word == Word::Select && kind == TokenKind::Word) {
            info.last = Expr{};
            if (SelectBody(flags & kStopBoundary)) {
                info.boundary = true;
                break;
            }
            afterValue = true;
            continue;
        }
        Expr e;
        if (Value(e)) {
            info.last = e;
            afterValue = true;
            continue;
        }
        OtherToken();
        afterValue = false;
    }
    return info;
}

bool Rewriter::StopsAt(unsigned flags, bool afterValue, bool* boundary) const
{
    const Word w = Cur().word;
    if (((flags & kStopAs) && w == Word::As) || ((flags & kStopEnd) && w == Word::End) ||
        ((flags & kStopCompound) && IsCompound(w)) || ((flags & kStopSet) && w == Word::Set) ||
        ((flags & kStopClause) && (w == Word::From || w == Word::Where)) ||
        ((flags & kStopWhere) && w == Word::Where))
        return true;
    if ((flags & kStopBoundary) && afterValue && IsBoundaryAt(i_)) {
        *boundary = true;
        return true;
    }
    return false;
}

void Rewriter::OtherToken()
{
    switch (WordAt(i_)) {
    case Word::Like:
        // Both legacy engines compare text without regard to case; PostgreSQL's LIKE does not.
        if (pg_) {
            ReplaceCur(u"ILIKE");
            return;
        }
        break;
    case Word::DistinctRow:
        ReplaceCur(u"DISTINCT");
        return;
    case Word::With:
        if (DropTableHint())
            return;
        break;
    default:
        break;
    }
    CopyCur();
}

// SELECT [ALL|DISTINCT] [TOP n [PERCENT]] …: the count moves to a LIMIT at the end of this
// select. True when the select ended where another statement begins.
bool Rewriter::SelectBody(unsigned flags)
{
    FlushTrivia();
    const int mark = out_.size();
    CopyCur();
    const Word w = WordAt(i_);
    if (w == Word::All || w == Word::Distinct || w == Word::DistinctRow)
        OtherToken();
    bool percent = false;
    const QString limit = WordAt(i_) == Word::Top ? TakeTop(&percent) : QString();
    const RunInfo body = Run(kStopCompound | flags);
    if (limit.isEmpty())
        return body.boundary;
    if (percent) {
        out_ += " LIMIT (SELECT (count(*) * " + limit + " + 99) / 100 FROM (" + out_.mid(mark) +
                ") AS zk_percent)";
    } else if (IsCompound(WordAt(i_))) {
        // A LIMIT before UNION belongs to the whole compound in the targets.
        out_.insert(mark, u"SELECT * FROM (");
        out_ += " LIMIT " + limit + ") AS zk_top";
    } else {
        out_ += " LIMIT " + limit;
    }
    return body.boundary;
}

// Reads TOP n, TOP (n) or TOP n PERCENT and drops it; gives the count, or nothing (with the
// TOP copied) where the targets have no equivalent.
QString Rewriter::TakeTop(bool* percent)
{
    const int k = Peek(1);
    int last = -1;
    if (KindAt(k) == TokenKind::Number || KindAt(k) == TokenKind::Parameter)
        last = k;
    else if (KindAt(k) == TokenKind::LParen)
        last = MatchParen(k, end_);
    int after = last >= 0 ? NextSig(last + 1) : end_;
    const bool isPercent = last >= 0 && WordAt(after) == Word::Percent;
    if (isPercent)
        after = NextSig(after + 1);
    const bool ties = WordAt(after) == Word::With && WordAt(NextSig(after + 1)) == Word::Ties;
    if (last < 0 || ties ||
        (isPercent && !(KindAt(k) == TokenKind::Number && IsInteger(TextAt(k))))) {
        CopyCur();
        return {};
    }
    DropCur();
    QString count;
    if (KindAt(i_) == TokenKind::LParen) {
        const int m = out_.size();
        Expr e;
        FlushTrivia();
        Parenthesized(e);
        count = out_.mid(m).trimmed();
        out_.truncate(m);
    } else {
        count = TextAt(i_).toString();
        DropCur();
    }
    if (isPercent)
        DropCur();
    *percent = isPercent;
    return count;
}

} // namespace zk::sql
