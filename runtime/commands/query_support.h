#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The steps that the query commands share: finding controls, the row
// context of a grid or tree list, the condition lists, the input/output
// mapping and the distribution of values into target controls.

namespace zk {

class CDbSession;
class CListCtrlEx;
class CXmlNode;
class D_T1;

// A text attribute of a command or parameter element ("" when absent).
QString Attr(const CXmlNode& node, const char* name);
// `txt` non-zero: the command runs on the local text-file session.
bool TextSession(const CXmlNode& command);

// --- Controls ------------------------------------------------------------------

// The control a reference names (FindControl), or null.
QWidget* QueryControl(const D_T1& form, const QString& reference);
// This form's control with a bare numeric id; null for ids below 1 and
// for anything that is no number.
QWidget* QueryControlById(const D_T1& form, int id);
// The grid a reference names, or null (also when it names another kind).
CListCtrlEx* QueryGrid(const D_T1& form, const QString& reference);

// The whole text of `text` expanded by the form's templates.
QString Expand(const D_T1& form, const QString& text);

// --- Row context -------------------------------------------------------------------

enum class RowPlaceholders {
    UidAndCells, // "{{id?uid}}" and "{{id?N}}"
    UidOnly,     // "{{id?uid}}"
};

// Replaces "{{id?N}}" (N counted from `firstColumnNumber`) by the escaped
// texts of the row's cells and, unless `uid` is null, "{{id?uid}}" by it.
void ApplyRowTexts(const CListCtrlEx& grid, int row, int firstColumnNumber, QString& text);
void ApplyRowUid(const QString& uid, QString& text);

// The row context of the commands that take one: an empty `tableId` leaves
// the text alone. Otherwise the control must be a grid with a selected row
// (the first one gives the context) or, when `treeLists` is set, a tree list
// with a selected row; false when it is neither.
bool ApplyRowContext(const D_T1& form, const QString& tableId, RowPlaceholders placeholders,
                     bool treeLists, QString& text);

// --- Conditions --------------------------------------------------------------------

// The rules by which a condition list fills its "{{pN}}" placeholders.
enum class ConditionRule {
    FragmentOfValue,        // A: control reference; empty text: nothing, else `where` with {{self}}
    EscapedFragmentOfValue, // A, the text escaped for SQL first (able)
    FragmentAlways,         // B: control reference; `where` with {{self}} even when empty,
                            //    the bare text when `where` is empty
    FragmentOfIdText,       // C: numeric id, its window text; empty: nothing, else `where`
    EscapedIdText,          // D: numeric id, its window text escaped for SQL
    PlainValue,             // E: control reference, the text as it stands
};

// Applies the conditions (the child elements of `list`, the k-th owning
// "{{pk}}") to `text`. With `signs` (query_to_wnds) each condition also
// replaces its `sign` text (or, when that is empty, the current text of
// control `sign_id`) by the same fragment.
void ApplyConditions(const D_T1& form, const CXmlNode& list, ConditionRule rule, QString& text,
                     bool signs = false);

// --- Input/output mapping ----------------------------------------------------------

struct TargetList {
    QStringList targets; // control references, in order
    QStringList types;   // a type per target ("checked"), empty without para_in_out
};

// The targets of a command: from its para_in_out child when it has one (its
// `in` texts, joined with ",", then replace "{{para_in}}" in `text`, which is
// expanded again), else `target_ids` split at ";".
TargetList ReadTargets(const D_T1& form, const CXmlNode& command, QString& text);
QStringList SplitTargets(const QString& targetIds);

// --- Values ------------------------------------------------------------------------

// The values of a command: `values` split at `type` when `type` is not
// empty, else every value the statement returns on the chosen session (a
// failed query counts as no value).
QStringList QueryValues(D_T1& form, const QString& statement, const QString& type,
                        bool textSession);

// The count check of the commands that put values into targets: on a
// mismatch the form shows "参数和值数量不匹配!" and the result is false.
bool CountsMatch(D_T1& form, qsizetype values, qsizetype targets);

// Every target's text becomes the empty text (missing controls skipped).
void ClearTargets(const D_T1& form, const QStringList& targets);

// The texts of the messages and failure texts of this family.
namespace query_texts {
inline const QString kCountMismatch = QStringLiteral("参数和值数量不匹配!");
inline const QString kSlotRange = QStringLiteral("超出可设置全局变量范围！");
inline const QString kNoGridId = QStringLiteral("未指定表格id");
inline const QString kBadParameters = QStringLiteral("参数错误");
inline const QString kSelectRecord = QStringLiteral("请选择记录！");
inline const QString kSelectRecordOrUid =
    QStringLiteral("请选择记录或者录入关联索引的指定控件编号uid_wnd_id！");
inline const QString kConfirmQuestion = QStringLiteral("是否确认操作？");
inline const QString kConfirmCaption = QStringLiteral("操作确认");
inline const QString kCommandFailed = QStringLiteral("命令异常!");
inline const QString kCommand2Failed = QStringLiteral("命令2异常!");
inline const QString kSuccess = QStringLiteral("操作成功");
inline const QString kSelectRow = QStringLiteral("请选择行");
inline const QString kRunFailed = QStringLiteral("运行异常，如自己无法解决，请联系管理员。");
} // namespace query_texts

} // namespace zk
