#include "data/sql/sql_rewriter.h"

#include "data/sql/legacy_dates.h"
#include "data/sql/sql_names.h"
#include "data/sql/sql_types.h"

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

void ClearLiteral(Expr& e)
{
    e.stringLiteral = false;
    e.dateLiteral = false;
    e.bareName = false;
}

} // namespace

Rewriter::Rewriter(QStringView sql, const std::vector<Token>& tokens, int first, int end,
                   Dialect target)
    : src_(sql)
    , toks_(tokens)
    , first_(first)
    , end_(end)
    , target_(target)
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

// ---- expressions -------------------------------------------------------------------------

// A value at the level of Jet's '&' (and PostgreSQL's '||'), below which '+' binds.
bool Rewriter::Value(Expr& e)
{
    FlushTrivia();
    e.start = out_.size();
    if (!Additive(e))
        return false;
    while (!AtEnd()) {
        if (IsOp(i_, u"&")) {
            JetConcat(e);
            continue;
        }
        if (pg_ && IsOp(i_, u"||")) {
            CopyCur();
            Expr r;
            if (!Additive(r))
                break;
            e.kind = ValueKind::Text;
            ClearLiteral(e);
            continue;
        }
        break;
    }
    return true;
}

// a & b & c → zk_concat(a, b, c): Jet joins texts and reads NULL as an empty text.
void Rewriter::JetConcat(Expr& e)
{
    QStringList parts;
    auto take = [&](const Expr& x, int from) {
        const QString text = out_.mid(from);
        parts << (pg_ && x.kind != ValueKind::Text ? "CAST(" + text + " AS text)" : text);
    };
    take(e, e.start);
    while (IsOp(i_, u"&")) {
        DropCur();
        if (!AtEnd())
            copied_ = Cur().pos;
        Expr r;
        const int from = out_.size();
        if (!Additive(r))
            break;
        take(r, from);
    }
    out_.truncate(e.start);
    out_ += "zk_concat(" + parts.join(u", ") + u')';
    e.kind = ValueKind::Text;
    ClearLiteral(e);
}

bool Rewriter::Additive(Expr& e)
{
    FlushTrivia();
    e.start = out_.size();
    if (!Term(e))
        return false;
    while (IsOp(i_, u"+") || IsOp(i_, u"-")) {
        const bool plus = TextAt(i_) == u"+";
        const int leftEnd = out_.size();
        CopyCur();
        const int opEnd = out_.size();
        Expr r;
        if (!Term(r)) {
            e.kind = ValueKind::Other;
            ClearLiteral(e);
            break;
        }
        CombineAdditive(e, r, plus, leftEnd, opEnd);
    }
    return true;
}

// The '+' rule. SQLite: plain arithmetic when both sides are numbers the translator can see
// (literals, counts, …), else zk_plus(a, b), which adds numbers, joins texts and adds days to
// dates at run time. PostgreSQL: '+' stays, operators of the compat schema take the text
// cases; a quoted text beside '+' is typed as text so that uid_0 + '' does not read '' as
// an integer. A '-' beside a date becomes zk_minus on SQLite (its dates are texts).
void Rewriter::CombineAdditive(Expr& e, const Expr& r, bool plus, int leftEnd, int opEnd)
{
    const bool numbers = e.kind == ValueKind::Number && r.kind == ValueKind::Number;
    const bool dates = e.kind == ValueKind::Date || r.kind == ValueKind::Date;
    if (pg_) {
        if (plus && r.stringLiteral)
            out_ += u"::text";
        if (r.dateLiteral) {
            out_.insert(r.start, u"CAST(");
            out_ += u" AS timestamp)";
        }
        if (plus && e.stringLiteral)
            out_.insert(leftEnd, u"::text");
        if (e.dateLiteral) {
            out_.insert(leftEnd, u" AS timestamp)");
            out_.insert(e.start, u"CAST(");
        }
    } else if (!numbers && (plus || dates)) {
        out_.replace(leftEnd, opEnd - leftEnd, u',');
        out_.insert(e.start, plus ? u"zk_plus(" : u"zk_minus(");
        out_ += u')';
    }
    const bool texts = plus && (e.kind == ValueKind::Text || e.kind == ValueKind::Null) &&
                       (r.kind == ValueKind::Text || r.kind == ValueKind::Null);
    if (numbers)
        e.kind = ValueKind::Number;
    else if (dates && !(e.kind == ValueKind::Date && r.kind == ValueKind::Date))
        e.kind = ValueKind::Date;
    else if (texts)
        e.kind = ValueKind::Text;
    else
        e.kind = ValueKind::Other;
    ClearLiteral(e);
}

bool Rewriter::Term(Expr& e)
{
    if (!Unary(e))
        return false;
    while (!AtEnd()) {
        const bool mod = WordAt(i_) == Word::Mod;
        if (!mod && !IsOp(i_, u"*") && !IsOp(i_, u"/") && !IsOp(i_, u"%"))
            break;
        if (mod)
            ReplaceCur(u"%");
        else
            CopyCur();
        Expr r;
        const bool ok = Unary(r);
        e.kind = ok && e.kind == ValueKind::Number && r.kind == ValueKind::Number
                     ? ValueKind::Number
                     : ValueKind::Other;
        ClearLiteral(e);
        if (!ok)
            break;
    }
    return true;
}

