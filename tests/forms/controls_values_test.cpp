#include "forms/controls/colour_button.h"
#include "forms/controls/control_values.h"
#include "forms/controls/file_edit_ctrl.h"
#include "forms/controls/standard_buttons.h"
#include "forms/controls/zk_date_ctrl.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_picture.h"
#include "forms/controls/zk_static.h"
#include "forms/controls/zk_tab_ctrl.h"
#include "forms/controls/zk_tree_ctrl.h"
#include "forms/resources/program_images.h"
#include "tests/forms/controls_test_form.h"

#include <QLineEdit>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace zk {
namespace {

using test::TestForm;

// A form with an opener and a tab control whose second page holds a box.
class ControlReferences : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.opener = &opener;
        own = form.Add(5, new ZkEdit(0, &form));
        openers = opener.Add(5, new ZkEdit(0, &opener));
        tab = form.Add(9, new CZkTabCtrl(&form), QRect(0, 40, 300, 200));
        auto* first = new TestForm;
        auto* second = new TestForm;
        onPage = second->Add(3, new ZkEdit(0, second));
        tab->AddPage(QStringLiteral("一"), first, 1);
        tab->AddPage(QStringLiteral("二"), second, 2);
        tab->CreatePages();
    }

    TestForm opener;
    TestForm form;
    ZkEdit* own = nullptr;
    ZkEdit* openers = nullptr;
    ZkEdit* onPage = nullptr;
    CZkTabCtrl* tab = nullptr;
};

TEST_F(ControlReferences, FindControlResolvesEveryForm)
{
    const struct {
        const char* reference;
        QWidget* expected;
    } cases[] = {
        {"", nullptr},        {"5", own},         {"5abc", own},      {"0", &form},
        {"abc", &form},       {"6", nullptr},     {"1:5", openers},   {"99:5", openers},
        {"1:6", nullptr},     {"9:2:3", onPage},  {"9:1:3", nullptr}, // the first page has no
                                                                      // control 3
        {"9:3:3", nullptr},                                           // no third page
        {"9:0:3", nullptr},   {"8:2:3", nullptr},                     // no tab control 8
        {"5:2:3", nullptr},                                           // control 5 is no tab control
        {"1:2:3:4", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindControl(form, QString::fromUtf8(c.reference)), c.expected) << c.reference;
}

TEST_F(ControlReferences, OpenerReferenceWithoutOpenerFindsNothing)
{
    form.opener = nullptr;
    EXPECT_EQ(FindControl(form, QStringLiteral("1:5")), nullptr);
}

TEST_F(ControlReferences, GetControlNumberDistinguishesEmptyAndMissing)
{
    own->SetText(QStringLiteral("42件"));
    EXPECT_EQ(GetControlNumber(form, QString()), -1);
    EXPECT_EQ(GetControlNumber(form, QStringLiteral("77")), 0);
    EXPECT_EQ(GetControlNumber(form, QStringLiteral("5")), 42);
    EXPECT_EQ(GetControlValue(form, QStringLiteral("77")), QString());
    EXPECT_EQ(GetControlValue(form, QStringLiteral("9:2:3")), QString());
    onPage->SetText(QStringLiteral("页上"));
    EXPECT_EQ(GetControlValue(form, QStringLiteral("9:2:3")), QStringLiteral("页上"));
    EXPECT_EQ(GetControlValue(form, WindowIdOfElement(5)), QStringLiteral("42件"));
}

TEST(ControlRegistries, FirstControlOfAnIdIsFoundWhileItLives)
{
    TestForm form;
    auto* first = new ZkEdit(0, &form);
    auto* second = new ZkEdit(0, &form);
    form.registry.Register(WindowIdOfElement(3), first);
    form.registry.Register(WindowIdOfElement(3), second);
    EXPECT_EQ(form.registry.Find(1027), first);
    EXPECT_EQ(WindowIdOf(second), 1027);
    EXPECT_EQ(ElementIdOf(second), 3);
    delete first;
    EXPECT_EQ(form.registry.Find(1027), second);
    EXPECT_EQ(form.registry.Controls(), QList<QWidget*>{second});
    delete second;
    EXPECT_EQ(form.registry.Find(1027), nullptr);
    EXPECT_EQ(form.registry.Find(1028), nullptr);
}

TEST(ControlValues, DropListInsertsUnknownTextOnceAndSelectsIt)
{
    TestForm form;
    auto* list = form.Add(1, new ZkDropList(0, &form));
    list->SetItems({QStringLiteral("北京"), QStringLiteral("上海")});
    EXPECT_EQ(list->SelectedIndex(), -1);

    SetControlValue(list, QStringLiteral("广州"));
    SetControlValue(list, QStringLiteral("广州"));
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), QStringLiteral("广州"));
    EXPECT_EQ(list->SelectedIndex(), 0);
    EXPECT_EQ(GetControlValue(list), QStringLiteral("广州"));

    SetControlValue(list, QStringLiteral("上海"));
    EXPECT_EQ(list->SelectedIndex(), 2);
    // An empty text that is no item clears the selection and adds nothing.
    SetControlValue(list, QString());
    EXPECT_EQ(list->SelectedIndex(), -1);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(GetControlValue(list), QString());
}

