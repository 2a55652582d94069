#include "forms/controls/file_edit_ctrl.h"

#include "forms/controls/control_kind.h"
#include "forms/definition/style_bits.h"
#include "forms/dialogs/dialog_text_box_info.h"

#include <QAction>
#include <QColorDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPixmapCache>
#include <QStringList>

namespace zk {

namespace {

QIcon DotsIcon(const QColor& colour)
{
    // Every box of a form has the same picture: drawn once per colour.
    const QString key = QStringLiteral("zk_dots_") + colour.name(QColor::HexArgb);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        for (int x : {3, 8, 13})
            p.drawEllipse(QPointF(x, 11), 1.4, 1.4);
        p.end();
        QPixmapCache::insert(key, pixmap);
    }
    return QIcon(pixmap);
}

QIcon SwatchIcon(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(2.5, 3.5, 11, 9), 2, 2);
    return QIcon(pixmap);
}

} // namespace

CFileEditCtrl::Mode CFileEditCtrl::ModeForPopup(const QString& popup)
{
    if (popup == QLatin1String("0"))
        return Mode::NoButton;
    if (popup.isEmpty())
        return Mode::Text;
    if (popup == QLatin1String("-1"))
        return Mode::Colour;
    return Mode::Popup;
}

CFileEditCtrl::CFileEditCtrl(int style, QWidget* parent)
    : ZkEdit(style & ~style::kEditMultiLine, parent)
{
    SetTaggedKind(ControlKind::EditButton);
    button_ = LineEdit()->addAction(DotsIcon(palette().color(QPalette::Text)),
                                    QLineEdit::TrailingPosition);
    button_->setToolTip(QStringLiteral("…"));
    connect(button_, &QAction::triggered, this, &CFileEditCtrl::ClickButton);
    connect(this, &ZkEdit::textChanged, this, [this] {
        if (mode_ == Mode::Colour)
            UpdateButtonIcon();
    });
    UpdateButtonIcon();
}

CFileEditCtrl::~CFileEditCtrl() = default;

void CFileEditCtrl::SetMode(Mode mode)
{
    mode_ = mode;
    SetButtonVisible(mode != Mode::NoButton);
    UpdateButtonIcon();
}

void CFileEditCtrl::SetButtonVisible(bool visible)
{
    button_->setVisible(visible && mode_ != Mode::NoButton);
}

bool CFileEditCtrl::IsButtonVisible() const
{
    return button_->isVisible();
}

void CFileEditCtrl::SetPopup(const QString& popupText, const QString& definitionXml)
{
    popupText_ = popupText;
    popupDefinition_ = definitionXml;
}

void CFileEditCtrl::UpdateButtonIcon()
{
    if (mode_ == Mode::Colour) {
        button_->setIcon(SwatchIcon(ColourFromText(Text()).value_or(Qt::white)));
        return;
    }
    button_->setIcon(DotsIcon(palette().color(QPalette::Text)));
}

std::optional<QColor> CFileEditCtrl::ColourFromText(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return std::nullopt;
    int rgb[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = parts[i].trimmed().toInt(&ok) & 0xFF;
        if (!ok)
            return std::nullopt;
    }
    return QColor(rgb[0], rgb[1], rgb[2]);
}

void CFileEditCtrl::ClickButton()
{
    switch (mode_) {
    case Mode::Text:
        RunTextDialog();
        break;
    case Mode::Colour:
        RunColourDialog();
        break;
    case Mode::Popup:
        emit popupRequested();
        break;
    case Mode::NoButton:
        break;
    }
}

void CFileEditCtrl::RunTextDialog()
{
    Dialog_TextBox_Info dialog(this);
    dialog.text = Text();
    if (dialog.exec() != 1)
        return;
    const QString result = dialog.result;
    SetText(result);
    cell_.Deliver(this, result, CellTextSource::TextDialog);
}

void CFileEditCtrl::RunColourDialog()
{
    const QColor initial = ColourFromText(Text()).value_or(Qt::white);
    const QColor chosen = QColorDialog::getColor(initial, this);
    if (!chosen.isValid())
        return;
    const QString text =
        QStringLiteral("%1,%2,%3").arg(chosen.red()).arg(chosen.green()).arg(chosen.blue());
    // Outside a grid the chosen colour goes into the box, where the form's
    // scripts can read it.
    SetText(text);
    cell_.Deliver(this, text, CellTextSource::ColourDialog);
}

void CFileEditCtrl::AcceptPopupResult(const QString& text)
{
    SetText(text);
    if (!cell_.Deliver(this, text, CellTextSource::PopupForm))
        emit focusLost();
}

void CFileEditCtrl::AttachToCell(InPlaceEditorOwner* owner, int row, int column)
{
    cell_.Attach(owner, row, column);
}

void CFileEditCtrl::DetachFromCell()
{
    cell_.Detach();
}

bool CFileEditCtrl::IsInPlaceEditor() const
{
    return cell_.IsAttached();
}

} // namespace zk
