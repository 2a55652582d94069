// Expressions: precedence, the '+' and '&' rules, literals and names.
#include "data/sql/legacy_dates.h"
#include "data/sql/sql_names.h"
#include "data/sql/sql_rewriter.h"
#include "data/sql/sql_types.h"

namespace zk::sql {

namespace {

void ClearLiteral(Expr& e)
{
    e.stringLiteral = false;
    e.dateLiteral = false;
    e.bareName = false;
}

} // namespace

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
    if (word.compare(u"IDENTITY", Qt::CaseInsensitive) == 0)
        return IdentityColumn();
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

// The index of the significant token before k, or -1.
int Rewriter::PrevSig(int k) const
{
    for (--k; k >= first_; --k)
        if (!IsTrivia(toks_[k].kind))
            return k;
    return -1;
}

// T-SQL's "int IDENTITY(1,1) [PRIMARY KEY]". PostgreSQL: an identity column that still takes
// explicit keys. SQLite: only a column declared exactly "INTEGER PRIMARY KEY" numbers its rows,
// so the column type before IDENTITY and a PRIMARY KEY after it fold into that declaration.
// PostgreSQL's own "GENERATED … AS IDENTITY" passes unchanged.
bool Rewriter::IdentityColumn()
{
    const int before = PrevSig(i_);
    if (before >= 0 && KindAt(before) == TokenKind::Word &&
        TextAt(before).compare(u"AS", Qt::CaseInsensitive) == 0)
        return false;
    const int next = Peek(1);
    int close = KindAt(next) == TokenKind::LParen ? MatchParen(next, end_) : i_;
    if (close < 0)
        return false;
    FlushTo(Cur().pos);
    int resume = NextSig(close + 1);
    if (pg_) {
        out_ += u"GENERATED BY DEFAULT AS IDENTITY";
    } else {
        // Drop the integer type already copied ("int ", "bigint ") and say it the SQLite way.
        if (before >= 0 && KindAt(before) == TokenKind::Word) {
            const QStringView copiedType =
                src_.mid(toks_[before].pos, Cur().pos - toks_[before].pos);
            if (out_.endsWith(copiedType))
                out_.chop(copiedType.size());
        }
        out_ += u"INTEGER PRIMARY KEY AUTOINCREMENT";
        if (KindAt(resume) == TokenKind::Word &&
            TextAt(resume).compare(u"PRIMARY", Qt::CaseInsensitive) == 0) {
            const int key = NextSig(resume + 1);
            if (KindAt(key) == TokenKind::Word &&
                TextAt(key).compare(u"KEY", Qt::CaseInsensitive) == 0) {
                int last = key;
                const int clustered = NextSig(key + 1);
                if (KindAt(clustered) == TokenKind::Word &&
                    (TextAt(clustered).compare(u"CLUSTERED", Qt::CaseInsensitive) == 0 ||
                     TextAt(clustered).compare(u"NONCLUSTERED", Qt::CaseInsensitive) == 0))
                    last = clustered;
                close = last;
                resume = NextSig(last + 1);
            }
        }
    }
    copied_ = toks_[close].pos + toks_[close].len;
    i_ = resume;
    return true;
}

} // namespace zk::sql
