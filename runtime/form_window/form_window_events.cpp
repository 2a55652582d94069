#include "forms/grid/grid_editors.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/form_window/form_background.h"
#include "runtime/form_window/form_window.h"
#include "util/numbers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>

namespace zk {

namespace {

// Definition ids above this one end every grid's in-place editing when the
// mouse is pressed while they have the focus.
constexpr int kEditEndingFocusId = 50;

} // namespace

// --- Keyboard ---------------------------------------------------------------------

D_T1* D_T1::OwningForm(QObject* object)
{
    for (QObject* o = object; o; o = o->parent()) {
        if (auto* form = qobject_cast<D_T1*>(o))
            return form;
        if (auto* widget = qobject_cast<QWidget*>(o);
            widget && widget->isWindow() && !qobject_cast<D_T1*>(widget))
            return nullptr; // a dialog or pop-up of its own
    }
    return nullptr;
}

int D_T1::ControlWindowIdOf(QWidget* widget) const
{
    for (QWidget* w = widget; w && w != this; w = w->parentWidget()) {
        const int id = WindowIdOf(w);
        if (id > 0 && registry_.Find(id) == w)
            return id;
    }
    return 0;
}

bool D_T1::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (OwningForm(watched) == this && !QApplication::activePopupWidget())
            return KeyPressed(static_cast<QKeyEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
        if (OwningForm(watched) == this)
            MousePressedOnForm(qobject_cast<QWidget*>(watched),
                               static_cast<QMouseEvent*>(event)->button());
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool D_T1::KeyPressed(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Alt) {
        EndGridEdits(nullptr);
        return false;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        !(event->modifiers() & Qt::ControlModifier)) {
        const int windowId = ControlWindowIdOf(QApplication::focusWidget());
        if (windowId && HasEvent(windowId, QStringLiteral("ENTER")))
            RunControlEvent(windowId, QStringLiteral("ENTER"));
        else
            focusNextChild();
        return true;
    }
    if (key == Qt::Key_Escape)
        return true;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        PressHotKey(key - Qt::Key_F1 + 1);
        return true;
    }
    return false;
}

void D_T1::PressHotKey(int functionKey)
{
    const CXmlNodePtr html = FormElement();
    if (html->IsNull())
        return;
    const std::optional<int> target = HotKeyTarget(*html, functionKey);
    if (!target)
        return;
    QWidget* control = Control(*target);
    if (!control)
        return;
    control->setFocus();
    if (auto* button = qobject_cast<QAbstractButton*>(control); button && button->isEnabled())
        button->click();
}

void D_T1::keyPressEvent(QKeyEvent* event)
{
    // The dialog's own Enter and Escape handling (default button, reject)
    // never applies: the rules above decide.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void D_T1::EndGridEdits(QWidget* pressed)
{
    for (const QPointer<CListCtrlEx>& grid : grids_) {
        if (!grid || !grid->IsEditing())
            continue;
        // A press inside the editor itself belongs to the edit.
        if (pressed && IsWidgetWithin(pressed, grid->ActiveEditor()))
            continue;
        grid->EndCellEdit(true);
    }
}

// --- Mouse ------------------------------------------------------------------------

void D_T1::MousePressedOnForm(QWidget* pressed, Qt::MouseButton button)
{
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    const int focused = ControlWindowIdOf(QApplication::focusWidget());
    if (focused - kWindowIdBase > kEditEndingFocusId)
        EndGridEdits(pressed);
}

void D_T1::mousePressEvent(QMouseEvent* event)
{
    // A press on the background moves the window, as a press on its caption.
    dragging_ = false;
    if (event->button() == Qt::LeftButton && !embedded && form_index != u"NULL" && isWindow()) {
        dragging_ = true;
        drag_start_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
        if (windowHandle() && windowHandle()->startSystemMove())
            dragging_ = false;
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void D_T1::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - drag_start_);
        event->accept();
        return;
    }
    dragging_ = false;
    QDialog::mouseMoveEvent(event);
}

void D_T1::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

// --- Timer ------------------------------------------------------------------------

