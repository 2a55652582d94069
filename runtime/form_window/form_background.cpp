#include "runtime/form_window/form_background.h"

#include "data/http/http_client.h"
#include "forms/controls/control_font.h"
#include "util/program_folder.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QtMath>

namespace zk {

namespace {

QColor ColourOf(const BackgroundDrawing& d)
{
    if (!d.color)
        return QColor(0, 0, 0);
    return QColor(d.color->r, d.color->g, d.color->b);
}

// The dash styles of the drawings' `style`: solid, dash, dot, dash-dot,
// dash-dot-dot; anything else draws solid.
Qt::PenStyle PenStyleOf(int style)
{
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

void DrawArrow(QPainter& p, const QPointF& from, const QPointF& to, qreal width)
{
    p.drawLine(from, to);
    const qreal angle = qAtan2(to.y() - from.y(), to.x() - from.x());
    const qreal length = 6 + 2 * width;
    const qreal spread = qDegreesToRadians(25.0);
    QPainterPath head(to);
    head.lineTo(to - QPointF(length * qCos(angle - spread), length * qSin(angle - spread)));
    head.lineTo(to - QPointF(length * qCos(angle + spread), length * qSin(angle + spread)));
    head.closeSubpath();
    p.fillPath(head, p.pen().color());
}

} // namespace

QImage FormBackground::LoadPicture(const QString& text)
{
    const auto cached = pictures_.constFind(text);
    if (cached != pictures_.constEnd())
        return *cached;
    QImage image;
    if (text.startsWith(QLatin1String("http"), Qt::CaseInsensitive)) {
        // Fetched once per form: the next paints take the copy.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("bg"));
        if (folder.isValid() && DownloadToFile(text, path))
            image.load(path);
    } else {
        image.load(QDir(ProgramFolder()).filePath(text));
    }
    pictures_.insert(text, image);
    return image;
}

void FormBackground::Draw(QPainter& p, const QList<BackgroundDrawing>& drawings,
                          const QString& defaultFace)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (const BackgroundDrawing& d : drawings) {
        const QRect r = d.pos.toQRect();
        const QColor colour = ColourOf(d);
        QPen pen(colour, std::max(d.width, 1), PenStyleOf(d.style));
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QPointF first(d.pos.left, d.pos.top);
        const QPointF second(d.pos.right, d.pos.bottom);
        if (d.type == u"img") {
            const QImage image = LoadPicture(d.text);
            if (!image.isNull())
                p.drawImage(r, image);
        } else if (d.type == u"line") {
            p.drawLine(first, second);
        } else if (d.type == u"arrow") {
            DrawArrow(p, first, second, d.width);
        } else if (d.type == u"rect") {
            p.drawRect(r);
        } else if (d.type == u"rect1") {
            p.fillRect(r, colour);
        } else if (d.type == u"rect2") {
            p.drawRoundedRect(r, 10, 10);
        } else if (d.type == u"rect3") {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawRoundedRect(r, 10, 10);
        } else if (d.type == u"yuan") {
            p.drawEllipse(r);
        } else if (d.type == u"yuan1") {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawEllipse(r);
        } else if (d.type == u"text") {
            if (!d.font.isDefault)
                p.setFont(MakeControlFont(d.font.size, d.font.face, defaultFace));
            p.drawText(r, Qt::TextWordWrap, d.text);
        }
    }
}

} // namespace zk
