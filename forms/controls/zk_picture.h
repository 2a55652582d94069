#pragma once

#include "forms/controls/control_kind.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <map>
#include <memory>

namespace zk {

class ZkPicture;

// What draws one of the picture control's other display modes (the chart,
// the tree list) and handles its mouse: installed on the control per mode.
class ZkPictureRenderer {
public:
    virtual ~ZkPictureRenderer() = default;
    // Draws the mode's content onto the white off-screen image of the client
    // area.
    virtual void Paint(ZkPicture& picture, QPainter& painter, const QSize& size) = 0;
    // Mouse, wheel and resize events while the mode is shown; true when handled.
    virtual bool HandleEvent(ZkPicture& picture, QEvent* event)
    {
        Q_UNUSED(picture);
        Q_UNUSED(event);
        return false;
    }
};

// The picture control of a form (`pic`, `treelist`). It draws everything
// itself: every paint renders the whole client area off screen, white, then
// the mode's content, and copies it in one step. Picture mode shows a picture
// scaled to fit and centred; clicks reach the form (clicked, doubleClicked).
class ZkPicture : public QWidget, public ControlTag {
    Q_OBJECT

public:
    enum class DisplayMode { Picture = 1, Chart = 2, TreeList = 4 };

    explicit ZkPicture(QWidget* parent = nullptr);
    ~ZkPicture() override;

    DisplayMode Mode() const { return mode_; }
    void SetMode(DisplayMode mode);
    void InstallRenderer(DisplayMode mode, std::unique_ptr<ZkPictureRenderer> renderer);
    ZkPictureRenderer* Renderer(DisplayMode mode) const;

    // Picture mode: loads a file or picture data (any format the image
    // readers know). A picture that does not load leaves none.
    bool LoadPicture(const QString& path);
    bool LoadPictureData(const QByteArray& data);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    bool HasPicture() const { return !picture_.isNull(); }

    // Repaints in the current mode (the form calls it when it paints).
    void RefreshPicture();
    // The client area as the control draws it.
    QImage Render() const;
    // Where a picture of `pictureSize` goes in a client area of `area`:
    // the full width or the full height, the other side by the picture's
    // proportions (truncated), centred.
    static QRect PictureTarget(const QSize& pictureSize, const QSize& area);

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PaintContent(QPainter& painter, const QSize& size) const;
    void PaintPictureMode(QPainter& painter, const QSize& size) const;

    DisplayMode mode_ = DisplayMode::Picture;
    QImage picture_;
    std::map<DisplayMode, std::unique_ptr<ZkPictureRenderer>> renderers_;
};

} // namespace zk
