#include "runtime/lint/form_lint.h"

#include "forms/definition/control_definition.h"
#include "forms/definition/definition_paths.h"
#include "runtime/definition/form_events.h"
#include "runtime/lint/lint_support.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace zk {

namespace {

using lint::AttrOf;
using lint::AttrRule;
using lint::CheckValueForms;
using lint::IntOf;
using lint::Label;
using lint::NameOf;
using lint::Sink;
using lint::ValueForm;

// As the document layer parses: comments kept, fragments parsed so that
// text beside the root can be refused.
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_comments | pugi::parse_fragment;

// Forms nested in forms (pages in pages) deeper than this are not checked.
constexpr int kMaxFormDepth = 32;

constexpr AttrRule kControlRules[] = {{"id", ValueForm::Integer},
                                      {"style", ValueForm::Integer},
                                      {"hidden", ValueForm::Integer},
                                      {"director", ValueForm::Integer}};
constexpr AttrRule kTextBoxRules[] = {
    {"maxlen", ValueForm::Integer}, {"readonly", ValueForm::Integer}, {"font", ValueForm::Font}};
constexpr AttrRule kButtonRules[] = {
    {"maxlen", ValueForm::Integer}, {"img", ValueForm::Integer},
    {"color", ValueForm::Colour},   {"font", ValueForm::Font},
    {"popup", ValueForm::Integer},  {"disabled", ValueForm::Integer}};
constexpr AttrRule kLabelRules[] = {{"color", ValueForm::Colour}, {"font", ValueForm::Font}};
constexpr AttrRule kEditButtonRules[] = {{"maxlen", ValueForm::Integer},
                                         {"color", ValueForm::Colour},
                                         {"img", ValueForm::Colour},
                                         {"minlen", ValueForm::Integer},
                                         {"font", ValueForm::Font}};
constexpr AttrRule kReadOnlyFontRules[] = {{"readonly", ValueForm::Integer},
                                           {"font", ValueForm::Font}};
constexpr AttrRule kFontRules[] = {{"font", ValueForm::Font}};
constexpr AttrRule kGroupRules[] = {{"id", ValueForm::Integer},
                                    {"value", ValueForm::IdList},
                                    {"style", ValueForm::Integer},
                                    {"desp", ValueForm::Integer},
                                    {"director", ValueForm::Integer}};
constexpr AttrRule kSplitRules[] = {{"desp", ValueForm::Integer}};
constexpr AttrRule kColumnRules[] = {
    {"col_id", ValueForm::Integer},     {"id", ValueForm::Integer},
    {"hidden_wnd", ValueForm::Integer}, {"format", ValueForm::Integer},
    {"width", ValueForm::Integer},      {"sort", ValueForm::Integer},
    {"type", ValueForm::Integer},       {"sum", ValueForm::Integer},
    {"color_bg", ValueForm::Colour},    {"color_text", ValueForm::Colour}};
constexpr AttrRule kEndEditRules[] = {{"target_ids", ValueForm::IdList}};
constexpr AttrRule kValueRules[] = {{"value", ValueForm::Integer}};
constexpr AttrRule kTreeItemRules[] = {{"width", ValueForm::Integer},
                                       {"height", ValueForm::Integer},
                                       {"type", ValueForm::Integer},
                                       {"menu_id", ValueForm::Integer}};
constexpr AttrRule kHeadRules[] = {
    {"style", ValueForm::Integer},      {"in_id", ValueForm::Integer},
    {"thread_id", ValueForm::Integer},  {"time_split", ValueForm::Integer},
    {"parent_btn", ValueForm::Integer}, {"bg", ValueForm::Integer}};
constexpr AttrRule kHotKeyRules[] = {{"id", ValueForm::Integer}, {"value", ValueForm::Integer}};
constexpr AttrRule kDrawingRules[] = {{"style", ValueForm::Integer},
                                      {"width", ValueForm::Integer},
                                      {"color", ValueForm::Colour},
                                      {"font", ValueForm::Font}};

constexpr std::array<const char16_t*, 10> kDrawingTypes = {
    u"img", u"line", u"arrow", u"rect", u"rect1", u"rect2", u"rect3", u"yuan", u"yuan1", u"text"};

std::span<const AttrRule> KindRules(ControlElementKind kind)
{
    switch (kind) {
    case ControlElementKind::TextBox:
        return kTextBoxRules;
    case ControlElementKind::Button:
        return kButtonRules;
    case ControlElementKind::Static:
    case ControlElementKind::Pic:
        return kLabelRules;
    case ControlElementKind::EditButton:
        return kEditButtonRules;
    case ControlElementKind::Table:
    case ControlElementKind::DateCtrl:
    case ControlElementKind::TreeList:
        return kReadOnlyFontRules;
    case ControlElementKind::DropList:
        return kFontRules;
    case ControlElementKind::Panel:
    case ControlElementKind::Tree:
        return {};
    }
    return {};
}

QString ParseErrorText(pugi::xml_parse_status status)
{
    switch (status) {
    case pugi::status_unrecognized_tag:
        return QStringLiteral("无法识别的标记");
    case pugi::status_bad_pi:
        return QStringLiteral("XML 声明或处理指令格式错误");
    case pugi::status_bad_comment:
        return QStringLiteral("注释格式错误");
    case pugi::status_bad_cdata:
        return QStringLiteral("CDATA 格式错误");
    case pugi::status_bad_doctype:
        return QStringLiteral("DOCTYPE 格式错误");
    case pugi::status_bad_pcdata:
        return QStringLiteral("文本格式错误");
    case pugi::status_bad_start_element:
        return QStringLiteral("开始标记格式错误");
    case pugi::status_bad_attribute:
        return QStringLiteral("属性格式错误（引号不配对或缺少 =）");
    case pugi::status_bad_end_element:
        return QStringLiteral("结束标记格式错误");
    case pugi::status_end_element_mismatch:
        return QStringLiteral("开始标记与结束标记不配对");
    default:
        return QStringLiteral("无法解析");
    }
}

// True when the text has exactly one root element and nothing but markup
// beside it; each other case is one finding.
bool CheckSingleRoot(Sink& sink, const pugi::xml_document& doc)
{
    bool ok = true;
    int elements = 0;
    for (pugi::xml_node n : doc.children()) {
        if (n.type() == pugi::node_element && ++elements == 2) {
            sink.Add(n, QStringLiteral("XML 只能有一个根元素，<%1> 是第二个").arg(NameOf(n)));
            ok = false;
        } else if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
            sink.Add(n, QStringLiteral("根元素之外不能有文字"));
            ok = false;
        }
    }
    if (elements == 0) {
        sink.AddAtOffset(0, QStringLiteral("XML 没有根元素"));
        ok = false;
    }
    return ok;
}

