#include "forms/resources/program_images.h"

#include "forms/resources/glyph_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <array>

namespace zk {

namespace {

constexpr int kBitmapSize = 16;
constexpr int kWindowIconSize = 32;

QPixmap NewPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap DrawWindowIcon()
{
    QPixmap pixmap = NewPixmap(kWindowIconSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, kWindowIconSize);
    fill.setColorAt(0, QColor(64, 132, 214));
    fill.setColorAt(1, QColor(28, 84, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    // A sheet with three lines of a form on it.
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(8, 6, 16, 20), 2, 2);
    p.setPen(QPen(QColor(40, 100, 180), 2, Qt::SolidLine, Qt::RoundCap));
    for (int y : {12, 16, 20})
        p.drawLine(QPointF(11.5, y), QPointF(y == 20 ? 17 : 20.5, y));
    return pixmap;
}

QPixmap DrawBadge(int id)
{
    QPixmap pixmap = NewPixmap(kBitmapSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.setBrush(QColor(222, 52, 44));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    // Icon 500 stands for ten and more.
    const int n = id - (kFirstBadgeIconId - 1);
    const QString text = id == kLastBadgeIconId ? QStringLiteral("9+") : QString::number(n);
    QFont font;
    font.setPixelSize(text.size() > 1 ? 8 : 10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
    return pixmap;
}

QPixmap DrawButtonBitmap(int id)
{
    QPixmap pixmap = NewPixmap(kBitmapSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    PaintGlyph(p, GlyphForBitmap(id), QRectF(0, 0, kBitmapSize, kBitmapSize));
    return pixmap;
}

QPixmap Draw(int id)
{
    if (id == kWindowIconId)
        return DrawWindowIcon();
    if (id >= kFirstBadgeIconId && id <= kLastBadgeIconId)
        return DrawBadge(id);
    if (id >= kFirstButtonBitmapId && id <= kLastButtonBitmapId)
        return DrawButtonBitmap(id);
    return {};
}

} // namespace

QPixmap ProgramPixmap(int id)
{
    const QString key = QStringLiteral("zk_program_image_%1").arg(id);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = Draw(id);
    if (!pixmap.isNull())
        QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QIcon ProgramIcon(int id)
{
    const QPixmap pixmap = ProgramPixmap(id);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

QCursor ProgramCursor(int id)
{
    return id == kHandCursorId ? QCursor(Qt::PointingHandCursor) : QCursor(Qt::ArrowCursor);
}

QString ButtonBitmapName(int id)
{
    if (id < kFirstButtonBitmapId || id > kLastButtonBitmapId)
        return {};
    return GlyphName(GlyphForBitmap(id));
}

} // namespace zk
