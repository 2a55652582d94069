#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace zk {

// Every live control of a form carries its kind, so that the value operations and
// the script look-ups can tell the kinds apart without knowing the widget classes:
// the control classes hold it in their ControlTag base, other widgets in the
// QObject property "zkKind" with one of the texts below.
inline constexpr char kZkKindProperty[] = "zkKind";

enum class ControlKind {
    None,       // not a control of a form (or a widget nobody tagged)
    EditButton, // "editbutton": CFileEditCtrl
    TextBox,    // "textbox": single- or multi-line edit box
    DropList,   // "droplist": combo box
    DateCtrl,   // "datectrl": date picker
    Button,     // "button": push button, check box, colour buttons, hyperlink
    Table,      // "table": the grid CListCtrlEx
    Tree,       // "tree": tree view
    Picture,    // "picture": ZkPicture in any mode (pictures, charts, tree lists)
    Static,     // "static": CZkStatic label
    Panel,      // "panel": CZkTabCtrl
};

// The property text of a kind ("" for None) and back (unknown text gives None).
inline QString ControlKindText(ControlKind kind)
{
    switch (kind) {
    case ControlKind::EditButton:
        return QStringLiteral("editbutton");
    case ControlKind::TextBox:
        return QStringLiteral("textbox");
    case ControlKind::DropList:
        return QStringLiteral("droplist");
    case ControlKind::DateCtrl:
        return QStringLiteral("datectrl");
    case ControlKind::Button:
        return QStringLiteral("button");
    case ControlKind::Table:
        return QStringLiteral("table");
    case ControlKind::Tree:
        return QStringLiteral("tree");
    case ControlKind::Picture:
        return QStringLiteral("picture");
    case ControlKind::Static:
        return QStringLiteral("static");
    case ControlKind::Panel:
        return QStringLiteral("panel");
    case ControlKind::None:
        break;
    }
    return {};
}

inline ControlKind ControlKindFromText(const QString& text)
{
    for (ControlKind kind :
         {ControlKind::EditButton, ControlKind::TextBox, ControlKind::DropList,
          ControlKind::DateCtrl, ControlKind::Button, ControlKind::Table, ControlKind::Tree,
          ControlKind::Picture, ControlKind::Static, ControlKind::Panel}) {
        if (ControlKindText(kind) == text)
            return kind;
    }
    return ControlKind::None;
}

// What every control class of the forms carries as a second base: its kind and,
// once a form registered it, its window id, as plain members. A form makes
// hundreds of controls; QObject properties would cost each a look-up through
// the whole property table and an allocation for every value.
class ControlTag {
public:
    ControlKind TaggedKind() const { return kind_; }
    void SetTaggedKind(ControlKind kind) { kind_ = kind; }
    int TaggedWindowId() const { return windowId_; }
    void SetTaggedWindowId(int windowId) { windowId_ = windowId; }

protected:
    explicit ControlTag(ControlKind kind)
        : kind_(kind)
    {
    }
    ~ControlTag() = default;

private:
    ControlKind kind_;
    int windowId_ = 0;
};

inline ControlTag* ControlTagOf(QObject* control)
{
    return dynamic_cast<ControlTag*>(control);
}

inline const ControlTag* ControlTagOf(const QObject* control)
{
    return dynamic_cast<const ControlTag*>(control);
}

// Tags a control: a ControlTag holds the kind itself, any other widget (one
// a test stands in with) gets the property "zkKind".
inline void SetControlKind(QObject* control, ControlKind kind)
{
    if (!control)
        return;
    if (ControlTag* tag = ControlTagOf(control))
        tag->SetTaggedKind(kind);
    else
        control->setProperty(kZkKindProperty, ControlKindText(kind));
}

inline ControlKind ControlKindOf(const QObject* control)
{
    if (!control)
        return ControlKind::None;
    if (const ControlTag* tag = ControlTagOf(control))
        return tag->TaggedKind();
    return ControlKindFromText(control->property(kZkKindProperty).toString());
}

} // namespace zk
