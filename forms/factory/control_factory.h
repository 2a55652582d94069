#pragma once

#include "forms/controls/control_registry.h"
#include "forms/definition/body_reader.h"
#include "forms/definition/control_definition.h"

#include <QFont>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

// The control factory: turns the control definitions of a form body into the
// form's widgets. Each control becomes a Qt child of the form at its
// definition rectangle, is registered under window id = element id + 1024 and
// gets its font, colours, initial value, read-only and hidden state. Fonts are
// values here (QFont), so the form keeps no font list: every control holds its
// own copy.

namespace zk {

class CListCtrlEx;
class CZkTabCtrl;

// What the factory needs of the form it builds for.
struct FactoryTarget {
    // The form; it carries the default font, which controls without a font
    // of their own inherit.
    QWidget* form = nullptr;
    ControlRegistry* registry = nullptr;
    // The form's grids in creation order; the factory appends every grid.
    QList<QPointer<CListCtrlEx>>* grids = nullptr;
    QFont defaultFont;
    QString defaultFace;
    // The form number and the user uid of saved grid column widths.
    int formNumber = 0;
    QString userUid;
    // The form's template expansion of `value` texts (textbox, static,
    // droplist); empty: the text as written.
    std::function<QString(const QString&)> expand;
    // Makes the page widget of one tab page (an embedded form window); the
    // tab control takes it over. Empty or a null answer: the page is left out.
    std::function<QWidget*(const TabPageDefinition&, CZkTabCtrl&)> makeTabPage;
};

// Every control of the body, in document order. After all controls exist,
// each grid column that names an in-place editor (hidden_wnd) gets that
// control with the form's default edit callbacks.
void BuildControls(FactoryTarget& target, const FormBody& body);

// One control; null for a kind the factory does not make.
QWidget* BuildControl(FactoryTarget& target, const ControlDefinition& definition);

// The font a definition's font text gives, or the form's default font.
QFont ControlFontFor(const FactoryTarget& target, const FontSpec& font);

} // namespace zk