enum class FormRole { Document, Popup, Page };

class FormLinter {
public:
    explicit FormLinter(Sink& sink)
        : sink_(sink)
    {
    }

    void LintHtml(pugi::xml_node html, FormRole role, int depth);

private:
    void LintFormId(pugi::xml_node html, pugi::xml_node dialog);
    void LintHead(pugi::xml_node html, FormRole role);
    void LintPlacement(pugi::xml_node html, pugi::xml_node head, FormRole role);
    void LintHeadChildren(pugi::xml_node head);
    void LintDialog(pugi::xml_node body, pugi::xml_node dialog, int depth);
    void LintControl(pugi::xml_node e, ControlElementKind kind, pugi::xml_node body, int depth);
    void LintPos(pugi::xml_node e);
    void LintActions(pugi::xml_node e, ControlElementKind kind);
    void LintButtonShade(pugi::xml_node e);
    void LintInlinePopup(pugi::xml_node e, pugi::xml_node body);
    void LintGrid(pugi::xml_node table);
    void LintTreeItems(pugi::xml_node parent, int depth);

    Sink& sink_;
    QHash<QString, int> formLines_; // form id -> line of its first html
};

void FormLinter::LintHtml(pugi::xml_node html, FormRole role, int depth)
{
    if (depth > kMaxFormDepth)
        return;
    const pugi::xml_node body = html.child("body");
    LintFormId(html, body.child("dialog"));
    LintHead(html, role);
    LintDialog(body, body.child("dialog"), depth);
    for (pugi::xml_node popup : body.child("popup").children("html"))
        LintHtml(popup, FormRole::Popup, depth + 1);
}

