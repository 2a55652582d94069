#include "forms/controls/zk_tab_ctrl.h"

#include "forms/controls/control_kind.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>

namespace zk {

namespace {

// The tab row starts a little in from the left edge; the pages sit one
// pixel inside the frame around them.
constexpr int kTabInset = 2;

} // namespace

ZkTabBar::ZkTabBar(QWidget* parent)
    : QTabBar(parent)
{
    setExpanding(false);
    setDrawBase(false);
    setUsesScrollButtons(true);
    setFocusPolicy(Qt::StrongFocus);
}

QSize ZkTabBar::tabSizeHint(int index) const
{
    QSize size = QTabBar::tabSizeHint(index);
    for (int i = 0; i < count(); ++i) {
        if (i != index)
            size.setWidth(qMax(size.width(), QTabBar::tabSizeHint(i).width()));
    }
    return size;
}

void ZkTabBar::mousePressEvent(QMouseEvent* event)
{
    QTabBar::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit pressedByMouse();
}

void ZkTabBar::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

CZkTabCtrl::CZkTabCtrl(QWidget* parent)
    : QWidget(parent)
    , ControlTag(ControlKind::Panel)
    , bar_(new ZkTabBar(this))
{
    setFocusPolicy(Qt::NoFocus);
    connect(bar_, &ZkTabBar::pressedByMouse, this, &CZkTabCtrl::OnMousePress);
}

void CZkTabCtrl::AddPage(const QString& caption, QWidget* page, quint32 pageId)
{
    if (page) {
        page->hide();
        page->setParent(this);
    }
    pages_.append(page);
    captions_.append(caption);
    ids_.append(pageId);
}

void CZkTabCtrl::CreatePages()
{
    if (created_)
        return;
    created_ = true;
    for (int i = 0; i < pages_.size(); ++i)
        bar_->addTab(captions_[i]);
    current_ = 0;
    bar_->setCurrentIndex(0);
    for (int i = 0; i < pages_.size(); ++i) {
        if (pages_[i])
            pages_[i]->setVisible(i == 0);
    }
    LayoutPages();
}

QRect CZkTabCtrl::PageRect() const
{
    // With (L, B) the left and bottom edges of the first tab: from (L − 1, B + 1),
    // W − (L + 2) wide and H − (B + 3) high.
    const QRect tab = bar_->count() > 0 ? bar_->tabRect(0).translated(bar_->pos())
                                        : QRect(kTabInset, 0, 0, bar_->sizeHint().height());
    const int left = tab.left();
    const int bottom = tab.top() + tab.height();
    return QRect(left - 1, bottom + 1, qMax(0, width() - (left + 2)),
                 qMax(0, height() - (bottom + 3)));
}

void CZkTabCtrl::LayoutPages()
{
    bar_->setGeometry(kTabInset, 0, qMax(0, width() - kTabInset), bar_->sizeHint().height());
    const QRect area = PageRect();
    for (int i = 0; i < pages_.size(); ++i) {
        QWidget* page = pages_[i];
        if (!page)
            continue;
        page->setGeometry(area);
        page->raise();
        if (i != current_)
            page->hide();
    }
    if (QWidget* page = Page(current_)) {
        page->setGeometry(area);
        page->show();
    }
    update();
}

QWidget* CZkTabCtrl::Page(int index) const
{
    if (index < 0 || index >= pages_.size())
        return nullptr;
    return pages_[index];
}

quint32 CZkTabCtrl::PageId(int index) const
{
    return index >= 0 && index < ids_.size() ? ids_[index] : 0;
}

QString CZkTabCtrl::Caption(int index) const
{
    return index >= 0 && index < captions_.size() ? captions_[index] : QString();
}

void CZkTabCtrl::ShowPage(int index)
{
    if (index < 0 || index >= pages_.size() || index == current_)
        return;
    if (QWidget* old = Page(current_))
        old->hide();
    current_ = index;
    bar_->setCurrentIndex(index);
    if (QWidget* page = Page(current_)) {
        page->setGeometry(PageRect());
        page->raise();
        page->show();
    }
    emit pageShown(index);
}

void CZkTabCtrl::OnMousePress()
{
    // The bar has handled the press: the tab it highlights now is the page.
    const int focusTab = bar_->currentIndex();
    if (focusTab != current_)
        ShowPage(focusTab);
}

void CZkTabCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutPages();
}

void CZkTabCtrl::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter p(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = PageRect().adjusted(-1, -2, 1, 1);
    frame.tabBarSize = bar_->sizeHint();
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarRect = QRect(bar_->pos(), bar_->size());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &p, this);
}

} // namespace zk
