// The main window against a real zk_server: the trees for the administrator and for a
// clerk, favourites both ways, opening items, the navigation modes and the caption.

#include "app_fixture.h"

#include "app/navigation_tree.h"
#include "app/zkims_dlg.h"
#include "runtime/form_window/form_window.h"
#include "util/ini.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace zk::test {
namespace {

struct Opened {
    QString uid, name, text;
};

class MainWindowTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        if (HasFatalFailure())
            return;
        AddMenu(10, 0, 0, false, 27, QStringLiteral("销售管理"));
        AddMenu(11, 10, 1, true, 13, QStringLiteral("客户资料"));
        AddMenu(12, 10, 1, true, 2, QStringLiteral("销售订单"));
        AddMenu(20, 0, 0, false, 1, QStringLiteral("库存管理"));
        AddMenu(21, 20, 1, true, 0, QStringLiteral("库存查询"));
        AddMenu(30, 0, 0, true, 5, QStringLiteral("系统设置"));
        AddMenu(40, 99, 1, true, 3, QStringLiteral("无上级"));
    }

    FormHooks Hooks()
    {
        FormHooks hooks;
        hooks.open = [this](const QString& text, const QString& uid, const QString& name) {
            opened.append({uid, name, text});
            return true;
        };
        hooks.embed = [](QWidget* parent, const QString& text, const QString&) -> QWidget* {
            return new QLabel(text, parent);
        };
        hooks.embedEmpty = [](QWidget* parent) { return new QWidget(parent); };
        return hooks;
    }

    std::unique_ptr<CZkimsDlg> Window()
    {
        auto window = std::make_unique<CZkimsDlg>(*app_, Hooks());
        window->confirmExit = [] { return true; };
        return window;
    }

    QString Favourites(const QString& uid)
    {
        return Query(QStringLiteral("SELECT auth1_0 FROM c_user WHERE uid_0=%1").arg(uid));
    }

    QList<Opened> opened;
};

// The tree as "name(children…)" texts, in order.
QString Shape(QTreeWidgetItem* item)
{
    QString text = item->text(0);
    if (item->childCount() == 0)
        return text;
    QStringList children;
    for (int i = 0; i < item->childCount(); ++i)
        children.append(Shape(item->child(i)));
    return text + QStringLiteral("(") + children.join(QLatin1Char(',')) + QStringLiteral(")");
}

QString Shape(QTreeWidget& tree)
{
    QStringList roots;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        roots.append(Shape(tree.topLevelItem(i)));
    return roots.join(QLatin1Char(' '));
}

TEST_F(MainWindowTest, TheAdministratorSeesEveryItemAndTheClerkHisRights)
{
    ASSERT_TRUE(LogIn(QStringLiteral("admin"), QStringLiteral("123456")));
    auto admin = Window();
    EXPECT_EQ(Shape(*admin->NavTree()),
              QStringLiteral("库存管理(库存查询) 系统设置 销售管理(销售订单,客户资料) 无上级"));
    EXPECT_TRUE(admin->Button(CZkimsDlg::kHelpButton)->geometry().left() == 350);

    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    auto clerk = Window();
    EXPECT_EQ(Shape(*clerk->NavTree()), QStringLiteral("库存管理 销售管理(销售订单,客户资料)"));
    EXPECT_EQ(clerk->Button(CZkimsDlg::kHelpButton)->geometry().left(), 55);
    // Images: order modulo 10, leaves from the second strip.
    QTreeWidgetItem* sales = FindNavigationItem(*clerk->NavTree(), 10);
    QTreeWidgetItem* customers = FindNavigationItem(*clerk->NavTree(), 11);
    ASSERT_TRUE(sales && customers);
    EXPECT_EQ(NavigationItemImage(*sales), 7);
    EXPECT_EQ(NavigationItemImage(*customers), 13);
}

