#include "forms/controls/colour_button.h"
#include "forms/controls/control_font.h"
#include "forms/controls/control_values.h"
#include "forms/controls/file_edit_ctrl.h"
#include "forms/controls/standard_buttons.h"
#include "forms/controls/zk_date_ctrl.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_hyperlink.h"
#include "forms/controls/zk_picture.h"
#include "forms/controls/zk_static.h"
#include "forms/controls/zk_tab_ctrl.h"
#include "forms/controls/zk_tree_ctrl.h"
#include "forms/resources/program_images.h"
#include "tests/common/test_env.h"
#include "tests/forms/controls_test_form.h"

#include <QDir>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace zk {
namespace {

using test::TestForm;

// An order form holding every control kind, as a definition would build it.
void BuildOrderForm(TestForm& form)
{
    const QFont font = MakeControlFont(9, QString(), FormDefaultFont().family());
    form.setFont(FormDefaultFont());
    form.resize(640, 470);
    QPalette white = form.palette();
    white.setColor(QPalette::Window, Qt::white);
    form.setPalette(white);
    form.setAutoFillBackground(true);

    auto* title = form.Add(1, new CZkStatic(1 | 0x200, &form), QRect(10, 8, 620, 28));
    title->setFont(MakeControlFont(15, QString(), font.family()));
    title->SetTextColour(QColor(30, 60, 120));
    title->SetWindowText(QStringLiteral("销售订单 (&&) 录入"));

    form.Add(2, new CZkStatic(2 | 0x200, &form), QRect(10, 44, 70, 24))
        ->SetWindowText(QStringLiteral("客户名称:"));
    auto* customer = form.Add(3, new ZkEdit(0, &form), QRect(86, 44, 200, 24));
    SetControlValue(customer, QStringLiteral("上海华东贸易有限公司"));

    form.Add(4, new CZkStatic(2 | 0x200, &form), QRect(300, 44, 70, 24))
        ->SetWindowText(QStringLiteral("付款方式:"));
    auto* payment =
        form.Add(5, new ZkDropList(1, &form), ZkDropList::AdjustedRect(QRect(376, 44, 120, 25)));
    payment->SetItems({QStringLiteral("现金"), QStringLiteral("转账"), QStringLiteral("支票")});
    SetControlValue(payment, QStringLiteral("转账"));
    auto* date = form.Add(6, new ZkDateCtrl(0, &form), QRect(506, 44, 124, 24));
    SetControlValue(date, QStringLiteral("2024-05-01"));

    auto* remark = form.Add(7, new ZkEdit(4, &form), QRect(10, 76, 276, 64));
    remark->setFont(font);
    SetControlValue(remark, QStringLiteral("备注：请于本周五前发货。\n联系人：王经理"));
    auto* colourBox = form.Add(8, new CFileEditCtrl(0, &form), QRect(300, 76, 160, 24));
    colourBox->SetMode(CFileEditCtrl::Mode::Colour);
    colourBox->SetText(QStringLiteral("220,60,40"));
    auto* password = form.Add(9, new ZkEdit(32, &form), QRect(470, 76, 160, 24));
    password->SetText(QStringLiteral("secret"));
    auto* textBox = form.Add(10, new CFileEditCtrl(0, &form), QRect(300, 110, 160, 24));
    textBox->SetText(QStringLiteral("详细说明…"));
    textBox->SetColours(QColor(0, 90, 0), QColor(255, 250, 220));
    auto* readOnly = form.Add(11, new ZkEdit(0, &form), QRect(470, 110, 160, 24));
    readOnly->SetText(QStringLiteral("只读"));
    EnableControl(form, readOnly, false);

    // The colour buttons: element id, fill, caption, picture, left edge.
    const auto colourButton = [&](int id, CColorButton::ShadeFill fill, const char* caption,
                                  int bitmap, int left) {
        auto* button = form.Add(id, new CColorButton(fill, &form), QRect(left, 150, 96, 32));
        button->setFont(font);
        button->setText(QString::fromUtf8(caption));
        button->SetImage(ProgramPixmap(bitmap));
        return button;
    };
    ApplyColourScheme(*colourButton(12, CColorButton::ShadeFill::None, "保存", 440, 10),
                      ShadeScheme::Two, QColor(40, 120, 210));
    auto* search = colourButton(13, CColorButton::ShadeFill::None, "查询", 441, 114);
    ApplyColourScheme(*search, ShadeScheme::One, QColor(250, 230, 160));
    SetButtonBadge(search, QStringLiteral("3"));
    auto* shaded = colourButton(14, CColorButton::ShadeFill::AlwaysDarkens, "审核", 487, 218);
    ApplyColourScheme(*shaded, ShadeScheme::Colour, QColor(255, 255, 255), QColor(46, 150, 70));
    shaded->SetImagePlacementStyle(2);
    ApplyColourScheme(*colourButton(15, CColorButton::ShadeFill::None, "删除", 438, 322),
                      ShadeScheme::None, QColor(180, 40, 40));
    auto* push = form.Add(16, CreateStandardButton(1, QStringLiteral("打印"), &form),
                          QRect(426, 150, 96, 32));
    SetButtonBadge(push, QStringLiteral("12"));
    auto* check = form.Add(17, CreateStandardButton(3, QStringLiteral("含税"), &form),
                           QRect(530, 150, 100, 32));
    SetCheckState(check, 1);

    auto* link = form.Add(18, new ZkHyperLink(&form), QRect(10, 190, 300, 22));
    link->SetWindowText(QStringLiteral("查看<a href=\"help\">帮助文档</a>或<a>联系客服</a>"));

    auto* tree = form.Add(19, new CZkTreeCtrl(&form), QRect(10, 218, 200, 240));
    tree->SetCheckBoxes(true);
    FillTree(*tree,
             {QStringLiteral("0"), QStringLiteral("全部商品"), QStringLiteral("1"),
              QStringLiteral("1"), QStringLiteral("食品"), QStringLiteral("2"), QStringLiteral("2"),
              QStringLiteral("饮料"), QStringLiteral("4"), QStringLiteral("2"),
              QStringLiteral("零食"), QStringLiteral("5"), QStringLiteral("1"),
              QStringLiteral("日用品"), QStringLiteral("3")},
             QStringLiteral(",4,3,"));
    tree->expandAll();

    auto* tab = form.Add(20, new CZkTabCtrl(&form), QRect(220, 218, 250, 240));
    for (const QString& caption :
         {QStringLiteral("明细"), QStringLiteral("附件"), QStringLiteral("日志")}) {
        auto* page = new TestForm;
        page->Add(1, new CZkStatic(0, page), QRect(8, 8, 220, 40))
            ->SetWindowText(caption + QStringLiteral("页的内容"));
        page->Add(2, new ZkEdit(0, page), QRect(8, 50, 200, 24))->SetText(caption);
        tab->AddPage(caption, page, 0);
    }
    tab->CreatePages();

    auto* picture = form.Add(21, new ZkPicture(&form), QRect(480, 218, 150, 100));
    QImage image(160, 90, QImage::Format_RGB32);
    QLinearGradient sky(0, 0, 0, 90);
    sky.setColorAt(0, QColor(90, 160, 230));
    sky.setColorAt(1, QColor(220, 240, 255));
    QPainter p(&image);
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor(60, 150, 70));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(-40, 55, 240, 90));
    p.end();
    picture->SetPicture(image);

    form.Add(22, new CZkStatic(0, &form), QRect(480, 330, 150, 60))
        ->SetWindowText(QStringLiteral("状态：已审核\n制单人：张三"));
}

TEST(ControlScreens, OrderFormWithEveryKind)
{
    TestForm form;
    BuildOrderForm(form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QImage shot = form.grab().toImage();
    const QString folder = test::BinDir() + QStringLiteral("/../tests/screenshots");
    QDir().mkpath(folder);
    ASSERT_TRUE(shot.save(folder + QStringLiteral("/controls_order_form.png")));

    // The drawn controls are there: the picture's green hill, the save
    // button's fill, the title's colour.
    EXPECT_EQ(shot.pixelColor(555, 310).green() > 120, true);
    EXPECT_EQ(shot.pixelColor(14, 166), QColor(40, 120, 210));
    bool titleInk = false;
    for (int x = 200; x < 440 && !titleInk; ++x)
        for (int y = 10; y < 34 && !titleInk; ++y)
            titleInk = shot.pixelColor(x, y) == QColor(30, 60, 120);
    EXPECT_TRUE(titleInk);
}

} // namespace
} // namespace zk
