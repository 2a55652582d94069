#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace zk {

// Every live control of a form carries its kind in the QObject property "zkKind",
// so that the value operations and the script look-ups can tell the kinds apart
// without knowing the widget classes (the grid is written elsewhere, the factory
// maps definitions onto widgets later). The property holds one of the texts below.
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

// Tags a control widget; every control class calls this in its constructor
// (the grid: SetControlKind(this, ControlKind::Table)).
inline void SetControlKind(QObject* control, ControlKind kind)
{
    if (control)
        control->setProperty(kZkKindProperty, ControlKindText(kind));
}

inline ControlKind ControlKindOf(const QObject* control)
{
    if (!control)
        return ControlKind::None;
    return ControlKindFromText(control->property(kZkKindProperty).toString());
}

} // namespace zk
