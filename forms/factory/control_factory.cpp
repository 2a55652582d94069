#include "forms/factory/control_factory.h"

#include "forms/controls/colour_button.h"
#include "forms/controls/control_font.h"
#include "forms/controls/control_kind.h"
#include "forms/controls/file_edit_ctrl.h"
#include "forms/controls/standard_buttons.h"
#include "forms/controls/zk_date_ctrl.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_hyperlink.h"
#include "forms/controls/zk_picture.h"
#include "forms/controls/zk_static.h"
#include "forms/controls/zk_tab_ctrl.h"
#include "forms/controls/zk_tree_ctrl.h"
#include "forms/grid/grid_editors.h"
#include "forms/grid/list_ctrl_ex.h"
#include "forms/resources/program_images.h"

#include <QColor>

#include <optional>

namespace zk {

namespace {

std::optional<QColor> ToColour(const std::optional<RgbColor>& colour)
{
    if (!colour)
        return std::nullopt;
    return QColor(colour->r, colour->g, colour->b);
}

QColor ToColour(const RgbColor& colour)
{
    return QColor(colour.r, colour.g, colour.b);
}

// A control without a font of its own inherits the form's, which is the
// default font: setting it on each control again would only cost time.
void ApplyFont(const FactoryTarget& target, QWidget* control, const FontSpec& font)
{
    if (!font.isDefault)
        control->setFont(ControlFontFor(target, font));
}

QString Expanded(const FactoryTarget& target, const ControlDefinition& def)
{
    if (!def.ExpandsValue() || !target.expand)
        return def.value;
    return target.expand(def.value);
}

// The common steps every kind ends with: rectangle, registry, hidden state.
template <typename Control>
Control* Place(FactoryTarget& target, const ControlDefinition& def, Control* control,
               const QRect& rect)
{
    control->setGeometry(rect);
    target.registry->Register(def.windowId(), control);
    if (def.startsHidden)
        control->hide();
    return control;
}

template <typename Control>
Control* Place(FactoryTarget& target, const ControlDefinition& def, Control* control)
{
    return Place(target, def, control, def.pos.toQRect());
}

QWidget* MakeTextBox(FactoryTarget& target, const ControlDefinition& def)
{
    const auto& d = std::get<TextBoxDetail>(def.detail);
    auto* edit = new ZkEdit(def.style, target.form);
    if (d.readonly != 0)
        edit->SetReadOnly(true);
    ApplyFont(target, edit, def.font);
    edit->SetText(Expanded(target, def));
    if (d.maxlen != 0)
        edit->SetMaxLength(d.maxlen);
    return Place(target, def, edit);
}

QWidget* MakeColourButton(FactoryTarget& target, const ControlDefinition& def,
                          const ButtonDetail& d, ButtonKind kind)
{
    const auto fill = kind == ButtonKind::Shaded ? CColorButton::ShadeFillFor(d.maxlen)
                                                 : CColorButton::ShadeFill::None;
    auto* button = new CColorButton(fill, target.form);
    button->setToolTip(d.desp);
    button->SetImagePlacementStyle(def.style);
    if (kind == ButtonKind::Colour && d.img > 0)
        button->SetImage(ProgramPixmap(436 + d.img));
    if (d.disabledAtCreation())
        button->setEnabled(false);
    const QColor shadeColour = d.shadeColor ? ToColour(*d.shadeColor) : QColor();
    ApplyColourScheme(*button, ShadeSchemeOf(d.shade), ToColour(d.color), shadeColour);
    ApplyFont(target, button, def.font);
    button->setText(def.value);
    return Place(target, def, button);
}

QWidget* MakeButton(FactoryTarget& target, const ControlDefinition& def)
{
    const auto& d = std::get<ButtonDetail>(def.detail);
    const ButtonKind kind = ButtonKindFor(d.popup, def.style, d.shade, d.maxlen);
    QWidget* button = nullptr;
    switch (kind) {
    case ButtonKind::HyperLink: {
        auto* link = new ZkHyperLink(target.form);
        link->SetWindowText(def.value);
        button = link;
        break;
    }
    case ButtonKind::Standard:
        button = CreateStandardButton(def.style, def.value, target.form);
        break;
    case ButtonKind::Colour:
    case ButtonKind::Shaded:
        return MakeColourButton(target, def, d, kind);
    }
    if (d.disabledAtCreation())
        button->setEnabled(false);
    ApplyFont(target, button, def.font);
    return Place(target, def, button);
}

QWidget* MakeStatic(FactoryTarget& target, const ControlDefinition& def)
{
    const auto& d = std::get<StaticDetail>(def.detail);
    auto* label = new CZkStatic(def.style, target.form);
    label->SetWindowText(def.value);
    ApplyFont(target, label, def.font);
    // Without a colour the label keeps its own black.
    if (d.color)
        label->SetTextColour(*ToColour(d.color));
    const QString text = Expanded(target, def);
    if (!text.isEmpty())
        label->SetWindowText(text);
    return Place(target, def, label);
}

QWidget* MakePicture(FactoryTarget& target, const ControlDefinition& def,
                     ZkPicture::DisplayMode mode, const QString& windowText)
{
    auto* picture = new ZkPicture(target.form);
    picture->SetMode(mode);
    picture->setWindowTitle(windowText);
    return Place(target, def, picture);
}

QWidget* MakeEditButton(FactoryTarget& target, const ControlDefinition& def)
{
    const auto& d = std::get<EditButtonDetail>(def.detail);
    auto* box = new CFileEditCtrl(def.style, target.form);
    box->SetMinLength(d.minlen);
    if (d.readonly != 0)
        box->SetReadOnly(true);
    ApplyFont(target, box, def.font);
    box->SetColours(ToColour(d.textColor), ToColour(d.background));
    box->SetText(def.value);
    if (d.maxlen != 0)
        box->SetMaxLength(d.maxlen);
    box->SetMode(CFileEditCtrl::ModeForPopup(d.popup.text));
    if (d.popup.opensForm()) {
        box->SetPopup(d.popup.text, d.popup.inlineDefinition);
        if (d.readOnly())
            box->SetReadOnly(true);
    }
    box->SetButtonVisible(d.showsButton());
    return Place(target, def, box);
}

QList<GridColumnDefinition> GridColumns(const GridDefinition& grid)
{
    QList<GridColumnDefinition> columns;
    for (const GridColumnElement& c : grid.ShownColumns()) {
        GridColumnDefinition column;
        column.title = c.title;
        column.format = c.format;
        column.width = c.width;
        column.sort = c.sort;
        column.type = c.type;
        column.background = ToColour(c.colorBg);
        column.text = ToColour(c.colorText);
        columns.append(column);
    }
    return columns;
}

QWidget* MakeTable(FactoryTarget& target, const ControlDefinition& def)
{
    const auto& d = std::get<TableDetail>(def.detail);
    auto* grid = new CListCtrlEx(target.form);
    grid->SetIdentity(target.formNumber, def.id, target.userUid);
    grid->SetColorByColumn(d.grid.colouredByColumn);
    ApplyFont(target, grid, def.font);
    grid->SetupColumns(GridColumns(d.grid));
    if (target.grids)
        target.grids->append(grid);
    return Place(target, def, grid);
}

QWidget* MakeDropList(FactoryTarget& target, const ControlDefinition& def)
{
    auto* list = new ZkDropList(def.style, target.form);
    ApplyFont(target, list, def.font);
    list->SetItems(ParseItemList(Expanded(target, def)));
    return Place(target, def, list, ZkDropList::AdjustedRect(def.pos.toQRect()));
}

QWidget* MakeDateCtrl(FactoryTarget& target, const ControlDefinition& def)
{
    const auto& d = std::get<DateCtrlDetail>(def.detail);
    auto* date = new ZkDateCtrl(def.style, target.form, def.value);
    if (d.readonly != 0)
        date->setEnabled(false);
    ApplyFont(target, date, def.font);
    return Place(target, def, date);
}

QWidget* MakePanel(FactoryTarget& target, const ControlDefinition& def)
{
    const auto& d = std::get<PanelDetail>(def.detail);
    auto* tabs = new CZkTabCtrl(target.form);
    Place(target, def, tabs);
    for (const TabPageDefinition& page : d.pages) {
        QWidget* widget = target.makeTabPage ? target.makeTabPage(page, *tabs) : nullptr;
        if (widget)
            tabs->AddPage(page.title, widget, page.id.toUInt());
    }
    tabs->CreatePages();
    return tabs;
}

QWidget* MakeTree(FactoryTarget& target, const ControlDefinition& def)
{
    auto* tree = new CZkTreeCtrl(target.form);
    return Place(target, def, tree);
}

// Grid columns edited in place by a form control: the control is found by
// its element id once every control exists.
void AttachColumnEditors(FactoryTarget& target, const FormBody& body)
{
    for (const ControlDefinition& def : body.controls) {
        if (def.kind != ControlElementKind::Table)
            continue;
        auto* grid = qobject_cast<CListCtrlEx*>(target.registry->Find(def.windowId()));
        if (!grid)
            continue;
        const auto columns = std::get<TableDetail>(def.detail).grid.ShownColumns();
        for (int c = 0; c < columns.size(); ++c) {
            if (columns[c].hiddenWnd <= 0)
                continue;
            if (QWidget* editor = target.registry->Find(WindowIdOfElement(columns[c].hiddenWnd)))
                grid->SetColumnEditor(c, editor, DefaultBeginEdit, DefaultEndEdit);
        }
    }
}

} // namespace

QFont ControlFontFor(const FactoryTarget& target, const FontSpec& font)
{
    if (font.isDefault)
        return target.defaultFont;
    return MakeControlFont(font.size, font.face, target.defaultFace);
}

QWidget* BuildControl(FactoryTarget& target, const ControlDefinition& def)
{
    switch (def.kind) {
    case ControlElementKind::TextBox:
        return MakeTextBox(target, def);
    case ControlElementKind::Button:
        return MakeButton(target, def);
    case ControlElementKind::Static:
        return MakeStatic(target, def);
    case ControlElementKind::Pic:
        return MakePicture(target, def, ZkPicture::DisplayMode::Picture, def.value);
    case ControlElementKind::EditButton:
        return MakeEditButton(target, def);
    case ControlElementKind::Table:
        return MakeTable(target, def);
    case ControlElementKind::DropList:
        return MakeDropList(target, def);
    case ControlElementKind::DateCtrl:
        return MakeDateCtrl(target, def);
    case ControlElementKind::Panel:
        return MakePanel(target, def);
    case ControlElementKind::Tree:
        return MakeTree(target, def);
    case ControlElementKind::TreeList:
        return MakePicture(target, def, ZkPicture::DisplayMode::TreeList,
                           QStringLiteral("TreeList"));
    }
    return nullptr;
}

void BuildControls(FactoryTarget& target, const FormBody& body)
{
    if (!target.form || !target.registry)
        return;
    for (const ControlDefinition& def : body.controls)
        BuildControl(target, def);
    AttachColumnEditors(target, body);
}

} // namespace zk