TEST_F(MainWindowTest, FavouritesAreAddedAndRemovedThroughTheDatabase)
{
    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    Exec(QStringLiteral("UPDATE c_user SET auth1_0='30' WHERE id_0='clerk'"));
    auto window = Window();
    EXPECT_EQ(Shape(*window->FavTree()), QString()) << "30 is not in the clerk's rights";

    const auto addItem = [&](int uid) {
        window->NavTree()->setCurrentItem(FindNavigationItem(*window->NavTree(), uid));
        window->AddFavourite();
    };
    addItem(12);
    EXPECT_EQ(Favourites(clerkUid_), QStringLiteral("30,12"));
    addItem(11);
    addItem(12);
    EXPECT_EQ(Favourites(clerkUid_), QStringLiteral("30,11,12"));
    // Folder 10 is no favourite, so its items are roots here.
    EXPECT_EQ(Shape(*window->FavTree()), QStringLiteral("销售订单 客户资料"));

    window->FavTree()->setCurrentItem(FindNavigationItem(*window->FavTree(), 11));
    window->RemoveFavourite();
    EXPECT_EQ(Favourites(clerkUid_), QStringLiteral("30,12"));
    EXPECT_EQ(Shape(*window->FavTree()), QStringLiteral("销售订单"));

    window->FavTree()->setCurrentItem(nullptr);
    window->RemoveFavourite(); // nothing selected: nothing happens
    EXPECT_EQ(Favourites(clerkUid_), QStringLiteral("30,12"));
}

TEST(FavouriteListTest, ListRules)
{
    struct Case {
        const char* list;
        const char* uid;
        const char* added;
        const char* removed;
    };
    const Case cases[] = {
        {"", "12", "12", ""},
        {"12", "12", ",12", ""}, // adding the only entry again
        {"5", "7", "5,7", "5"},  // a single-character entry is kept
        {"3,12,5", "12", "3,5,12", "3,5"},
        {"3,5", "12", "3,5,12", "3,5"},
        {"12,3,12", "12", "3,12", "3"},
        {"112,12", "12", "112,12", "112"},
    };
    for (const Case& c : cases) {
        const QString list = QString::fromUtf8(c.list), uid = QString::fromUtf8(c.uid);
        EXPECT_EQ(AddToFavourites(list, uid), QString::fromUtf8(c.added)) << c.list;
        EXPECT_EQ(RemoveFromFavourites(list, uid), QString::fromUtf8(c.removed)) << c.list;
    }
}

TEST_F(MainWindowTest, AdministratorsFavouritesKeepBothFilters)
{
    ASSERT_TRUE(LogIn(QStringLiteral("admin"), QStringLiteral("123456")));
    Exec(QStringLiteral("UPDATE c_user SET auth_0='10,11', auth1_0='11,21' WHERE uid_0=1"));
    auto window = Window();
    EXPECT_EQ(Shape(*window->FavTree()), QStringLiteral("客户资料"));
}

TEST_F(MainWindowTest, ALeafOpensItsFormAndAFolderDoesNothing)
{
    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    auto window = Window();
    QTreeWidget& tree = *window->NavTree();
    tree.setCurrentItem(FindNavigationItem(tree, 10));
    window->OpenNavigationItem(tree);
    EXPECT_TRUE(opened.isEmpty());

    tree.setCurrentItem(FindNavigationItem(tree, 11));
    window->OpenNavigationItem(tree);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].uid, QStringLiteral("11"));
    EXPECT_EQ(opened[0].name, QStringLiteral("客户资料"));
    EXPECT_TRUE(opened[0].text.contains(QStringLiteral("value='客户资料'")));
    EXPECT_TRUE(app_->form_cache.Contains(QStringLiteral("11")));

    // The second time the cache answers; the welcome button empties it.
    StoreForm(11, QStringLiteral("<html id='11'/>"));
    window->OpenNavigationItem(tree);
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1].text, opened[0].text);
    window->Button(CZkimsDlg::kWelcomeButton)->click();
    EXPECT_EQ(app_->form_cache.size(), 0);
    window->OpenNavigationItem(tree);
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[2].text, QStringLiteral("<html id='11'/>"));

    // A definition that is no XML opens nothing.
    StoreForm(12, QStringLiteral("<html id='12'><body>"));
    tree.setCurrentItem(FindNavigationItem(tree, 12));
    BoxAnswerer boxes;
    window->OpenNavigationItem(tree);
    EXPECT_EQ(opened.size(), 3);
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("LoadXml失败"));
}