bool Rewriter::Unary(Expr& e)
{
    FlushTrivia();
    e.start = out_.size();
    if (!IsOp(i_, u"-") && !IsOp(i_, u"+") && !IsOp(i_, u"~"))
        return Postfix(e);
    if (!Deeper())
        return false;
    CopyCur();
    Expr inner;
    const bool ok = Unary(inner);
    --depth_;
    e.kind = ok && inner.kind == ValueKind::Number ? ValueKind::Number : ValueKind::Other;
    ClearLiteral(e);
    return true;
}

bool Rewriter::Postfix(Expr& e)
{
    if (!Primary(e))
        return false;
    while (!AtEnd()) {
        if (!pg_ && IsOp(i_, u"||")) {
            // SQLite binds '||' tighter than '*' and '+'.
            CopyCur();
            Expr r;
            if (!Primary(r))
                break;
            e.kind = ValueKind::Text;
            ClearLiteral(e);
            continue;
        }
        if (IsOp(i_, u"::")) {
            CopyCur();
            CopyTypeAfterCast();
            e.kind = ValueKind::Other;
            ClearLiteral(e);
            continue;
        }
        if (WordAt(i_) == Word::Collate) {
            CopyCur();
            if (IsNameToken(i_))
                CopyCur();
            continue;
        }
        break;
    }
    return true;
}

bool Rewriter::Primary(Expr& e)
{
    if (AtEnd())
        return false;
    FlushTrivia();
    e.start = out_.size();
    switch (Cur().kind) {
    case TokenKind::Number:
        CopyCur();
        e.kind = ValueKind::Number;
        return true;
    case TokenKind::String:
        CopyCur();
        e.kind = ValueKind::Text;
        e.stringLiteral = true;
        return true;
    case TokenKind::NString:
        ReplaceCur(TextAt(i_).mid(1));
        e.kind = ValueKind::Text;
        e.stringLiteral = true;
        return true;
    case TokenKind::DateLiteral: {
        const QStringView text = TextAt(i_);
        const auto value = ParseLegacyDateTime(text.mid(1, text.size() - 2));
        ReplaceCur(
            u'\'' +
            (value ? FormatLegacyDateTime(*value) : text.mid(1, text.size() - 2).toString()) +
            u'\'');
        e.kind = ValueKind::Date;
        e.dateLiteral = true;
        return true;
    }
    case TokenKind::Parameter:
        CopyCur();
        return true;
    case TokenKind::Variable:
        VariableValue(e);
        return true;
    case TokenKind::LParen:
        return Parenthesized(e);
    case TokenKind::Operator:
        if (TextAt(i_) == u"*") {
            CopyCur();
            return true;
        }
        return false;
    case TokenKind::Word:
    case TokenKind::Bracketed:
    case TokenKind::Quoted:
        return NameValue(e);
    default:
        return false;
    }
}

bool Rewriter::Parenthesized(Expr& e)
{
    if (!Deeper())
        return false;
    CopyCur();
    const RunInfo inner = Run(0);
    if (KindAt(i_) == TokenKind::RParen)
        CopyCur();
    --depth_;
    if (inner.items == 1) {
        e.kind = inner.last.kind;
        e.stringLiteral = inner.last.stringLiteral;
        e.dateLiteral = inner.last.dateLiteral;
    }
    return true;
}