void FormLinter::LintFormId(pugi::xml_node html, pugi::xml_node dialog)
{
    const QString id = AttrOf(html, "id");
    if (id.isEmpty() || id == QStringView(u"-1")) {
        if (dialog.first_child())
            sink_.Add(html, QStringLiteral("表单没有 id，不会创建任何控件"));
        return;
    }
    const auto it = formLines_.constFind(id);
    if (it != formLines_.constEnd())
        sink_.Add(html, QStringLiteral("表单编号 %1 重复（第 %2 行已用）").arg(id).arg(*it));
    else
        formLines_.insert(id, sink_.LineOf(html));
}

void FormLinter::LintHead(pugi::xml_node html, FormRole role)
{
    const pugi::xml_node head = html.child("head");
    LintPlacement(html, head, role);
    if (!head)
        return;
    CheckValueForms(sink_, head, kHeadRules);
    LintHeadChildren(head);
}

// A tab page takes its place from the tab control; every other form needs a
// head pos or its window closes as soon as it opens.
void FormLinter::LintPlacement(pugi::xml_node html, pugi::xml_node head, FormRole role)
{
    const QString pos = AttrOf(head, "pos");
    if (pos.isEmpty()) {
        if (role != FormRole::Page)
            sink_.Add(head ? head : html, QStringLiteral("head 没有 pos，窗口打开后会立即关闭"));
        return;
    }
    if (pos != u"0")
        CheckValueForms(sink_, head, std::array{AttrRule{"pos", ValueForm::Rectangle}});
}

void FormLinter::LintHeadChildren(pugi::xml_node head)
{
    for (pugi::xml_node event : head.child("ACTION").children()) {
        if (event.type() != pugi::node_element)
            continue;
        if (NameOf(event) == QStringView(kInitEvent))
            lint::LintScript(sink_, event);
        else
            sink_.Add(
                event,
                QStringLiteral("head/ACTION 下只能有 INIT，<%1> 不会执行").arg(NameOf(event)));
    }
    for (pugi::xml_node key : head.child("HOTKEY").child("para_info").children()) {
        if (key.type() != pugi::node_element)
            continue;
        CheckValueForms(sink_, key, kHotKeyRules);
        const int n = IntOf(key, "id");
        if (n < 1 || n > 24)
            sink_.Add(key, QStringLiteral("热键编号 %1 不在 1–24 之内").arg(n));
    }
    for (pugi::xml_node item : head.child("bg").children()) {
        if (item.type() != pugi::node_element)
            continue;
        const QString type = AttrOf(item, "type");
        if (std::none_of(kDrawingTypes.begin(), kDrawingTypes.end(),
                         [&](const char16_t* t) { return type == QStringView(t); }))
            sink_.Add(item, QStringLiteral("背景元素类型 \"%1\" 未知").arg(type));
        LintPos(item);
        CheckValueForms(sink_, item, kDrawingRules);
    }
}

void FormLinter::LintDialog(pugi::xml_node body, pugi::xml_node dialog, int depth)
{
    QHash<int, int> idLines;
    for (pugi::xml_node e : dialog.children()) {
        if (e.type() != pugi::node_element)
            continue;
        const QString name = NameOf(e);
        if (name == u"group") {
            CheckValueForms(sink_, e, kGroupRules);
            LintPos(e);
            continue;
        }
        if (name == u"split") {
            CheckValueForms(sink_, e, kSplitRules);
            continue;
        }
        const std::optional<ControlElementKind> kind = ControlElementKindFromName(name);
        if (!kind) {
            sink_.Add(e, QStringLiteral("未知元素 <%1>").arg(name));
            continue;
        }
        const int id = IntOf(e, "id");
        if (idLines.contains(id))
            sink_.Add(
                e,
                QStringLiteral("控件编号 %1 重复（第 %2 行已用）").arg(id).arg(idLines.value(id)));
        else
            idLines.insert(id, sink_.LineOf(e));
        LintControl(e, *kind, body, depth);
    }
    lint::LintLayout(sink_, dialog);
}