TEST(ControlValues, DropListMatchesItemsWithoutRegardToCase)
{
    TestForm form;
    auto* list = form.Add(1, new ZkDropList(1, &form)); // a non-editable list
    ASSERT_FALSE(list->isEditable());
    list->SetItems({QStringLiteral("PCS"), QStringLiteral("KG")});
    SetControlValue(list, QStringLiteral("kg"));
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(GetControlValue(list), QStringLiteral("KG"));
}

TEST(ControlValues, TypedDropListTextIsMatchedOnLeaving)
{
    TestForm form;
    auto* list = form.Add(1, new ZkDropList(0, &form));
    list->SetItems({QStringLiteral("现金"), QStringLiteral("转账")});
    SetControlValue(list, QStringLiteral("现金"));
    list->setEditText(QStringLiteral("转账"));
    // Before the match the typed text is not the selection.
    EXPECT_EQ(list->SelectedIndex(), -1);
    EXPECT_EQ(list->MatchTypedText(), 1);
    EXPECT_EQ(GetControlValue(list), QStringLiteral("转账"));

    list->setEditText(QStringLiteral("支票"));
    EXPECT_EQ(list->MatchTypedText(), -1);
    EXPECT_EQ(list->currentText(), QStringLiteral("支票"));
    EXPECT_EQ(GetControlValue(list), QStringLiteral("支票"));
}

TEST(ControlValues, DatePickerTakesOnlyDates)
{
    TestForm form;
    auto* date = form.Add(1, new ZkDateCtrl(0, &form));
    SetControlValue(date, QStringLiteral("2024-05-01"));
    EXPECT_EQ(GetControlValue(date), QStringLiteral("2024-05-01"));
    for (const char* bad : {"", "明天", "2024-13-01", "2024-02-30"}) {
        SetControlValue(date, QString::fromUtf8(bad));
        EXPECT_EQ(GetControlValue(date), QStringLiteral("2024-05-01")) << bad;
    }
    SetControlText(date, QStringLiteral("2023/12/9"));
    EXPECT_EQ(ControlWindowText(date), QStringLiteral("2023-12-09"));
    // A picker made with a date shows it; with a text that is none, today.
    EXPECT_EQ(ZkDateCtrl(0, nullptr, QStringLiteral("2023/12/9")).WindowText(),
              QStringLiteral("2023-12-09"));
    EXPECT_EQ(ZkDateCtrl(0, nullptr, QStringLiteral("明天")).date(), QDate::currentDate());
}

