#pragma once

#include "forms/controls/control_kind.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

namespace zk {

// The tab bar of CZkTabCtrl: tabs of one fixed width (the widest caption's),
// no switching by the wheel, and a signal after a mouse press has been
// handled, which is what switches the shown page.
class ZkTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit ZkTabBar(QWidget* parent = nullptr);

signals:
    void pressedByMouse();

protected:
    QSize tabSizeHint(int index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

// The tab control of a form (`panel`). Its pages are widgets the caller
// makes (the form window gives embedded forms); they become children of the
// control. Only a mouse click on a tab shows another page: the keyboard
// moves the highlighted tab but leaves the shown page, as the form authors
// know it. Hidden pages keep their controls and values.
class CZkTabCtrl : public QWidget, public ControlTag {
    Q_OBJECT

public:
    explicit CZkTabCtrl(QWidget* parent = nullptr);

    // Appends a page; the control takes it over (as a hidden child) at once.
    void AddPage(const QString& caption, QWidget* page, quint32 pageId);
    // Makes one tab per page, shows page 0, hides the others, lays them out.
    void CreatePages();
    // Every page goes to the area below the tab row; the current one is shown.
    void LayoutPages();

    int PageCount() const { return int(pages_.size()); }
    // The page at a zero-based index, or null.
    QWidget* Page(int index) const;
    quint32 PageId(int index) const;
    QString Caption(int index) const;
    int CurrentPage() const { return current_; }
    // Shows another page, as a click on its tab does.
    void ShowPage(int index);
    // The area the pages fill, in the control's coordinates.
    QRect PageRect() const;

    ZkTabBar* TabBar() const { return bar_; }

signals:
    void pageShown(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnMousePress();

    ZkTabBar* bar_ = nullptr;
    QList<QPointer<QWidget>> pages_;
    QStringList captions_;
    QList<quint32> ids_;
    int current_ = 0;
    bool created_ = false;
};

} // namespace zk