void FormLinter::LintControl(pugi::xml_node e, ControlElementKind kind, pugi::xml_node body,
                             int depth)
{
    CheckValueForms(sink_, e, kControlRules);
    CheckValueForms(sink_, e, KindRules(kind));
    LintPos(e);
    LintActions(e, kind);
    switch (kind) {
    case ControlElementKind::Button:
        LintButtonShade(e);
        break;
    case ControlElementKind::EditButton:
        LintInlinePopup(e, body);
        break;
    case ControlElementKind::Table:
        LintGrid(e);
        break;
    case ControlElementKind::TreeList:
        LintTreeItems(e.child("PARA").child("head_info"), 1);
        break;
    case ControlElementKind::Panel:
        for (pugi::xml_node page : e.children("html"))
            LintHtml(page, FormRole::Page, depth + 1);
        break;
    default:
        break;
    }
}

void FormLinter::LintPos(pugi::xml_node e)
{
    if (AttrOf(e, "pos").isEmpty())
        sink_.Add(e, QStringLiteral("%1 缺少 pos").arg(Label(e)));
    else
        CheckValueForms(sink_, e, std::array{AttrRule{"pos", ValueForm::Rectangle}});
}

void FormLinter::LintActions(pugi::xml_node e, ControlElementKind kind)
{
    const pugi::xml_node action = e.child("ACTION");
    if (!action)
        return;
    const QString name = ControlElementName(kind);
    if (!CanCarryEvents(name)) {
        sink_.Add(action, QStringLiteral("<%1> 不能带事件，ACTION 不会执行").arg(name));
        return;
    }
    for (pugi::xml_node event : action.children()) {
        if (event.type() != pugi::node_element)
            continue;
        if (IsControlEventName(NameOf(event)))
            lint::LintScript(sink_, event);
        else
            sink_.Add(event, QStringLiteral("未知事件 <%1>").arg(NameOf(event)));
    }
}

void FormLinter::LintButtonShade(pugi::xml_node e)
{
    const QString shade = AttrOf(e, "shade");
    if (shade.isEmpty() || shade == u"1" || shade == u"2")
        return;
    CheckValueForms(sink_, e, std::array{AttrRule{"shade", ValueForm::Colour}});
}

void FormLinter::LintInlinePopup(pugi::xml_node e, pugi::xml_node body)
{
    const QString popup = AttrOf(e, "popup");
    if (popup.isEmpty() || popup == u"0" || popup == u"-1" || popup.contains(u':'))
        return;
    pugi::xpath_node found;
    try {
        found = body.select_node(InlinePopupPath(popup).toUtf8().constData());
    } catch (const std::exception&) {
    }
    if (!found)
        sink_.Add(e, QStringLiteral("找不到弹出表单 %1（body/popup/html[@id=%1]）").arg(popup));
}

void FormLinter::LintGrid(pugi::xml_node table)
{
    for (pugi::xml_node col : table.child("PARA").child("col_info").children()) {
        if (col.type() != pugi::node_element)
            continue;
        CheckValueForms(sink_, col, kColumnRules);
        for (pugi::xml_node command : col.child("ENDEDIT").children()) {
            if (command.type() != pugi::node_element)
                continue;
            CheckValueForms(sink_, command, kEndEditRules);
            for (pugi::xml_node param : command.child("para_info").children())
                CheckValueForms(sink_, param, kValueRules);
        }
    }
}

void FormLinter::LintTreeItems(pugi::xml_node parent, int depth)
{
    if (depth > kMaxTreeListDepth)
        return;
    for (pugi::xml_node item : parent.children()) {
        if (item.type() != pugi::node_element)
            continue;
        CheckValueForms(sink_, item, kTreeItemRules);
        LintTreeItems(item, depth + 1);
    }
}

} // namespace

QList<LintFinding> LintForm(const QString& xmlText)
{
    const QByteArray utf8 = xmlText.toUtf8();
    Sink sink(utf8);
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(utf8.constData(), size_t(utf8.size()), kParseOptions, pugi::encoding_utf8);
    if (!parsed) {
        sink.AddAtOffset(qsizetype(parsed.offset),
                         QStringLiteral("XML 格式错误：%1").arg(ParseErrorText(parsed.status)));
        return sink.Take();
    }
    if (!CheckSingleRoot(sink, doc))
        return sink.Take();
    const pugi::xml_node root = doc.document_element();
    if (NameOf(root) != u"html") {
        sink.Add(root, QStringLiteral("根元素必须是 <html>，这里是 <%1>").arg(NameOf(root)));
        return sink.Take();
    }
    FormLinter(sink).LintHtml(root, FormRole::Document, 0);
    return sink.Take();
}

} // namespace zk
