// Function calls: the legacy dialects' functions as the targets call them.
//
// SQLite gets most names unchanged (RegisterLegacyFunctions gives it the legacy functions
// under their own names); only syntax SQLite cannot read changes. PostgreSQL gets its own
// functions where they mean the same, the zk_compat schema's otherwise, with text
// arguments cast to text because PostgreSQL, unlike both legacy engines, does not turn
// numbers into text by itself.
#include "data/sql/legacy_dates.h"
#include "data/sql/sql_rewriter.h"
#include "data/sql/sql_types.h"

#include <array>

namespace zk::sql {

namespace {

// T-SQL table hints (FROM t WITH (NOLOCK), FROM t (NOLOCK)); the targets lock differently
// and need none.
bool IsTableHint(QStringView word)
{
    static constexpr std::array<const char*, 15> kHints = {
        "NOLOCK",  "READUNCOMMITTED", "READCOMMITTED", "REPEATABLEREAD", "SERIALIZABLE",
        "ROWLOCK", "PAGLOCK",         "TABLOCK",       "TABLOCKX",       "UPDLOCK",
        "XLOCK",   "HOLDLOCK",        "NOWAIT",        "READPAST",       "NOEXPAND",
    };
    for (const char* h : kHints) {
        if (word.compare(QLatin1StringView(h), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

ValueKind KindOf(TypeFamily f)
{
    switch (f) {
    case TypeFamily::Text:
    case TypeFamily::Guid:
        return ValueKind::Text;
    case TypeFamily::DateTime:
    case TypeFamily::Date:
        return ValueKind::Date;
    case TypeFamily::Integer:
    case TypeFamily::Real:
    case TypeFamily::Decimal:
        return ValueKind::Number;
    default:
        return ValueKind::Other;
    }
}

QString Quoted(const QString& text)
{
    return u'\'' + text + u'\'';
}

} // namespace

bool Rewriter::Call(Expr& e)
{
    if (!Deeper())
        return false;
    FlushTrivia();
    const int nameIdx = i_;
    const Word w = Cur().word;
    if ((w == Word::FnCast && CastCall(e)) || (w == Word::FnConvert && ConvertCall(e))) {
        --depth_;
        return true;
    }
    const int callStart = out_.size();
    CopyCur();
    if (!IsFunctionWord(w) && DropTableHint()) {
        --depth_;
        return true;
    }
    CopyCur();
    std::vector<CallArg> args;
    while (!AtEnd() && Cur().kind != TokenKind::RParen && !failed_) {
        FlushTrivia();
        CallArg a;
        a.start = out_.size();
        const RunInfo r = Run(kStopComma);
        a.end = out_.size();
        a.simple = r.items == 1;
        a.value = r.last;
        args.push_back(a);
        if (KindAt(i_) != TokenKind::Comma)
            break;
        CopyCur();
    }
    const bool closed = KindAt(i_) == TokenKind::RParen;
    if (closed)
        CopyCur();
    --depth_;
    if (closed && !failed_)
        RewriteCall(e, callStart, nameIdx, args);
    return true;
}

// At WITH (hints) or at the '(' of t (hints): drops the hints.
bool Rewriter::DropTableHint()
{
    const int open = WordAt(i_) == Word::With ? Peek(1) : i_;
    if (KindAt(open) != TokenKind::LParen)
        return false;
    const int close = MatchParen(open, end_);
    if (close < 0)
        return false;
    bool any = false;
    for (int k = NextSig(open + 1); k < close; k = NextSig(k + 1)) {
        if (KindAt(k) == TokenKind::Comma)
            continue;
        if (KindAt(k) != TokenKind::Word || !IsTableHint(TextAt(k)))
            return false;
        any = true;
    }
    if (!any)
        return false;
    UnflushTrivia();
    copied_ = toks_[close].pos + toks_[close].len;
    i_ = NextSig(close + 1);
    return true;
}

QString Rewriter::Arg(const CallArg& a) const
{
    return out_.mid(a.start, a.end - a.start);
}

QString Rewriter::ArgAsText(const CallArg& a) const
{
    const QString text = Arg(a);
    if (!pg_ || (a.simple && a.value.kind == ValueKind::Text))
        return text;
    return "CAST(" + text + " AS text)";
}

void Rewriter::ReplaceFrom(int start, const QString& text)
{
    out_.truncate(start);
    out_ += text;
}

// The output from start on becomes text, and reading goes on after token close.
void Rewriter::ReplaceCallThrough(int start, int close, const QString& text)
{
    ReplaceFrom(start, text);
    copied_ = toks_[close].pos + toks_[close].len;
    i_ = NextSig(close + 1);
}

void Rewriter::RewriteCall(Expr& e, int callStart, int nameIdx, const std::vector<CallArg>& args)
{
    const Word w = WordAt(nameIdx);
    const int n = static_cast<int>(args.size());
    QStringList a;
    for (const CallArg& x : args)
        a << Arg(x);
    auto text = [&](int k) { return ArgAsText(args[k]); };
    auto set = [&](const QString& replacement) { ReplaceFrom(callStart, replacement); };
    auto optional = [&](int k) { return n > k ? ", " + a[k] : QString(); };
    switch (w) {
    case Word::FnGetdate:
    case Word::FnNow:
        e.kind = ValueKind::Date;
        if (pg_ && n == 0)
            set(QStringLiteral("LOCALTIMESTAMP(0)"));
        return;
    case Word::FnDate:
        e.kind = ValueKind::Date;
        if (pg_ && n == 0)
            set(QStringLiteral("CURRENT_DATE"));
        return;
    case Word::FnTime:
        e.kind = ValueKind::Date;
        if (pg_ && n == 0)
            set(QStringLiteral("LOCALTIME(0)"));
        return;
    case Word::FnCharindex:
        e.kind = ValueKind::Number;
        if (pg_ && (n == 2 || n == 3))
            set("charindex(" + text(0) + ", " + text(1) + optional(2) + u')');
        return;
    case Word::FnInstr:
        e.kind = ValueKind::Number;
        if (pg_ && n == 2)
            set("instr(" + text(0) + ", " + text(1) + u')');
        else if (pg_ && n == 3)
            set("instr(" + a[0] + ", " + text(1) + ", " + text(2) + u')');
        return;
    case Word::FnIsnull:
        // T-SQL ISNULL(a, b) is COALESCE; Jet IsNull(a) is a test.
        if (n == 2) {
            e.kind = args[0].value.kind;
            set("COALESCE(" + a[0] + ", " + a[1] + u')');
        } else if (n == 1) {
            set("(" + a[0] + " IS NULL)");
        }
        return;
    case Word::FnNz:
        if (n == 2) {
            e.kind = args[0].value.kind;
            set("COALESCE(" + a[0] + ", " + a[1] + u')');
        } else if (n == 1) {
            e.kind = ValueKind::Text;
            set("COALESCE(" + text(0) + ", '')");
        }
        return;
    case Word::FnLen:
        e.kind = ValueKind::Number;
        if (pg_ && n == 1)
            set("length(" + text(0) + u')');
        return;
    case Word::FnLength:
    case Word::FnCount:
    case Word::FnSum:
    case Word::FnAvg:
    case Word::FnYear:
    case Word::FnMonth:
    case Word::FnDay:
        e.kind = ValueKind::Number;
        return;
    case Word::Left:
    case Word::Right: {
        e.kind = ValueKind::Text;
        if (n != 2)
            return;
        // SQLite reads LEFT( and RIGHT( as joins; a quoted name calls the function.
        const QString name = w == Word::Left ? QStringLiteral("left") : QStringLiteral("right");
        set(pg_ ? name + u'(' + text(0) + ", " + a[1] + u')'
                : u'"' + name + "\"(" + a[0] + ", " + a[1] + u')');
        return;
    }
    case Word::FnMid:
        e.kind = ValueKind::Text;
        if (pg_ && (n == 2 || n == 3))
            set("substr(" + text(0) + ", " + a[1] + optional(2) + u')');
        return;
    case Word::FnSubstring:
        e.kind = ValueKind::Text;
        if (pg_ && (n == 2 || n == 3) && args[0].simple)
            set("substring(" + text(0) + ", " + a[1] + optional(2) + u')');
        return;
    case Word::FnUcase:
    case Word::FnLcase:
        e.kind = ValueKind::Text;
        if (pg_ && n == 1)
            set((w == Word::FnUcase ? QStringLiteral("upper(") : QStringLiteral("lower(")) +
                text(0) + u')');
        return;
    case Word::FnUpper:
    case Word::FnLower:
    case Word::FnLtrim:
    case Word::FnRtrim:
    case Word::FnTrim:
        e.kind = ValueKind::Text;
        if (pg_ && n == 1 && args[0].simple)
            set(TextAt(nameIdx).toString() + u'(' + text(0) + u')');
        return;
    case Word::FnReplace:
        e.kind = ValueKind::Text;
        if (pg_ && n == 3)
            set("replace(" + text(0) + ", " + text(1) + ", " + text(2) + u')');
        return;
    case Word::FnCstr:
        e.kind = ValueKind::Text;
        if (pg_ && n == 1)
            set("CAST(" + a[0] + " AS text)");
        return;
    case Word::FnVal:
        e.kind = ValueKind::Number;
        if (pg_ && n == 1)
            set("val(" + text(0) + u')');
        return;
    case Word::FnIif:
        if (n == 3) {
            e.kind =
                args[1].value.kind == args[2].value.kind ? args[1].value.kind : ValueKind::Other;
            set("CASE WHEN " + a[0] + " THEN " + a[1] + " ELSE " + a[2] + " END");
        }
        return;
    case Word::FnDateadd:
    case Word::FnDatediff:
    case Word::FnDatepart:
        // T-SQL names the interval with a bare word (DATEADD(day, 1, d)), Jet with a text.
        e.kind = w == Word::FnDateadd ? ValueKind::Date : ValueKind::Number;
        if (n >= 2 && args[0].simple && args[0].value.bareName && ParseDatePart(a[0]))
            out_.replace(args[0].start, args[0].end - args[0].start, Quoted(a[0].toLower()));
        return;
    case Word::FnScopeIdentity:
        e.kind = ValueKind::Number;
        if (n == 0)
            set(pg_ ? QStringLiteral("zk_identity()") : QStringLiteral("last_insert_rowid()"));
        return;
    case Word::FnNewid:
        e.kind = ValueKind::Text;
        return;
    default:
        return;
    }
}

int Rewriter::FindAtDepthZero(int open, int close, TokenKind kind, Word word) const
{
    int depth = 0;
    for (int k = open + 1; k < close; ++k) {
        const TokenKind tk = toks_[k].kind;
        if (tk == TokenKind::LParen)
            ++depth;
        else if (tk == TokenKind::RParen)
            --depth;
        else if (depth == 0 && tk == kind && (word == Word::None || toks_[k].word == word))
            return k;
    }
    return -1;
}

// CAST(x AS type) with the type spelled for the target.
bool Rewriter::CastCall(Expr& e)
{
    const int open = Peek(1);
    const int close = MatchParen(open, end_);
    const int as = close < 0 ? -1 : FindAtDepthZero(open, close, TokenKind::Word, Word::As);
    const int typeFirst = as < 0 ? close : NextSig(as + 1);
    if (as < 0 || typeFirst >= close)
        return false;
    const QStringView typeText =
        src_.mid(toks_[typeFirst].pos, toks_[close].pos - toks_[typeFirst].pos);
    const int callStart = out_.size();
    DropCurKeepTrivia();
    DropCur();
    if (!AtEnd())
        copied_ = Cur().pos;
    Run(kStopAs);
    if (i_ != as) {
        failed_ = true;
        return true;
    }
    const QString value = out_.mid(callStart);
    ReplaceCallThrough(callStart, close, CastText(value, typeText, e));
    return true;
}

// T-SQL CONVERT(type, x[, style]) as a CAST, with date styles formatted by zk_convert.
bool Rewriter::ConvertCall(Expr& e)
{
    const int open = Peek(1);
    const int close = MatchParen(open, end_);
    const int comma = close < 0 ? -1 : FindAtDepthZero(open, close, TokenKind::Comma, Word::None);
    const int typeFirst = comma < 0 ? close : NextSig(open + 1);
    if (comma < 0 || typeFirst >= comma)
        return false;
    const LegacyType type =
        ParseLegacyType(src_.mid(toks_[typeFirst].pos, toks_[comma].pos - toks_[typeFirst].pos));
    const int callStart = out_.size();
    DropCurKeepTrivia();
    copied_ = toks_[comma].pos + toks_[comma].len;
    i_ = NextSig(comma + 1);
    if (!AtEnd())
        copied_ = Cur().pos;
    Run(kStopComma);
    const QString value = out_.mid(callStart);
    QString style;
    if (KindAt(i_) == TokenKind::Comma) {
        DropCur();
        if (!AtEnd())
            copied_ = Cur().pos;
        const int styleStart = out_.size();
        Run(kStopComma);
        style = out_.mid(styleStart);
    }
    if (i_ != close) {
        failed_ = true;
        return true;
    }
    QString text;
    if (!style.isEmpty() && type.family == TypeFamily::Text) {
        e.kind = ValueKind::Text;
        const QString core = "zk_convert(" + value + ", " + style + u')';
        const int length = type.Length();
        if (length <= 0)
            text = core;
        else if (pg_)
            text = "CAST(" + core + " AS varchar(" + QString::number(length) + "))";
        else
            text = "substr(" + core + ", 1, " + QString::number(length) + u')';
    } else {
        text = CastText(value, type.original, e);
    }
    ReplaceCallThrough(callStart, close, text);
    return true;
}

// PostgreSQL: the type renamed where it lacks the legacy name. SQLite: its CAST only knows
// storage classes, so text lengths become substr (T-SQL cuts to the length), dates go
// through zk_datetime/zk_date (a CAST to a date type would read '2024-05-01' as 2024) and
// decimals with a scale are rounded to it.
QString Rewriter::CastText(const QString& value, QStringView typeText, Expr& e) const
{
    const LegacyType t = ParseLegacyType(typeText);
    e.kind = KindOf(t.family);
    if (pg_)
        return "CAST(" + value + " AS " + PostgresTypeText(t) + u')';
    switch (t.family) {
    case TypeFamily::Text:
    case TypeFamily::Guid: {
        const QString cast = "CAST(" + value + " AS TEXT)";
        const int length = t.Length();
        return length > 0 ? "substr(" + cast + ", 1, " + QString::number(length) + u')' : cast;
    }
    case TypeFamily::DateTime:
        return "zk_datetime(" + value + u')';
    case TypeFamily::Date:
        return "zk_date(" + value + u')';
    case TypeFamily::Integer:
        return "CAST(" + value + " AS INTEGER)";
    case TypeFamily::Real:
        return "CAST(" + value + " AS REAL)";
    case TypeFamily::Decimal: {
        const bool money = t.base.contains(u"money") || t.base == u"currency";
        if (t.args.isEmpty() && !money)
            return "CAST(" + value + " AS NUMERIC)";
        const int scale = money ? 4 : t.Scale();
        if (scale == 0)
            return "CAST(round(CAST(" + value + " AS REAL)) AS INTEGER)";
        return "round(CAST(" + value + " AS REAL), " + QString::number(scale) + u')';
    }
    case TypeFamily::Binary:
        return "CAST(" + value + " AS BLOB)";
    default:
        return "CAST(" + value + " AS " + t.original + u')';
    }
}

} // namespace zk::sql