void D_T1::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer_id_ && timer_id_) {
        RunControlEvent(WindowIdOfElement(timer_control), QStringLiteral("CLICK"));
        return;
    }
    QDialog::timerEvent(event);
}

// --- Painting ---------------------------------------------------------------------

void D_T1::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor base = paint_bg ? palette().color(QPalette::Button) : QColor(Qt::white);
    if (head_.background.isEmpty()) {
        p.fillRect(rect(), base);
        return;
    }
    // Drawn once into an off-screen image, then copied to the window.
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter off(&image);
        off.setFont(font());
        off.translate(-scroll_offset_);
        if (!background_)
            background_ = std::make_unique<FormBackground>();
        background_->Draw(off, head_.background, definition_.defaultFace);
    }
    p.drawImage(0, 0, image);
    skip_next_erase = false;
}

// --- Scroll canvas ----------------------------------------------------------------

void D_T1::SetUpScrollCanvas()
{
    const QStringList parts = scroll_spec.split(QLatin1Char(','));
    canvas_.setHeight(std::max(ToInt(parts.value(0)), 0));
    canvas_.setWidth(parts.size() > 1 ? std::max(ToInt(parts.value(1)), 0) : 0);

    const auto makeBar = [this](Qt::Orientation orientation) {
        auto* bar = new QScrollBar(orientation, this);
        bar->setSingleStep(1);
        // Page clicks move 10 pixels; the page step itself is the client size,
        // so that the thumb shows the visible share.
        connect(bar, &QScrollBar::actionTriggered, bar, [bar](int action) {
            if (action == QAbstractSlider::SliderPageStepAdd)
                bar->setSliderPosition(std::min(bar->value() + 10, bar->maximum()));
            else if (action == QAbstractSlider::SliderPageStepSub)
                bar->setSliderPosition(std::max(bar->value() - 10, bar->minimum()));
        });
        connect(bar, &QScrollBar::valueChanged, this, [this] { ApplyScroll(); });
        bar->show();
        return bar;
    };
    vertical_bar_ = makeBar(Qt::Vertical);
    if (canvas_.width() > 0)
        horizontal_bar_ = makeBar(Qt::Horizontal);
    UpdateScrollPages();
}

void D_T1::UpdateScrollPages()
{
    if (!vertical_bar_)
        return;
    const int extent = vertical_bar_->sizeHint().width();
    const int clientWidth = width() - extent;
    const int clientHeight = height() - (horizontal_bar_ ? extent : 0);
    vertical_bar_->setGeometry(clientWidth, 0, extent, clientHeight);
    vertical_bar_->setPageStep(std::max(clientHeight, 1));
    vertical_bar_->setRange(0, std::max(canvas_.height() - clientHeight, 0));
    vertical_bar_->raise();
    if (horizontal_bar_) {
        horizontal_bar_->setGeometry(0, clientHeight, clientWidth, extent);
        horizontal_bar_->setPageStep(std::max(clientWidth, 1));
        horizontal_bar_->setRange(0, std::max(canvas_.width() - clientWidth, 0));
        horizontal_bar_->raise();
    }
}

QPoint D_T1::ScrollOffset() const
{
    return scroll_offset_;
}

void D_T1::ApplyScroll()
{
    const QPoint target(horizontal_bar_ ? horizontal_bar_->value() : 0,
                        vertical_bar_ ? vertical_bar_->value() : 0);
    const QPoint delta = scroll_offset_ - target;
    if (delta.isNull())
        return;
    scroll_offset_ = target;
    for (QWidget* control : registry_.Controls())
        control->move(control->pos() + delta);
    update();
}

void D_T1::wheelEvent(QWheelEvent* event)
{
    if (!vertical_bar_) {
        QDialog::wheelEvent(event);
        return;
    }
    // Five pixels per notch (120 units).
    const int notches = event->angleDelta().y() / 120;
    vertical_bar_->setValue(vertical_bar_->value() - notches * 5);
    event->accept();
}

void D_T1::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    UpdateScrollPages();
}

} // namespace zk
