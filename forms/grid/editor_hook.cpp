#include "forms/grid/editor_hook.h"

#include "forms/grid/grid_editors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace zk {

CEditorHook::CEditorHook(QWidget* grid, EndAction end, KeyAction navigate, QObject* parent)
    : QObject(parent)
    , grid_(grid)
    , end_(std::move(end))
    , navigate_(std::move(navigate))
{
}

CEditorHook::~CEditorHook()
{
    Detach();
}

void CEditorHook::Attach(QWidget* editor)
{
    editor_ = editor;
    if (!installed_ && qApp) {
        qApp->installEventFilter(this);
        installed_ = true;
    }
}

void CEditorHook::Detach()
{
    editor_.clear();
    if (installed_ && qApp)
        qApp->removeEventFilter(this);
    installed_ = false;
}

bool CEditorHook::eventFilter(QObject* watched, QEvent* event)
{
    if (editor_.isNull() || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        return OnKey(target, event);
    case QEvent::FocusIn:
        OnFocusIn(target);
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        OnPointer(target, event);
        return false;
    default:
        return false;
    }
}

bool CEditorHook::OnKey(QWidget* target, QEvent* event)
{
    // Keys of a pop-up (a combo box list, a calendar) are the pop-up's, even
    // the Escape that arrives after the pop-up closed itself on it.
    if (!IsWidgetWithin(target, editor_) || target->window() != editor_->window() ||
        IsEditorPopupOpen(editor_))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    const bool control = modifiers & Qt::ControlModifier;
    switch (key->key()) {
    case Qt::Key_Escape:
        end_(false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (control)
            return false;
        end_(true);
        navigate_(key->key(), modifiers);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (control)
            return false;
        navigate_(key->key(), modifiers);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        navigate_(key->key(), modifiers);
        return true;
    default:
        return false;
    }
}

void CEditorHook::OnFocusIn(QWidget* target)
{
    if (IsWidgetWithin(target, editor_) || IsWidgetWithin(target, grid_) ||
        IsEditorPopupOpen(editor_))
        return;
    end_(true);
}

void CEditorHook::OnPointer(QWidget* target, QEvent* event)
{
    // A press that a child did not take travels on to its parents; only the
    // widget that received it first (the one with no child under the pointer)
    // says where it happened.
    const QPointF position = event->type() == QEvent::Wheel
                                 ? static_cast<QWheelEvent*>(event)->position()
                                 : static_cast<QMouseEvent*>(event)->position();
    if (target->childAt(position.toPoint()))
        return;
    if (IsWidgetWithin(target, editor_))
        return;
    end_(true);
}

} // namespace zk
