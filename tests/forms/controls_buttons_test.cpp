#include "forms/controls/colour_button.h"
#include "forms/controls/standard_buttons.h"
#include "forms/resources/program_images.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace zk {
namespace {

using Role = CColorButton::Role;

TEST(ControlButtons, KindFromTheAttributes)
{
    const struct {
        int popup;
        int style;
        const char* shade;
        int maxlen;
        ButtonKind kind;
    } cases[] = {
        {1, 3, "", 0, ButtonKind::HyperLink}, {0, 1, "", 0, ButtonKind::Standard},
        {0, 0, "", 0, ButtonKind::Colour}, // style 0 and no shade: still a colour button
        {0, 2, "1", 0, ButtonKind::Colour},   {0, 0, "", 1, ButtonKind::Shaded},
        {0, -1, "", 2, ButtonKind::Shaded},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ButtonKindFor(c.popup, c.style, QString::fromUtf8(c.shade), c.maxlen), c.kind)
            << c.popup << " " << c.style << " " << c.shade << " " << c.maxlen;
}

TEST(ControlButtons, ColourSchemes)
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    const QColor text = QApplication::palette().color(QPalette::ButtonText);
    const QColor red(200, 30, 60);
    const QColor inverse(55, 225, 60);
    const QColor shade(10, 120, 230);
    const QColor navy(0, 0, 128);
    const QColor green(0, 128, 0);
    const struct {
        const char* name;
        ShadeScheme scheme;
        std::optional<QColor> color;
        std::array<QColor, 6> roles;
        bool transparent;
        bool hand;
    } cases[] = {
        {"none",
         ShadeScheme::None,
         std::nullopt,
         {face, green, face, text, face, navy},
         true,
         false},
        {"none+color", ShadeScheme::None, red, {face, green, face, red, face, navy}, true, false},
        // Scheme 1 without a colour keeps the system colours but for roles 1 and 5.
        {"1", ShadeScheme::One, std::nullopt, {face, green, face, text, face, navy}, false, false},
        {"1+color", ShadeScheme::One, red, {red, inverse, red, Qt::black, red, navy}, false, false},
        {"2+color",
         ShadeScheme::Two,
         red,
         {red, inverse, red, Qt::white, red, Qt::white},
         false,
         true},
        {"2", ShadeScheme::Two, std::nullopt, {face, green, face, text, face, navy}, false, false},
        {"colour",
         ShadeScheme::Colour,
         std::nullopt,
         {shade, green, shade, text, shade, navy},
         false,
         false},
        {"colour+color",
         ShadeScheme::Colour,
         red,
         {shade, red, shade, red, shade, red},
         false,
         false},
    };
    for (const auto& c : cases) {
        CColorButton button;
        ApplyColourScheme(button, c.scheme, c.color, shade);
        for (int role = 0; role < 6; ++role)
            EXPECT_EQ(button.RoleColour(role), c.roles[size_t(role)]) << c.name << " role " << role;
        EXPECT_EQ(button.IsTransparentBackground(), c.transparent) << c.name;
        EXPECT_EQ(button.cursor().shape() == Qt::PointingHandCursor, c.hand) << c.name;
    }
    EXPECT_EQ(ShadeSchemeOf(QString()), ShadeScheme::None);
    EXPECT_EQ(ShadeSchemeOf(QStringLiteral("1")), ShadeScheme::One);
    EXPECT_EQ(ShadeSchemeOf(QStringLiteral("2")), ShadeScheme::Two);
    EXPECT_EQ(ShadeSchemeOf(QStringLiteral("12,3,4")), ShadeScheme::Colour);
}

void Hover(CColorButton& button, bool inside)
{
    if (inside) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(&button, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
    }
}

TEST(ControlButtons, FillsByStateAndKind)
{
    const QColor bg(100, 150, 200);
    const QColor hoverBg(40, 10, 220);
    const struct {
        const char* name;
        CColorButton::ShadeFill fill;
        bool transparent;
        bool hovered;
        std::optional<QColor> expected;
    } cases[] = {
        {"colour", CColorButton::ShadeFill::None, false, false, bg},
        {"colour hovered", CColorButton::ShadeFill::None, false, true, hoverBg},
        {"transparent", CColorButton::ShadeFill::None, true, false, std::nullopt},
        {"transparent hovered", CColorButton::ShadeFill::None, true, true, std::nullopt},
        {"shaded", CColorButton::ShadeFill::HoverLight, false, false, std::nullopt},
        {"shaded hovered", CColorButton::ShadeFill::HoverLight, false, true, QColor(250, 250, 250)},
        {"shaded 2", CColorButton::ShadeFill::AlwaysDarkens, false, false, bg},
        {"shaded 2 hovered", CColorButton::ShadeFill::AlwaysDarkens, false, true,
         QColor(20, 0, 200)},
    };
    for (const auto& c : cases) {
        CColorButton button(c.fill);
        button.SetRoleColour(Role::NormalBackground, bg);
        button.SetRoleColour(Role::HoverBackground, hoverBg);
        button.SetRoleColour(Role::HoverText, Qt::red);
        button.SetRoleColour(Role::NormalText, Qt::blue);
        button.SetTransparentBackground(c.transparent);
        Hover(button, c.hovered);
        const CColorButton::Look look = button.CurrentLook();
        EXPECT_EQ(look.fill, c.expected) << c.name;
        EXPECT_EQ(look.text, c.hovered ? QColor(Qt::red) : QColor(Qt::blue)) << c.name;
        Hover(button, false);
        EXPECT_EQ(button.CurrentLook().text, QColor(Qt::blue)) << c.name;
    }
    EXPECT_EQ(CColorButton::ShadeFillFor(0), CColorButton::ShadeFill::None);
    EXPECT_EQ(CColorButton::ShadeFillFor(2), CColorButton::ShadeFill::AlwaysDarkens);
    EXPECT_EQ(CColorButton::ShadeFillFor(5), CColorButton::ShadeFill::HoverLight);
    EXPECT_EQ(InverseColour(QColor(255, 0, 77)), QColor(0, 255, 77));
}

