// UPDATE statements that name more than one table.
//
// Jet:   UPDATE a, b B SET a.f = B.f WHERE …          (or UPDATE a INNER JOIN b ON … SET …)
// T-SQL: UPDATE a SET a.f = B.f FROM a INNER JOIN b B ON … WHERE …
// Both targets want: UPDATE a SET f = B.f FROM b B WHERE (join conditions) AND (…), with the
// updated table named once, outside the FROM list, and no qualifier left of '='.
#include "data/sql/sql_names.h"
#include "data/sql/sql_rewriter.h"

namespace zk::sql {

namespace {

int FindItem(const std::vector<TableItem>& items, const QString& qualifier)
{
    for (size_t k = 0; k < items.size(); ++k) {
        const TableItem& t = items[k];
        if (t.alias == qualifier || (t.alias.isEmpty() && t.name == qualifier))
            return static_cast<int>(k);
    }
    return -1;
}

QString ItemText(const TableItem& t, bool withAs)
{
    if (t.aliasText.isEmpty())
        return t.nameText;
    return t.nameText + (withAs ? " AS " : " ") + t.aliasText;
}

} // namespace

bool Rewriter::UpdateStatement()
{
    // The skeleton at depth 0: SET, FROM, WHERE and where the statement ends.
    const int u = i_;
    int s = -1;
    int f = -1;
    int w = -1;
    int z = end_;
    int depth = 0;
    int prev = u;
    for (int k = NextSig(u + 1); k < end_; k = NextSig(k + 1)) {
        const TokenKind kind = toks_[k].kind;
        if (kind == TokenKind::LParen) {
            ++depth;
        } else if (kind == TokenKind::RParen) {
            if (depth == 0) {
                z = k;
                break;
            }
            --depth;
        } else if (depth == 0 && kind == TokenKind::Word) {
            if (s >= 0 && EndsValueAt(prev) && IsBoundaryAt(k)) {
                z = k;
                break;
            }
            const Word word = toks_[k].word;
            if (word == Word::Set && s < 0)
                s = k;
            else if (word == Word::From && s >= 0 && f < 0 && w < 0)
                f = k;
            else if (word == Word::Where && s >= 0 && w < 0)
                w = k;
        }
        prev = k;
    }
    if (s < 0)
        return SimpleUpdate();

    std::vector<TableItem> targets;
    std::vector<TableItem> froms;
    QStringList targetConds;
    QStringList fromConds;
    if (!ParseTableList(NextSig(u + 1), s, targets, targetConds))
        return SimpleUpdate();
    if (f >= 0 && !ParseTableList(NextSig(f + 1), w >= 0 ? w : z, froms, fromConds))
        return SimpleUpdate();
    const int setEnd = f >= 0 ? f : (w >= 0 ? w : z);
    if (NextSig(s + 1) >= setEnd)
        return SimpleUpdate();

    TableItem target;
    std::vector<TableItem> rest;
    if (targets.size() > 1 || !targetConds.isEmpty()) {
        // Jet: the updated table is the one the assignments name.
        int t = FindItem(targets, SetQualifier(NextSig(s + 1), setEnd));
        if (t < 0)
            t = 0;
        target = targets[static_cast<size_t>(t)];
        targets.erase(targets.begin() + t);
        rest = targets;
        rest.insert(rest.end(), froms.begin(), froms.end());
    } else if (!froms.empty()) {
        // T-SQL: the FROM list names the updated table again (perhaps by an alias).
        const TableItem& named = targets.front();
        const QString key = named.alias.isEmpty() ? named.name : named.alias;
        int t = FindItem(froms, key);
        if (t < 0) {
            for (size_t k = 0; k < froms.size() && t < 0; ++k) {
                if (froms[k].name == key)
                    t = static_cast<int>(k);
            }
        }
        if (t < 0)
            return SimpleUpdate();
        target = froms[static_cast<size_t>(t)];
        froms.erase(froms.begin() + t);
        rest = froms;
    } else {
        return SimpleUpdate();
    }

    const QString setText = Piece(NextSig(s + 1), setEnd, [this] { SetList(); });
    const QString whereText =
        w >= 0 ? Piece(NextSig(w + 1), z, [this] { Run(kStopBoundary); }) : QString();
    QString text = "UPDATE " + ItemText(target, true) + " SET " + setText;
    if (!rest.empty()) {
        QStringList names;
        for (const TableItem& t : rest)
            names << ItemText(t, false);
        text += " FROM " + names.join(u", ");
    }
    QStringList where;
    for (const QString& c : targetConds + fromConds)
        where << u'(' + c + u')';
    if (!whereText.isEmpty())
        where << (where.isEmpty() ? whereText : u'(' + whereText + u')');
    if (!where.isEmpty())
        text += " WHERE " + where.join(u" AND ");

    FlushTrivia();
    out_ += text;
    int last = z - 1;
    while (last > u && IsTrivia(toks_[last].kind))
        --last;
    copied_ = toks_[last].pos + toks_[last].len;
    i_ = z;
    return z < end_ && IsBoundaryAt(z);
}

bool Rewriter::SimpleUpdate()
{
    CopyCur();
    if (Run(kStopSet | kStopBoundary).boundary)
        return true;
    if (WordAt(i_) != Word::Set)
        return RunToEnd(kStopBoundary);
    CopyCur();
    if (SetList())
        return true;
    if (WordAt(i_) == Word::From) {
        CopyCur();
        if (Run(kStopWhere | kStopBoundary).boundary)
            return true;
    }
    if (WordAt(i_) == Word::Where)
        CopyCur();
    return RunToEnd(kStopBoundary);
}

// The qualifier of the first qualified assignment in [a, b), normalised; empty when none.
QString Rewriter::SetQualifier(int a, int b) const
{
    int depth = 0;
    bool atStart = true;
    for (int k = a; k < b; k = NextSig(k + 1)) {
        const TokenKind kind = toks_[k].kind;
        if (atStart && depth == 0 && IsNameToken(k)) {
            const int dot = NextSig(k + 1);
            const int column = NextSig(dot + 1);
            if (KindAt(dot) == TokenKind::Dot && IsNameToken(column) &&
                IsOp(NextSig(column + 1), u"="))
                return NormalName(TextAt(k));
        }
        atStart = false;
        if (kind == TokenKind::LParen)
            ++depth;
        else if (kind == TokenKind::RParen)
            --depth;
        else if (kind == TokenKind::Comma && depth == 0)
            atStart = true;
    }
    return {};
}

// Tables separated by ',' or [INNER] JOIN … ON …, parentheses around joins allowed. False for
// anything else (outer joins cannot be moved into WHERE).
bool Rewriter::ParseTableList(int a, int b, std::vector<TableItem>& items, QStringList& conds)
{
    int k = ParseTableItem(a, b, items, conds);
    while (k >= 0 && k < b) {
        if (KindAt(k) == TokenKind::Comma) {
            k = ParseTableItem(NextSig(k + 1), b, items, conds);
            continue;
        }
        if (WordAt(k) == Word::Inner)
            k = NextSig(k + 1);
        if (WordAt(k) != Word::Join)
            return false;
        k = ParseTableItem(NextSig(k + 1), b, items, conds);
        if (k < 0 || WordAt(k) != Word::On)
            return false;
        const int condStart = NextSig(k + 1);
        const int condEnd = ConditionEnd(condStart, b);
        if (condStart >= condEnd)
            return false;
        conds << Piece(condStart, condEnd, [this] { Run(0); });
        k = condEnd;
    }
    return k == b;
}

// One table (a name with an optional alias, a derived table, or a parenthesised join list);
// the index after it, -1 when there is none.
int Rewriter::ParseTableItem(int k, int b, std::vector<TableItem>& items, QStringList& conds)
{
    if (k >= b)
        return -1;
    TableItem item;
    int next = -1;
    if (KindAt(k) == TokenKind::LParen) {
        const int close = MatchParen(k, b);
        if (close < 0)
            return -1;
        const int inner = NextSig(k + 1);
        if (WordAt(inner) != Word::Select)
            return ParseTableList(inner, close, items, conds) ? NextSig(close + 1) : -1;
        item.nameText = Piece(k, close + 1, [this] { Run(0); });
        next = NextSig(close + 1);
    } else if (IsNameToken(k)) {
        int last = k;
        while (KindAt(NextSig(last + 1)) == TokenKind::Dot &&
               IsNameToken(NextSig(NextSig(last + 1) + 1)))
            last = NextSig(NextSig(last + 1) + 1);
        item.name = NormalName(TextAt(last));
        item.nameText = Piece(k, last + 1, [this] { Run(0); });
        next = NextSig(last + 1);
    } else {
        return -1;
    }
    if (next < b && WordAt(next) == Word::As)
        next = NextSig(next + 1);
    if (next < b && IsNameToken(next)) {
        item.alias = NormalName(TextAt(next));
        item.aliasText = pg_ && KindAt(next) == TokenKind::Bracketed
                             ? PostgresName(BracketContent(TextAt(next)))
                             : TextAt(next).toString();
        next = NextSig(next + 1);
    }
    items.push_back(item);
    return next;
}

int Rewriter::ConditionEnd(int k, int b) const
{
    int depth = 0;
    for (; k < b; k = NextSig(k + 1)) {
        const TokenKind kind = toks_[k].kind;
        if (kind == TokenKind::LParen) {
            ++depth;
        } else if (kind == TokenKind::RParen) {
            --depth;
        } else if (depth == 0) {
            const Word w = WordAt(k);
            if (kind == TokenKind::Comma || w == Word::Inner || w == Word::Join ||
                w == Word::Left || w == Word::Right || w == Word::Full || w == Word::Cross ||
                w == Word::Natural)
                return k;
        }
    }
    return b;
}

// Translates tokens [a, b) on their own and gives the text, without the blanks around it.
QString Rewriter::Piece(int a, int b, const std::function<void()>& body)
{
    if (a >= b)
        return {};
    const int savedI = i_;
    const int savedEnd = end_;
    const int savedCopied = copied_;
    QString savedOut = std::move(out_);
    out_ = QString();
    end_ = b;
    i_ = NextSig(a);
    copied_ = AtEnd() ? 0 : Cur().pos;
    body();
    if (!AtEnd())
        RunToEnd(0);
    QString piece = std::move(out_);
    out_ = std::move(savedOut);
    i_ = savedI;
    end_ = savedEnd;
    copied_ = savedCopied;
    return piece;
}

} // namespace zk::sql