bool Rewriter::NameValue(Expr& e)
{
    const Token& t = Cur();
    const int next = Peek(1);
    const bool dbo = (t.word == Word::Dbo ||
                      (t.kind == TokenKind::Bracketed && NormalName(TextAt(i_)) == u"dbo")) &&
                     KindAt(next) == TokenKind::Dot && IsNameToken(NextSig(next + 1));
    if (dbo) {
        DropCurKeepTrivia();
        DropCur();
        return NameValue(e);
    }
    if (t.kind == TokenKind::Word) {
        switch (t.word) {
        case Word::Null:
            CopyCur();
            e.kind = ValueKind::Null;
            return true;
        case Word::True:
        case Word::False: {
            // Flags are integer columns here (leaf_0 = 1); IS TRUE keeps its keyword.
            int prev = i_ - 1;
            while (prev >= first_ && IsTrivia(toks_[prev].kind))
                --prev;
            if (prev >= first_ && toks_[prev].word == Word::Is)
                CopyCur();
            else
                ReplaceCur(t.word == Word::True ? u"1" : u"0");
            e.kind = ValueKind::Number;
            return true;
        }
        case Word::Case:
            return CaseValue(e);
        case Word::CurrentDate:
        case Word::CurrentTime:
        case Word::CurrentTimestamp:
        case Word::LocalTime:
        case Word::LocalTimestamp:
            e.kind = ValueKind::Date;
            if (KindAt(next) == TokenKind::LParen)
                return Call(e);
            // T-SQL's CURRENT_TIMESTAMP is local time without a zone, as the legacy
            // engines' dates are; PostgreSQL's carries the zone.
            if (pg_ && t.word == Word::CurrentTimestamp)
                ReplaceCur(u"LOCALTIMESTAMP");
            else if (pg_ && t.word == Word::CurrentTime)
                ReplaceCur(u"LOCALTIME");
            else
                CopyCur();
            return true;
        case Word::Left:
        case Word::Right:
            return KindAt(next) == TokenKind::LParen && Call(e);
        default:
            break;
        }
        if (IsReserved(t.word))
            return false;
        if (ddl_ && DdlType())
            return true;
        if (KindAt(next) == TokenKind::LParen)
            return Call(e);
    }
    const bool word = t.kind == TokenKind::Word;
    EmitName();
    e.bareName = word && KindAt(i_) != TokenKind::Dot;
    while (KindAt(i_) == TokenKind::Dot) {
        const int after = Peek(1);
        if (IsOp(after, u"*")) {
            CopyCur();
            CopyCur();
            break;
        }
        const TokenKind kind = KindAt(after);
        if (kind != TokenKind::Word && kind != TokenKind::Bracketed && kind != TokenKind::Quoted)
            break;
        CopyCur();
        if (Cur().kind == TokenKind::Word && KindAt(Peek(1)) == TokenKind::LParen)
            return Call(e);
        EmitName();
    }
    return true;
}

void Rewriter::EmitName()
{
    if (pg_ && Cur().kind == TokenKind::Bracketed)
        ReplaceCur(PostgresName(BracketContent(TextAt(i_))));
    else
        CopyCur();
}

bool Rewriter::CaseValue(Expr& e)
{
    if (!Deeper())
        return false;
    CopyCur();
    Run(kStopEnd);
    if (WordAt(i_) == Word::End)
        CopyCur();
    --depth_;
    e.kind = ValueKind::Other;
    return true;
}

void Rewriter::VariableValue(Expr& e)
{
    const QStringView name = TextAt(i_).mid(2);
    if (name.compare(u"IDENTITY", Qt::CaseInsensitive) == 0) {
        ReplaceCur(pg_ ? u"zk_identity()" : u"last_insert_rowid()");
        e.kind = ValueKind::Number;
        return;
    }
    if (!pg_ && name.compare(u"ROWCOUNT", Qt::CaseInsensitive) == 0) {
        ReplaceCur(u"changes()");
        e.kind = ValueKind::Number;
        return;
    }
    CopyCur();
}

// The type after PostgreSQL's '::' in statements already written for it.
void Rewriter::CopyTypeAfterCast()
{
    if (KindAt(i_) != TokenKind::Word)
        return;
    CopyCur();
    while (KindAt(i_) == TokenKind::Word &&
           (TextAt(i_).compare(u"precision", Qt::CaseInsensitive) == 0 ||
            TextAt(i_).compare(u"varying", Qt::CaseInsensitive) == 0))
        CopyCur();
    if (KindAt(i_) == TokenKind::LParen) {
        const int close = MatchParen(i_, end_);
        if (close >= 0) {
            FlushTo(toks_[close].pos + toks_[close].len);
            i_ = NextSig(close + 1);
        }
    }
    if (KindAt(i_) == TokenKind::Bracketed && Cur().len == 2)
        CopyCur();
}

// A legacy column type in CREATE or ALTER TABLE: nvarchar(50), datetime, money, IDENTITY(1,1).
bool Rewriter::DdlType()
{
    const QStringView word = TextAt(i_);
    const int next = Peek(1);
    if (pg_ && word.compare(u"IDENTITY", Qt::CaseInsensitive) == 0) {
        const int close = KindAt(next) == TokenKind::LParen ? MatchParen(next, end_) : i_;
        if (close < 0)
            return false;
        FlushTo(Cur().pos);
        out_ += u"GENERATED BY DEFAULT AS IDENTITY";
        copied_ = toks_[close].pos + toks_[close].len;
        i_ = NextSig(close + 1);
        return true;
    }
    if (!IsLegacyOnlyTypeName(word))
        return false;
    int last = i_;
    if (KindAt(next) == TokenKind::LParen) {
        last = MatchParen(next, end_);
        if (last < 0)
            return false;
    } else if (KindAt(next) == TokenKind::Word &&
               TextAt(next).compare(u"precision", Qt::CaseInsensitive) == 0) {
        return false;
    }
    const int endPos = toks_[last].pos + toks_[last].len;
    const LegacyType type = ParseLegacyType(src_.mid(Cur().pos, endPos - Cur().pos));
    FlushTo(Cur().pos);
    out_ += pg_ ? PostgresTypeText(type) : SqliteTypeText(type);
    copied_ = endPos;
    i_ = NextSig(last + 1);
    return true;
}

} // namespace zk::sql
