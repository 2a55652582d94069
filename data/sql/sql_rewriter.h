#pragma once

#include "data/sql/sql_tokenizer.h"
#include "data/sql/sql_translate.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace zk::sql {

// What the rewriter can tell about the value of an expression: enough to choose between
// arithmetic and joining texts for '+', and between a cast and none for text functions.
enum class ValueKind : quint8 { Other, Number, Text, Date, Null };

struct Expr {
    int start = 0; // where its text begins in the output
    ValueKind kind = ValueKind::Other;
    bool stringLiteral = false; // a quoted text, perhaps in parentheses
    bool dateLiteral = false;   // a #date#
    bool bareName = false;      // one unqualified name
};

// Where a run of tokens stops, besides the end, ';' and a ')' it did not open.
enum StopFlag : unsigned {
    kStopComma = 1u << 0,
    kStopAs = 1u << 1,       // AS, inside CAST
    kStopEnd = 1u << 2,      // END, inside CASE
    kStopCompound = 1u << 3, // UNION, EXCEPT, INTERSECT
    kStopBoundary = 1u << 4, // a T-SQL statement following without ';'
    kStopSet = 1u << 5,      // SET, after UPDATE's tables
    kStopClause = 1u << 6,   // FROM or WHERE, after UPDATE's SET list
    kStopWhere = 1u << 7,    // WHERE, after UPDATE's FROM list
};

struct RunInfo {
    int items = 0; // values and other tokens read at this level
    Expr last;     // the last value read
    bool boundary = false;
};

// An argument of a function call: where its text lies in the output.
struct CallArg {
    int start = 0;
    int end = 0;
    bool simple = false; // one value, nothing else
    Expr value;
};

// A table of an UPDATE's table list or FROM clause.
struct TableItem {
    QString nameText;  // translated name
    QString aliasText; // translated alias, empty when there is none
    QString name;      // last part of the name, normalised for comparison
    QString alias;     // alias, normalised
};

// Translates the statements of tokens [first, end) of a script in one pass: tokens are
// copied to the output with the text between them, and the constructs of the legacy
// dialects are rewritten where they are read. A recursive-descent reader knows statement
// skeletons and expression precedence; everything else is copied as it stands.
class Rewriter {
public:
    Rewriter(QStringView sql, const std::vector<Token>& tokens, int first, int end, Dialect target);

    // The translation; a null string when the statements translate to nothing; the original
    // text when it cannot be read safely.
    QString Translate();

private:
    // Cursor and output.
    bool AtEnd() const { return i_ >= end_; }
    const Token& Cur() const { return toks_[i_]; }
    int NextSig(int k) const;
    int Peek(int n) const;
    TokenKind KindAt(int k) const;
    Word WordAt(int k) const;
    QStringView TextAt(int k) const;
    bool IsOp(int k, QStringView op) const;
    bool IsNameToken(int k) const;
    void Advance() { i_ = NextSig(i_ + 1); }
    void FlushTo(int pos);
    void FlushTrivia();
    void UnflushTrivia();
    void CopyCur();
    void ReplaceCur(QStringView text);
    void DropCur();
    void DropCurKeepTrivia();
    int RangeEndPos() const;
    int MatchParen(int open, int limit) const;
    bool Deeper();

    // Statements.
    bool Statement();
    bool RunToEnd(unsigned flags);
    bool UpdateStatement();
    bool SimpleUpdate();
    bool DeleteStatement();
    bool TruncateStatement();
    bool SetStatement();
    bool SetList();
    bool IsBoundaryAt(int k) const;
    bool EndsValueAt(int k) const;

    // Runs of tokens and expressions.
    RunInfo Run(unsigned flags);
    bool StopsAt(unsigned flags, bool afterValue, bool* boundary) const;
    void OtherToken();
    bool SelectBody(unsigned flags);
    QString TakeTop(bool* percent);
    bool Value(Expr& e);
    void JetConcat(Expr& e);
    bool Additive(Expr& e);
    void CombineAdditive(Expr& e, const Expr& r, bool plus, int leftEnd, int opEnd);
    bool Term(Expr& e);
    bool Unary(Expr& e);
    bool Postfix(Expr& e);
    bool Primary(Expr& e);
    bool Parenthesized(Expr& e);
    bool NameValue(Expr& e);
    void EmitName();
    bool CaseValue(Expr& e);
    void VariableValue(Expr& e);
    void CopyTypeAfterCast();
    bool DdlType();
    bool IdentityColumn();
    int PrevSig(int k) const;

    // Function calls (sql_rewriter_calls.cpp).
    bool Call(Expr& e);
    bool DropTableHint();
    void RewriteCall(Expr& e, int callStart, int nameIdx, const std::vector<CallArg>& args);
    QString Arg(const CallArg& a) const;
    QString ArgAsText(const CallArg& a) const;
    void ReplaceFrom(int start, const QString& text);
    void ReplaceCallThrough(int start, int close, const QString& text);
    bool CastCall(Expr& e);
    bool ConvertCall(Expr& e);
    QString CastText(const QString& value, QStringView typeText, Expr& e) const;
    int FindAtDepthZero(int open, int close, TokenKind kind, Word word) const;

    // UPDATE with several tables (sql_rewriter_update.cpp).
    bool ParseTableList(int a, int b, std::vector<TableItem>& items, QStringList& conds);
    int ParseTableItem(int k, int b, std::vector<TableItem>& items, QStringList& conds);
    int ConditionEnd(int k, int b) const;
    QString Piece(int a, int b, const std::function<void()>& body);
    QString SetQualifier(int a, int b) const;

    QStringView src_;
    const std::vector<Token>& toks_;
    int first_;
    int end_;
    bool pg_;
    int i_ = 0;
    int copied_ = 0;
    int depth_ = 0;
    bool failed_ = false;
    bool ddl_ = false;
    QString out_;
};

} // namespace zk::sql
