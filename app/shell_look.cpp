#include "app/shell_look.h"

#include "forms/dialogs/flat_button.h"
#include "forms/resources/program_images.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace zk {

namespace {

// Ten hues, one per image of a strip.
const QColor kHues[10] = {{230, 170, 40},  {70, 140, 220}, {80, 170, 90},  {210, 80, 70},
                          {150, 100, 200}, {40, 170, 170}, {220, 120, 40}, {120, 120, 120},
                          {200, 90, 150},  {110, 150, 40}};

QPixmap FolderImage(const QColor& hue)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(hue.darker(150));
    p.setBrush(hue.lighter(130));
    p.drawRoundedRect(QRectF(1.5, 2.5, 6, 3), 1, 1);
    p.setBrush(hue);
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
    return pixmap;
}

QPixmap LeafImage(const QColor& hue)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(10, 1.5);
    page.lineTo(13.5, 5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(hue.darker(160));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setPen(QPen(hue, 1.4));
    for (int y = 6; y <= 12; y += 3)
        p.drawLine(QPointF(5.5, y), QPointF(11.5, y));
    return pixmap;
}

} // namespace

QPushButton* MakeShellButton(QWidget* parent, int id, const QString& text, const QString& tooltip,
                             const QRect& rect)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    button->setGeometry(rect);
    if (!tooltip.isEmpty())
        button->setToolTip(tooltip);
    StyleFlatButton(*button);
    button->setAutoDefault(false);
    return button;
}

QPushButton* MakeImageButton(QWidget* parent, int id, int bitmapId, const QString& tooltip,
                             const QRect& rect)
{
    QPushButton* button = MakeShellButton(parent, id, QString(), tooltip, rect);
    button->setIcon(ProgramIcon(bitmapId));
    button->setIconSize(QSize(24, 24));
    return button;
}

QPushButton* MakeModeButton(QWidget* parent, int id, const QString& text, const QString& tooltip,
                            const QRect& rect)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    button->setGeometry(rect);
    button->setToolTip(tooltip);
    button->setCheckable(true);
    button->setAutoDefault(false);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { border: 1px solid #e0b890; border-radius: 3px; background: #fff3e6;"
        " color: #604020; }"
        "QPushButton:hover { background: #ffe6cc; }"
        "QPushButton:checked { background: #f08c28; color: white; border-color: #c06a10;"
        " font-weight: bold; }"));
    return button;
}

void PaintLoginBackground(QPainter& painter, const QRect& area, const QString& company)
{
    QLinearGradient band(area.topLeft(), QPoint(area.left(), area.top() + 86));
    band.setColorAt(0, QColor(36, 98, 170));
    band.setColorAt(1, QColor(70, 140, 210));
    painter.fillRect(area, QColor(246, 248, 252));
    painter.fillRect(QRect(area.left(), area.top(), area.width(), 86), band);
    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPixelSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(24, 14, area.width() - 48, 36), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Zk_ERP"));
    QFont small = title;
    small.setPixelSize(13);
    small.setBold(false);
    painter.setFont(small);
    painter.drawText(QRect(26, 50, area.width() - 52, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     company.isEmpty() ? QStringLiteral("企业管理系统") : company);
    painter.setFont(QFont());
}

QList<QIcon> NavigationTreeImages()
{
    QList<QIcon> images;
    for (const QColor& hue : kHues)
        images.append(QIcon(FolderImage(hue)));
    for (const QColor& hue : kHues)
        images.append(QIcon(LeafImage(hue)));
    return images;
}

int NavigationImageIndex(int order, bool leaf)
{
    // The remainder of a negative order would be negative; keep it in the strip.
    const int index = ((order % 10) + 10) % 10;
    return index + (leaf ? 10 : 0);
}

} // namespace zk