TEST(ControlValues, DateTextsUsersWrite)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const struct {
        const char* text;
        QDate date;
    } cases[] = {
        {"2024-05-01", {2024, 5, 1}},
        {"2024-5-1", {2024, 5, 1}},
        {"2024/05/01", {2024, 5, 1}},
        {"2024.5.1", {2024, 5, 1}},
        {"2024年5月1日", {2024, 5, 1}},
        {"2024-05-01 13:45:00", {2024, 5, 1}},
        {" 2024-05-01T08:00 ", {2024, 5, 1}},
        {"Wednesday, May 1, 2024", {2024, 5, 1}}, // the locale's long format
    };
    for (const auto& c : cases) {
        const auto date = ZkDateCtrl::ParseDateText(QString::fromUtf8(c.text), locale);
        ASSERT_TRUE(date.has_value()) << c.text;
        EXPECT_EQ(*date, c.date) << c.text;
    }
    for (const char* bad : {"", "2024", "2024-05", "20240501x", "abc"})
        EXPECT_FALSE(ZkDateCtrl::ParseDateText(QString::fromUtf8(bad), locale)) << bad;
}

TEST(ControlValues, EditBoxSelectsAllWithTheCaretAtTheStart)
{
    TestForm form;
    auto* single = form.Add(1, new ZkEdit(0, &form));
    auto* multi = form.Add(2, new ZkEdit(4, &form));
    auto* withButton = form.Add(3, new CFileEditCtrl(0, &form));
    SetControlValue(single, QStringLiteral("客户名称"));
    EXPECT_EQ(single->LineEdit()->selectedText(), QStringLiteral("客户名称"));
    EXPECT_EQ(single->LineEdit()->cursorPosition(), 0);

    SetControlValue(multi, QStringLiteral("第一行\n第二行"));
    const QTextCursor cursor = multi->TextEdit()->textCursor();
    EXPECT_EQ(cursor.position(), 0);
    EXPECT_EQ(cursor.anchor(), 7);

    // The edit-with-button only takes the text.
    SetControlValue(withButton, QStringLiteral("abc"));
    EXPECT_EQ(withButton->Text(), QStringLiteral("abc"));
    EXPECT_FALSE(withButton->LineEdit()->hasSelectedText());
}