TEST_F(MainWindowTest, TheProgramOpensALeafInAFormWindowOfItsOwn)
{
    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    CZkimsDlg window(*app_, DefaultFormHooks(*app_));
    window.confirmExit = [] { return true; };
    window.NavTree()->setCurrentItem(FindNavigationItem(*window.NavTree(), 12));
    window.OpenNavigationItem(*window.NavTree());
    D_T1* form = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* candidate = qobject_cast<D_T1*>(top); candidate && candidate->isVisible())
            form = candidate;
    ASSERT_TRUE(form);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("销售订单"));
    EXPECT_EQ(form->menu_uid, QStringLiteral("12"));
    EXPECT_EQ(Query(QStringLiteral("SELECT count(*) FROM log_dh_open WHERE menu_uid_0=12")),
              QStringLiteral("1"));
    form->close();
}

TEST_F(MainWindowTest, TheModeIsStoredAndAppliedAtTheNextStart)
{
    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    {
        auto window = Window();
        EXPECT_EQ(window->NavigationMode(), 0);
        EXPECT_FALSE(window->Button(CZkimsDlg::kNavButton)->isChecked());
        window->Button(CZkimsDlg::kFavButton)->click();
        EXPECT_EQ(
            ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("DHBTN")),
            QStringLiteral("2"));
    }
    auto window = Window();
    EXPECT_EQ(window->NavigationMode(), 2);
    EXPECT_TRUE(window->FavTree()->isVisibleTo(window.get()));
    EXPECT_FALSE(window->NavTree()->isVisibleTo(window.get()));
    EXPECT_TRUE(window->Button(CZkimsDlg::kFavButton)->isChecked());
    EXPECT_FALSE(window->windowState() & Qt::WindowMaximized);

    WriteIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("DHBTN"),
             QStringLiteral("3"));
    auto graphic = Window();
    EXPECT_TRUE(graphic->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(graphic->NavigationMode(), 3);
}

TEST_F(MainWindowTest, GraphicNavigationComesFromTheSecondApplicationRow)
{
    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    for (const char* none : {"0", "NULL"}) {
        Exec(QStringLiteral("UPDATE c_app SET userCount_0='%1' WHERE uid_0=2")
                 .arg(QString::fromLatin1(none)));
        auto window = Window();
        EXPECT_FALSE(window->GraphicAvailable()) << none;
        EXPECT_TRUE(window->Button(CZkimsDlg::kGraphicButton)->isHidden()) << none;
    }
    Exec(QStringLiteral("UPDATE c_app SET userCount_0='21' WHERE uid_0=2"));
    auto window = Window();
    ASSERT_TRUE(window->GraphicAvailable());
    EXPECT_FALSE(window->Button(CZkimsDlg::kGraphicButton)->isHidden());
    auto* form = qobject_cast<QLabel*>(window->GraphicForm());
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->text().contains(QStringLiteral("库存查询")));
    EXPECT_FALSE(form->isVisibleTo(window.get()));
    window->SetNavigationMode(3);
    EXPECT_TRUE(form->isVisibleTo(window.get()));
    EXPECT_EQ(form->geometry(), window->GraphicArea());
    window->show();
    window->resize(500, 700);
    WaitUntil([&] { return window->height() == 700; }, 2000);
    EXPECT_EQ(form->geometry(), QRect(0, 80, 500, 700 - 110));
}

TEST_F(MainWindowTest, CaptionAndCompanyComeFromTheFirstApplicationRow)
{
    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    Exec(QStringLiteral("UPDATE c_app SET appName_0='进销存' WHERE uid_0=1"));
    auto window = Window();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("进销存 王店员"));
    EXPECT_EQ(app_->cpy, QStringLiteral("示范贸易有限公司"));
    EXPECT_EQ(window->Button(CZkimsDlg::kWelcomeButton)->text(), app_->cpy);
}

TEST_F(MainWindowTest, ClosingAsksFirstAndEscapeNeverCloses)
{
    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    CZkimsDlg window(*app_, Hooks());
    int asked = 0;
    bool answer = false;
    window.confirmExit = [&] {
        ++asked;
        return answer;
    };
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(asked, 0);
    window.close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window.isVisible()) << "No keeps the window";
    answer = true;
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(window.minimumSize(), QSize(260, 400));
    window.show();
    window.resize(100, 100);
    QTest::qWait(50);
    EXPECT_EQ(window.minimumSize(), QSize(260, 400));
}

TEST_F(MainWindowTest, EnterMovesTheFocusOn)
{
    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    auto window = Window();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->NavTree()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), window->NavTree()->viewport()->parentWidget());
    // Whichever control has the focus: Enter moves it on, Escape closes nothing.
    QTest::keyClick(window->NavTree(), Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), window->NavTree());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace zk::test
