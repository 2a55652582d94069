#pragma once

#include "forms/layout/wnd_resizer.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QScrollBar;

namespace zk::layout {

// Applies a CWndResizer to a real form widget. Hook installs an event filter
// on the widget: a resize (and a scroll) lays the tree out again and moves
// every control in one batch; mouse messages over the form's background
// drag splitters; painting draws the size grip and the splitter dots on the
// form, under its controls. The form supplies its controls by window id.
class CWndResizerWidget : public QObject, public IResizerWindow {
    Q_OBJECT

public:
    using ControlLookup = std::function<QWidget*(int windowId)>;
    using ScrollProvider = std::function<ScrollInfo()>;

    explicit CWndResizerWidget(ControlLookup lookup, QObject* parent = nullptr);
    ~CWndResizerWidget() override;

    // Starts managing the form: its client area becomes the root. The
    // engine lets go when the widget is destroyed.
    bool Hook(QWidget* form);
    QWidget* HookedWidget() const { return form_; }
    CWndResizer& Resizer() { return resizer_; }

    // The form's scroll state when it scrolls its body by moving the
    // controls (range maximum = the scrollable extent). Not needed when the
    // controls sit on a canvas widget that a QScrollArea moves.
    void SetScrollProvider(ScrollProvider provider);
    // Scroll bars of the form: their range and value become the scroll state
    // (maximum + page step is the extent) and every change lays out again.
    void WatchScrollBars(QScrollBar* horizontal, QScrollBar* vertical);

    // IResizerWindow
    QRect ClientRect() const override;
    ScrollInfo Scroll() const override;
    QSize GripSize() const override;
    std::optional<QRect> ControlRect(int windowId) const override;
    void MoveControls(const std::vector<ControlMove>& batch) override;
    void Invalidate(const QRect& area) override;
    void SizeLimits(const QSize& minimum, const QSize& maximum) override;

public slots:
    // Lays out again, for instance after the form scrolled.
    void Relayout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnMouse(QEvent* event);
    void UpdateCursor();
    void PaintGrips();

    ControlLookup lookup_;
    ScrollProvider scroll_;
    QPointer<QWidget> form_;
    CWndResizer resizer_;
    int cursorOrientation_ = 0;
};

} // namespace zk::layout

namespace zk {
using layout::CWndResizerWidget;
} // namespace zk
