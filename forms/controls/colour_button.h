#pragma once

#include "forms/controls/control_kind.h"

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

#include <array>
#include <optional>

namespace zk {

// The owner-drawn colour buttons of a form (`button` with `style` 0 or a
// `shade`). Six colour roles give the background and text colours per state;
// an optional picture sits left of, above or right of the caption, a badge
// right of it. The shaded kind (`maxlen` non-zero) fills only as its fill
// rule says.
class CColorButton : public QAbstractButton, public ControlTag {
    Q_OBJECT

public:
    enum Role {
        HoverBackground = 0, // pointer over the button, or pressed
        HoverText = 1,
        NormalBackground = 2,
        NormalText = 3,
        FocusBackground = 4,
        FocusText = 5,
    };
    enum class ImagePlacement { Left = 0, Above = 1, Right = 2 };
    enum class ShadeFill {
        None,          // the colour kind: role backgrounds
        HoverLight,    // shaded: no fill, (250,250,250) under the pointer
        AlwaysDarkens, // shaded `maxlen` 2: always filled, darker by 20 under the pointer
    };
    // The fill rule of a `maxlen`: 0 the colour kind, 2 always filled, others
    // filled under the pointer.
    static ShadeFill ShadeFillFor(int maxlen);

    explicit CColorButton(ShadeFill fill = ShadeFill::None, QWidget* parent = nullptr);

    ShadeFill Fill() const { return fill_; }
    bool IsShaded() const { return fill_ != ShadeFill::None; }

    void SetRoleColour(int role, const QColor& colour);
    QColor RoleColour(int role) const;
    // Style 0, 1 and 2 select the placement; other values keep it.
    void SetImagePlacementStyle(int style);
    ImagePlacement Placement() const { return placement_; }
    void SetImage(const QPixmap& image);
    QPixmap Image() const { return image_; }
    void SetBadge(const QPixmap& badge);
    QPixmap Badge() const { return badge_; }
    // No background of its own: the parent shows through.
    void SetTransparentBackground(bool transparent);
    bool IsTransparentBackground() const { return transparent_; }

    // What the button paints in its current state.
    struct Look {
        std::optional<QColor> fill;
        QColor text;
    };
    Look CurrentLook() const;
    bool IsHovered() const { return hovered_; }

    QSize sizeHint() const override;

signals:
    // A double click (the button also reports the clicks it is made of).
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PaintFrame(QPainter& p, const Look& look) const;
    void PaintContent(QPainter& p, const Look& look) const;

    ShadeFill fill_;
    std::array<QColor, 6> roles_;
    ImagePlacement placement_ = ImagePlacement::Left;
    QPixmap image_;
    QPixmap badge_;
    bool transparent_ = false;
    bool hovered_ = false;
};

// The `shade` attribute of a colour button: empty, "1", "2" or a colour text.
enum class ShadeScheme { None, One, Two, Colour };
ShadeScheme ShadeSchemeOf(const QString& shade);

// (255 − r, 255 − g, b): red and green inverted, blue kept.
QColor InverseColour(const QColor& colour);

// The colour rules of a new colour button, in their order: the focus and
// hover text roles, `color` as the normal text, then the scheme's roles (with
// `color` only when given), the transparent background of an empty scheme and
// the hand cursor of scheme "2". `shadeColour` is the colour of a colour-text
// scheme.
void ApplyColourScheme(CColorButton& button, ShadeScheme scheme, std::optional<QColor> color,
                       const QColor& shadeColour = QColor());

} // namespace zk
