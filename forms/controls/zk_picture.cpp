#include "forms/controls/zk_picture.h"

#include "forms/controls/control_kind.h"

#include <QMouseEvent>
#include <QPainter>

namespace zk {

ZkPicture::ZkPicture(QWidget* parent)
    : QWidget(parent)
    , ControlTag(ControlKind::Picture)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

ZkPicture::~ZkPicture() = default;

void ZkPicture::SetMode(DisplayMode mode)
{
    mode_ = mode;
    update();
}

void ZkPicture::InstallRenderer(DisplayMode mode, std::unique_ptr<ZkPictureRenderer> renderer)
{
    renderers_[mode] = std::move(renderer);
    update();
}

ZkPictureRenderer* ZkPicture::Renderer(DisplayMode mode) const
{
    const auto it = renderers_.find(mode);
    return it == renderers_.end() ? nullptr : it->second.get();
}

bool ZkPicture::LoadPicture(const QString& path)
{
    SetPicture(QImage(path));
    return HasPicture();
}

bool ZkPicture::LoadPictureData(const QByteArray& data)
{
    SetPicture(QImage::fromData(data));
    return HasPicture();
}

void ZkPicture::SetPicture(const QImage& picture)
{
    mode_ = DisplayMode::Picture;
    picture_ = picture;
    update();
}

void ZkPicture::RefreshPicture()
{
    update();
}

QRect ZkPicture::PictureTarget(const QSize& pictureSize, const QSize& area)
{
    if (pictureSize.isEmpty() || area.isEmpty())
        return {};
    const double ratio = double(pictureSize.width()) / pictureSize.height();
    const int w = area.width();
    const int h = area.height();
    if (double(w) / h < ratio) {
        const int height = int(w / ratio);
        return QRect(0, (h - height) / 2, w, height);
    }
    const int width = int(ratio * h);
    return QRect((w - width) / 2, 0, width, h);
}

void ZkPicture::PaintPictureMode(QPainter& painter, const QSize& size) const
{
    const QRect target = PictureTarget(picture_.size(), size);
    if (target.isEmpty())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture_);
}

void ZkPicture::PaintContent(QPainter& painter, const QSize& size) const
{
    if (mode_ == DisplayMode::Picture) {
        PaintPictureMode(painter, size);
        return;
    }
    if (ZkPictureRenderer* renderer = Renderer(mode_))
        renderer->Paint(const_cast<ZkPicture&>(*this), painter, size);
}

QImage ZkPicture::Render() const
{
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintContent(painter, size());
    return image;
}

void ZkPicture::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    const QImage image = Render();
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

bool ZkPicture::event(QEvent* event)
{
    if (mode_ != DisplayMode::Picture) {
        if (ZkPictureRenderer* renderer = Renderer(mode_)) {
            if (renderer->HandleEvent(*this, event))
                return true;
        }
    }
    return QWidget::event(event);
}

void ZkPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void ZkPicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace zk