TEST(ControlButtons, ImagePlacementAndDrawing)
{
    CColorButton button;
    button.SetImagePlacementStyle(1);
    EXPECT_EQ(button.Placement(), CColorButton::ImagePlacement::Above);
    button.SetImagePlacementStyle(7);
    EXPECT_EQ(button.Placement(), CColorButton::ImagePlacement::Above);
    button.SetImagePlacementStyle(2);
    EXPECT_EQ(button.Placement(), CColorButton::ImagePlacement::Right);

    // The picture stands right of the caption: its colours appear only in the
    // right half.
    button.setText(QStringLiteral("保存"));
    button.SetImage(ProgramPixmap(440));
    button.resize(120, 32);
    const QImage drawn = button.grab().toImage();
    const auto blueIn = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 0; y < drawn.height(); ++y) {
                const QColor c = drawn.pixelColor(x, y);
                if (c.blue() > 150 && c.red() < 80)
                    return true;
            }
        return false;
    };
    EXPECT_FALSE(blueIn(0, 60));
    EXPECT_TRUE(blueIn(60, 120));
}

TEST(ControlButtons, DoubleClicksAreReported)
{
    CColorButton colour;
    ZkPushButton notifying(1 | kButtonNotify);
    ZkPushButton plain(1);
    QSignalSpy colourDouble(&colour, &CColorButton::doubleClicked);
    QSignalSpy notifyingDouble(&notifying, &ZkPushButton::doubleClicked);
    QSignalSpy plainDouble(&plain, &ZkPushButton::doubleClicked);
    for (QWidget* w : std::initializer_list<QWidget*>{&colour, &notifying, &plain}) {
        w->resize(80, 30);
        QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(40, 15));
    }
    EXPECT_EQ(colourDouble.count(), 1);
    EXPECT_EQ(notifyingDouble.count(), 1);
    EXPECT_EQ(plainDouble.count(), 0);
}

TEST(ControlButtons, CheckBoxesToggleOnlyWhenAutomatic)
{
    const struct {
        int style;
        bool toggles;
        bool tristate;
    } cases[] = {{2, false, false}, {3, true, false}, {5, false, true}, {6, true, true}};
    for (const auto& c : cases) {
        auto* box =
            qobject_cast<ZkCheckBox*>(CreateStandardButton(c.style, QStringLiteral("框"), nullptr));
        ASSERT_NE(box, nullptr) << c.style;
        QSignalSpy clicked(box, &QAbstractButton::clicked);
        box->click();
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_EQ(box->checkState() != Qt::Unchecked, c.toggles) << c.style;
        EXPECT_EQ(box->isTristate(), c.tristate) << c.style;
        delete box;
    }
    std::unique_ptr<QWidget> radio(CreateStandardButton(9, QString(), nullptr));
    EXPECT_NE(qobject_cast<ZkRadioButton*>(radio.get()), nullptr);
    std::unique_ptr<QWidget> group(CreateStandardButton(7, QStringLiteral("组"), nullptr));
    EXPECT_NE(qobject_cast<ZkGroupBox*>(group.get()), nullptr);
    std::unique_ptr<QWidget> push(CreateStandardButton(1, QStringLiteral("确定"), nullptr));
    EXPECT_NE(qobject_cast<ZkPushButton*>(push.get()), nullptr);
}

TEST(ControlResources, EveryPictureIsDrawnAndDistinct)
{
    QSet<QString> names;
    QSet<QByteArray> images;
    for (int id = kFirstButtonBitmapId; id <= kLastButtonBitmapId; ++id) {
        const QPixmap pixmap = ProgramPixmap(id);
        ASSERT_EQ(pixmap.size(), QSize(16, 16)) << id;
        names.insert(ButtonBitmapName(id));
        const QImage image = pixmap.toImage();
        images.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(names.size(), 51);
    EXPECT_EQ(images.size(), 51);
    for (int id = kFirstBadgeIconId; id <= kLastBadgeIconId; ++id)
        EXPECT_FALSE(ProgramPixmap(id).isNull()) << id;
    EXPECT_EQ(ProgramPixmap(kWindowIconId).size(), QSize(32, 32));
    EXPECT_TRUE(ProgramPixmap(436).isNull());
    EXPECT_TRUE(ProgramPixmap(488).isNull());
    EXPECT_EQ(ProgramCursor(kHandCursorId).shape(), Qt::PointingHandCursor);
}

} // namespace
} // namespace zk