TEST(ControlValues, OtherKindsTakeTheTextAsWindowText)
{
    TestForm form;
    auto* label = form.Add(1, new CZkStatic(0, &form));
    auto* picture = form.Add(2, new ZkPicture(&form));
    auto* button = form.Add(3, new ZkPushButton(1, &form));
    auto* tree = form.Add(4, new CZkTreeCtrl(&form));
    const struct {
        QWidget* control;
        const char* text;
    } cases[] = {{label, "合计:&&100"}, {picture, "TreeList"}, {button, "保存"}, {tree, "树"}};
    for (const auto& c : cases) {
        SetControlValue(c.control, QString::fromUtf8(c.text));
        EXPECT_EQ(GetControlValue(c.control), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(label->text(), QStringLiteral("合计:&100"));
    SetControlTextById(form, WindowIdOfElement(3), QStringLiteral("提交"));
    EXPECT_EQ(button->text(), QStringLiteral("提交"));
    // A missing window is ignored.
    EXPECT_TRUE(SetControlValue(nullptr, QStringLiteral("x")));
    SetControlTextById(form, WindowIdOfElement(99), QStringLiteral("x"));
}

TEST(ControlValues, EnableControlByKind)
{
    TestForm form;
    form.forbidden = QStringLiteral(";7;12;");
    auto* edit = form.Add(1, new ZkEdit(0, &form));
    auto* forbidden = form.Add(7, new ZkPushButton(1, &form));
    auto* allowed = form.Add(8, new CColorButton(CColorButton::ShadeFill::None, &form));
    auto* list = form.Add(9, new ZkDropList(0, &form));

    EnableControl(form, edit, false);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_TRUE(edit->IsReadOnly());
    EnableControl(form, edit, true);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_FALSE(edit->IsReadOnly());

    EnableControl(form, forbidden, true);
    EXPECT_FALSE(forbidden->isEnabled());
    EnableControl(form, allowed, false);
    EXPECT_FALSE(allowed->isEnabled());
    EnableControl(form, allowed, true);
    EXPECT_TRUE(allowed->isEnabled());
    EnableControl(form, list, false);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_TRUE(EnableControl(form, nullptr, true));
}

TEST(ControlValues, ButtonBadges)
{
    TestForm form;
    auto* push = form.Add(1, new ZkPushButton(1, &form));
    auto* colour = form.Add(2, new CColorButton(CColorButton::ShadeFill::None, &form));
    const auto same = [](const QPixmap& a, int id) {
        return a.toImage() == ProgramPixmap(id).toImage();
    };

    SetButtonBadge(colour, QStringLiteral("3"));
    EXPECT_TRUE(same(colour->Badge(), 493));
    SetButtonBadge(colour, QStringLiteral("12"));
    EXPECT_TRUE(same(colour->Badge(), 500));
    SetButtonBadge(colour, QStringLiteral("10"));
    EXPECT_TRUE(same(colour->Badge(), 500));
    SetButtonBadge(colour, QStringLiteral("0"));
    EXPECT_TRUE(colour->Badge().isNull());

    SetButtonBadge(push, QStringLiteral("1"));
    EXPECT_FALSE(push->icon().isNull());
    EXPECT_EQ(push->layoutDirection(), Qt::RightToLeft); // the badge follows the caption
    SetButtonBadge(push, QStringLiteral("-4"));
    EXPECT_TRUE(push->icon().isNull());

    // Disabled buttons keep what they show.
    colour->setEnabled(false);
    SetButtonBadge(colour, QStringLiteral("5"));
    EXPECT_TRUE(colour->Badge().isNull());
}

TEST(ControlValues, ElementKindsFollowTheClassOrder)
{
    TestForm form;
    QWidget grid(&form);
    SetControlKind(&grid, ControlKind::Table); // as the grid tags itself
    const struct {
        QWidget* control;
        const char* kind;
    } cases[] = {
        {new CFileEditCtrl(0, &form), "editbutton"},
        {new ZkEdit(4, &form), "textbox"},
        {new ZkDropList(0, &form), "droplist"},
        {new ZkDateCtrl(0, &form), "datectrl"},
        {CreateStandardButton(3, QStringLiteral("选中"), &form), "button"},
        {new CColorButton(CColorButton::ShadeFill::HoverLight, &form), "button"},
        {&grid, "table"},
        {new CZkTreeCtrl(&form), "tree"},
        {new ZkPicture(&form), "treelist"},
        {new CZkStatic(0, &form), ""},
        {new CZkTabCtrl(&form), ""},
        {new QWidget(&form), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ElementKindOf(c.control), QString::fromUtf8(c.kind)) << c.kind;
}

TEST(ControlValues, CheckStates)
{
    TestForm form;
    auto* box = qobject_cast<ZkCheckBox*>(CreateStandardButton(3, QStringLiteral("含税"), &form));
    auto* threeState = qobject_cast<ZkCheckBox*>(CreateStandardButton(6, QString(), &form));
    auto* radio = qobject_cast<ZkRadioButton*>(CreateStandardButton(4, QString(), &form));
    ASSERT_TRUE(box && threeState && radio);
    const struct {
        QWidget* control;
        int set;
        int read;
    } cases[] = {{box, 1, 1},        {box, 0, 0},   {box, 2, 1},  {threeState, 2, 2},
                 {threeState, 0, 0}, {radio, 5, 1}, {radio, 0, 0}};
    for (const auto& c : cases) {
        SetCheckState(c.control, c.set);
        EXPECT_EQ(GetCheckState(c.control), c.read) << c.set;
    }
    EXPECT_EQ(GetCheckState(new ZkPushButton(1, &form)), 0);
}

} // namespace
} // namespace zk
