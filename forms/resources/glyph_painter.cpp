#include "forms/resources/glyph_painter.h"

#include "forms/resources/program_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>

namespace zk {

static_assert(static_cast<int>(Glyph::Count) == kLastButtonBitmapId - kFirstButtonBitmapId + 1,
              "one glyph per button bitmap");

namespace {

const QColor kBlue(33, 110, 200);
const QColor kGreen(46, 150, 70);
const QColor kRed(205, 55, 50);
const QColor kOrange(228, 140, 30);
const QColor kGrey(96, 100, 108);
const QColor kYellow(240, 192, 50);
const QColor kPaper(252, 252, 252);

constexpr std::array<const char*, static_cast<int>(Glyph::Count)> kNames = {
    "add",      "delete", "edit",    "save",   "search",   "print",  "export", "import",
    "refresh",  "left",   "right",   "up",     "down",     "first",  "last",   "ok",
    "cancel",   "close",  "copy",    "paste",  "undo",     "redo",   "filter", "sort",
    "calendar", "clock",  "user",    "group",  "lock",     "unlock", "key",    "settings",
    "help",     "info",   "warning", "folder", "document", "mail",   "phone",  "home",
    "star",     "chart",  "table",   "upload", "download", "link",   "image",  "barcode",
    "cart",     "money",  "approve"};

QPen Stroke(const QColor& colour, qreal width = 1.6)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Line(QPainter& p, const QColor& c, qreal x1, qreal y1, qreal x2, qreal y2, qreal w = 1.6)
{
    p.setPen(Stroke(c, w));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void Polygon(QPainter& p, const QColor& fill, std::initializer_list<QPointF> points)
{
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void Box(QPainter& p, const QColor& outline, const QColor& fill, const QRectF& r, qreal radius = 1)
{
    p.setPen(Stroke(outline, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

void Circle(QPainter& p, const QColor& outline, const QBrush& fill, const QPointF& c, qreal radius,
            qreal width = 1.4)
{
    p.setPen(outline == Qt::transparent ? QPen(Qt::NoPen) : Stroke(outline, width));
    p.setBrush(fill);
    p.drawEllipse(c, radius, radius);
}

// An arrow along one axis: from (x1, y1) to the tip (x2, y2) with a filled head.
void Arrow(QPainter& p, const QColor& c, qreal x1, qreal y1, qreal x2, qreal y2)
{
    const QPointF tip(x2, y2);
    QPointF dir(x2 - x1, y2 - y1);
    const qreal length = std::hypot(dir.x(), dir.y());
    if (length <= 0)
        return;
    dir /= length;
    const QPointF normal(-dir.y(), dir.x());
    const QPointF base = tip - dir * 5;
    Line(p, c, x1, y1, base.x(), base.y(), 2);
    Polygon(p, c, {tip, base + normal * 4, base - normal * 4});
}

void Letter(QPainter& p, const QColor& c, const QRectF& r, const QString& text, int pixelSize)
{
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

void Sheet(QPainter& p, const QRectF& r)
{
    p.setPen(Stroke(kGrey, 1.1));
    p.setBrush(kPaper);
    const qreal fold = 3.5;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.drawPath(path);
}

void CurvedArrow(QPainter& p, const QColor& c, bool clockwise)
{
    p.setPen(Stroke(c, 1.8));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(3, 4, 10, 9);
    if (clockwise) {
        p.drawArc(arc, 160 * 16, -250 * 16);
        Polygon(p, c, {{13.5, 2.5}, {14.5, 8}, {9.5, 6.5}});
    } else {
        p.drawArc(arc, 20 * 16, 250 * 16);
        Polygon(p, c, {{2.5, 2.5}, {1.5, 8}, {6.5, 6.5}});
    }
}

void Person(QPainter& p, const QColor& c, qreal cx, qreal top, qreal scale)
{
    Circle(p, Qt::transparent, c, QPointF(cx, top + 3 * scale), 2.8 * scale);
    QPainterPath body;
    body.moveTo(cx - 5 * scale, top + 12 * scale);
    body.cubicTo(cx - 5 * scale, top + 6.5 * scale, cx + 5 * scale, top + 6.5 * scale,
                 cx + 5 * scale, top + 12 * scale);
    body.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(body);
}

void Padlock(QPainter& p, bool open)
{
    p.setPen(Stroke(kGrey, 1.6));
    p.setBrush(Qt::NoBrush);
    if (open)
        p.drawArc(QRectF(7, 1.5, 7, 9), 0, 180 * 16);
    else
        p.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
    Line(p, kGrey, open ? 14 : 11.5, 6, open ? 14 : 11.5, 8);
    if (!open)
        Line(p, kGrey, 4.5, 6, 4.5, 8);
    Box(p, kOrange.darker(130), kOrange, QRectF(3, 7.5, 10, 7), 1.5);
    Circle(p, Qt::transparent, kPaper, QPointF(8, 11), 1.2);
}

void PaintEditingGlyph(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Add:
        Circle(p, Qt::transparent, kGreen, QPointF(8, 8), 7);
        Line(p, Qt::white, 8, 4.5, 8, 11.5, 2);
        Line(p, Qt::white, 4.5, 8, 11.5, 8, 2);
        break;
    case Glyph::Delete:
        Box(p, kRed.darker(120), QColor(240, 240, 240), QRectF(4, 5, 8, 9.5), 1);
        Line(p, kRed, 2.5, 3.5, 13.5, 3.5, 1.6);
        Line(p, kRed, 6.5, 1.8, 9.5, 1.8, 1.4);
        for (qreal x : {6.5, 9.5})
            Line(p, kRed, x, 7, x, 12.5, 1.1);
        break;
    case Glyph::Edit:
        p.save();
        p.translate(8, 8);
        p.rotate(45);
        Box(p, kOrange.darker(140), kYellow, QRectF(-2, -7, 4, 10), 0.5);
        Polygon(p, kGrey, {{-2, 3.5}, {2, 3.5}, {0, 7}});
        p.restore();
        Line(p, kGrey, 2, 14.5, 8, 14.5, 1.0);
        break;
    case Glyph::Save:
        Box(p, kBlue.darker(140), kBlue, QRectF(1.5, 1.5, 13, 13), 1.5);
        Box(p, kBlue.darker(140), kPaper, QRectF(4, 2, 8, 5), 0.5);
        Box(p, kBlue.darker(140), QColor(220, 228, 238), QRectF(4, 9.5, 8, 5), 0.5);
        break;
    case Glyph::Search:
        Circle(p, kBlue, QColor(220, 236, 252), QPointF(6.5, 6.5), 4.5, 1.8);
        Line(p, kGrey, 10, 10, 14.5, 14.5, 2.6);
        break;
    case Glyph::Print:
        Box(p, kGrey, kPaper, QRectF(4.5, 1.5, 7, 5), 0.5);
        Box(p, kGrey.darker(120), QColor(170, 176, 186), QRectF(1.5, 6, 13, 6), 1.5);
        Box(p, kGrey, kPaper, QRectF(4.5, 10, 7, 4.5), 0.5);
        Circle(p, Qt::transparent, kGreen, QPointF(12.2, 8), 0.9);
        break;
    case Glyph::Export:
        Sheet(p, QRectF(1.5, 1.5, 9, 13));
        Arrow(p, kGreen, 5, 8, 15, 8);
        break;
    case Glyph::Import:
        Sheet(p, QRectF(5.5, 1.5, 9, 13));
        Arrow(p, kBlue, 0.5, 8, 10.5, 8);
        break;
    case Glyph::Refresh:
        CurvedArrow(p, kGreen, true);
        break;
    case Glyph::Copy:
        Sheet(p, QRectF(1.5, 1.5, 8, 10));
        Sheet(p, QRectF(6, 4.5, 8.5, 10));
        break;
    case Glyph::Paste:
        Box(p, kOrange.darker(140), kOrange, QRectF(2, 2.5, 10, 12), 1.2);
        Box(p, kGrey, QColor(200, 200, 200), QRectF(4.5, 1, 5, 3), 0.8);
        Sheet(p, QRectF(7, 6, 7.5, 9));
        break;
    case Glyph::Undo:
        CurvedArrow(p, kBlue, false);
        break;
    case Glyph::Redo:
        CurvedArrow(p, kBlue, true);
        break;
    default:
        break;
    }
}

void PaintNavigationGlyph(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Left:
        Arrow(p, kBlue, 14, 8, 1.5, 8);
        break;
    case Glyph::Right:
        Arrow(p, kBlue, 2, 8, 14.5, 8);
        break;
    case Glyph::Up:
        Arrow(p, kBlue, 8, 14, 8, 1.5);
        break;
    case Glyph::Down:
        Arrow(p, kBlue, 8, 2, 8, 14.5);
        break;
    case Glyph::First:
        Line(p, kBlue, 2.5, 2.5, 2.5, 13.5, 2);
        Polygon(p, kBlue, {{4, 8}, {13.5, 2.5}, {13.5, 13.5}});
        break;
    case Glyph::Last:
        Line(p, kBlue, 13.5, 2.5, 13.5, 13.5, 2);
        Polygon(p, kBlue, {{12, 8}, {2.5, 2.5}, {2.5, 13.5}});
        break;
    case Glyph::Ok:
        p.setPen(Stroke(kGreen, 2.6));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF(QList<QPointF>{{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
        break;
    case Glyph::Cancel:
        Circle(p, Qt::transparent, kRed, QPointF(8, 8), 7);
        Line(p, Qt::white, 5, 5, 11, 11, 2);
        Line(p, Qt::white, 11, 5, 5, 11, 2);
        break;
    case Glyph::Close:
        Line(p, kGrey, 3.5, 3.5, 12.5, 12.5, 2.4);
        Line(p, kGrey, 12.5, 3.5, 3.5, 12.5, 2.4);
        break;
    case Glyph::Filter:
        Polygon(p, kBlue, {{1.5, 2}, {14.5, 2}, {9.5, 8}, {9.5, 14}, {6.5, 12.5}, {6.5, 8}});
        break;
    case Glyph::Sort:
        Arrow(p, kBlue, 4.5, 2, 4.5, 14.5);
        Arrow(p, kGreen, 11.5, 14, 11.5, 1.5);
        break;
    case Glyph::Upload:
        Arrow(p, kGreen, 8, 11, 8, 1.5);
        Line(p, kGrey, 2, 14, 14, 14, 2);
        break;
    case Glyph::Download:
        Arrow(p, kBlue, 8, 1.5, 8, 11.5);
        Line(p, kGrey, 2, 14, 14, 14, 2);
        break;
    case Glyph::Link:
        p.setPen(Stroke(kBlue, 1.8));
        p.setBrush(Qt::NoBrush);
        p.save();
        p.translate(8, 8);
        p.rotate(-45);
        p.drawRoundedRect(QRectF(-7, -2.5, 8, 5), 2.5, 2.5);
        p.drawRoundedRect(QRectF(-1, -2.5, 8, 5), 2.5, 2.5);
        p.restore();
        break;
    default:
        break;
    }
}

void PaintObjectGlyph(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Calendar:
        Box(p, kGrey, kPaper, QRectF(1.5, 2.5, 13, 12), 1.2);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawRect(QRectF(2, 3, 12, 3));
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(3.5 + col * 3.5, 8 + row * 3, 2, 1.8));
        break;
    case Glyph::Clock:
        Circle(p, kGrey, kPaper, QPointF(8, 8), 6.5, 1.4);
        Line(p, kBlue, 8, 8, 8, 4, 1.6);
        Line(p, kBlue, 8, 8, 11, 9.5, 1.6);
        break;
    case Glyph::User:
        Person(p, kBlue, 8, 1.5, 1.1);
        break;
    case Glyph::Group:
        Person(p, kBlue.lighter(140), 10.5, 1.5, 0.95);
        Person(p, kBlue, 5.5, 3, 0.95);
        break;
    case Glyph::Lock:
        Padlock(p, false);
        break;
    case Glyph::Unlock:
        Padlock(p, true);
        break;
    case Glyph::Key:
        Circle(p, kOrange.darker(130), kYellow, QPointF(4.5, 5.5), 3.2, 1.3);
        Line(p, kOrange.darker(130), 7, 8, 14, 15, 1.8);
        Line(p, kOrange.darker(130), 11, 12, 13, 10, 1.6);
        break;
    case Glyph::Settings:
        p.setPen(Stroke(kGrey, 2.6));
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(i * 45);
            p.drawLine(QPointF(0, -7), QPointF(0, 7));
            p.restore();
        }
        Circle(p, kGrey, kGrey, QPointF(8, 8), 4.6);
        Circle(p, Qt::transparent, kPaper, QPointF(8, 8), 2);
        break;
    case Glyph::Help:
        Circle(p, Qt::transparent, kBlue, QPointF(8, 8), 7);
        Letter(p, Qt::white, QRectF(0, 0, 16, 16), QStringLiteral("?"), 12);
        break;
    case Glyph::Info:
        Circle(p, Qt::transparent, kBlue, QPointF(8, 8), 7);
        Letter(p, Qt::white, QRectF(0, 0, 16, 16), QStringLiteral("i"), 12);
        break;
    case Glyph::Warning:
        Polygon(p, kYellow.darker(110), {{8, 1}, {15.5, 14.5}, {0.5, 14.5}});
        Letter(p, QColor(60, 40, 0), QRectF(0, 4, 16, 11), QStringLiteral("!"), 10);
        break;
    case Glyph::Folder:
        Polygon(p, kOrange.darker(115),
                {{1, 3}, {6, 3}, {7.5, 4.5}, {15, 4.5}, {15, 13.5}, {1, 13.5}});
        Polygon(p, kYellow, {{1, 6.5}, {15, 6.5}, {15, 13.5}, {1, 13.5}});
        break;
    case Glyph::Document:
        Sheet(p, QRectF(3, 1.5, 10, 13));
        for (qreal y : {6.0, 8.5, 11.0})
            Line(p, kBlue, 5, y, 11, y, 1.0);
        break;
    case Glyph::Mail:
        Box(p, kGrey, kPaper, QRectF(1.5, 3.5, 13, 9), 1);
        p.setPen(Stroke(kGrey, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF(QList<QPointF>{{1.8, 4}, {8, 9}, {14.2, 4}}));
        break;
    case Glyph::Phone:
        Box(p, kGrey.darker(130), QColor(70, 74, 82), QRectF(4, 1, 8, 14), 1.8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 200, 245));
        p.drawRect(QRectF(5.3, 2.8, 5.4, 8.5));
        Circle(p, Qt::transparent, kPaper, QPointF(8, 13.1), 0.9);
        break;
    case Glyph::Home:
        Polygon(p, kRed, {{8, 1.5}, {15, 8}, {1, 8}});
        Box(p, kGrey, kPaper, QRectF(3.5, 7.5, 9, 7), 0.3);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(6.8, 10, 2.6, 4.5));
        break;
    default:
        break;
    }
}

void PaintBusinessGlyph(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Star: {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal radius = i % 2 == 0 ? 7.2 : 3.0;
            const qreal angle = M_PI / 5 * i - M_PI / 2;
            star << QPointF(8 + radius * std::cos(angle), 8.5 + radius * std::sin(angle));
        }
        p.setPen(Stroke(kOrange.darker(120), 0.8));
        p.setBrush(kYellow);
        p.drawPolygon(star);
        break;
    }
    case Glyph::Chart:
        Line(p, kGrey, 1.5, 14.5, 14.5, 14.5, 1.2);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(2.5, 8, 3, 6));
        p.setBrush(kGreen);
        p.drawRect(QRectF(6.5, 3, 3, 11));
        p.setBrush(kOrange);
        p.drawRect(QRectF(10.5, 6, 3, 8));
        break;
    case Glyph::Table:
        Box(p, kGrey, kPaper, QRectF(1.5, 2.5, 13, 11), 0.5);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(2, 3, 12, 2.5));
        for (qreal y : {8.5, 11.0})
            Line(p, kGrey, 2, y, 14, y, 0.8);
        Line(p, kGrey, 6, 5.5, 6, 13.5, 0.8);
        Line(p, kGrey, 10, 5.5, 10, 13.5, 0.8);
        break;
    case Glyph::Image:
        Box(p, kGrey, QColor(200, 226, 250), QRectF(1.5, 2.5, 13, 11), 0.8);
        Polygon(p, kGreen, {{2, 13}, {6.5, 7}, {9.5, 10.5}, {11, 9}, {14, 13}});
        Circle(p, Qt::transparent, kYellow, QPointF(11, 5.5), 1.6);
        break;
    case Glyph::Barcode: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 30, 30));
        const std::array<qreal, 9> widths = {1, 0.6, 1.4, 0.6, 0.6, 1.4, 1, 0.6, 1.2};
        qreal x = 2;
        for (size_t i = 0; i < widths.size(); ++i) {
            p.drawRect(QRectF(x, 2.5, widths[i], 11));
            x += widths[i] + 0.75;
        }
        break;
    }
    case Glyph::Cart:
        p.setPen(Stroke(kGrey, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF(QList<QPointF>{{1, 2}, {3.5, 2}, {5.5, 10.5}, {13, 10.5}}));
        Polygon(p, kBlue, {{4.3, 4}, {15, 4}, {13.5, 9}, {5.4, 9}});
        Circle(p, Qt::transparent, kGrey, QPointF(6.5, 13.3), 1.5);
        Circle(p, Qt::transparent, kGrey, QPointF(12, 13.3), 1.5);
        break;
    case Glyph::Money:
        Circle(p, kOrange.darker(130), kYellow, QPointF(8, 8), 7, 1.2);
        Letter(p, kOrange.darker(160), QRectF(0, 0, 16, 16), QStringLiteral("¥"), 11);
        break;
    case Glyph::Approve:
        Circle(p, kRed, Qt::NoBrush, QPointF(8, 8), 6.6, 1.6);
        p.setPen(Stroke(kRed, 2.2));
        p.drawPolyline(QPolygonF(QList<QPointF>{{4.5, 8.3}, {7, 10.8}, {11.5, 5.5}}));
        break;
    default:
        break;
    }
}

} // namespace

Glyph GlyphForBitmap(int id)
{
    const int index = id - kFirstButtonBitmapId;
    if (index < 0 || index >= static_cast<int>(Glyph::Count))
        return Glyph::Count;
    return static_cast<Glyph>(index);
}

QString GlyphName(Glyph glyph)
{
    const int index = static_cast<int>(glyph);
    if (index < 0 || index >= static_cast<int>(Glyph::Count))
        return {};
    return QString::fromLatin1(kNames[static_cast<size_t>(index)]);
}

void PaintGlyph(QPainter& painter, Glyph glyph, const QRectF& box)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 16.0, box.height() / 16.0);
    PaintEditingGlyph(painter, glyph);
    PaintNavigationGlyph(painter, glyph);
    PaintObjectGlyph(painter, glyph);
    PaintBusinessGlyph(painter, glyph);
    painter.restore();
}

} // namespace zk
