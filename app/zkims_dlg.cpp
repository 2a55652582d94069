#include "app/zkims_dlg.h"

#include "app/dialog_login.h"
#include "app/main_app.h"
#include "app/navigation_tree.h"
#include "app/shell_look.h"
#include "data/xml/xml_document.h"
#include "forms/layout/geometry.h"
#include "forms/layout/wnd_resizer_widget.h"
#include "forms/resources/program_images.h"
#include "runtime/codec/form_blob.h"
#include "runtime/definition/form_loader.h"
#include "util/gui/open_with_shell.h"
#include "util/ini.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTreeWidget>
#include <QWindow>

namespace zk {

namespace {

const QString kIni = QStringLiteral("cfg.ini");
const QString kServer = QStringLiteral("SERVER");
// The product's own name, shown when the application name cannot be read.
const QString kBuiltInName = QStringLiteral("Zk_ERP");

// Button bitmaps of the program (forms/resources): refresh, help, folder, star, delete.
constexpr int kRefreshBitmap = 445;
constexpr int kHelpBitmap = 469;
constexpr int kOpenBitmap = 472;
constexpr int kStarBitmap = 477;
constexpr int kDeleteBitmap = 438;

void ShowLoadXmlFailure(QWidget* parent)
{
    QMessageBox::information(parent, QString(), QStringLiteral("LoadXml失败"));
}

bool IsXml(const QString& text)
{
    CXmlDocument document;
    return document.LoadXml(text);
}

} // namespace

CZkimsDlg::CZkimsDlg(CMainApp& app, FormHooks hooks, QWidget* parent)
    : QDialog(parent)
    , confirmExit([this] { return AskExit(); })
    , app_(app)
    , hooks_(std::move(hooks))
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(app.app_icon);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    setMinimumSize(kMinimumSize);
    setGeometry(screen.left() + screen.width() - 425, screen.top() + 50, 405,
                screen.height() - 250);
    session_.ConfigureServer();

    tree_images_ = NavigationTreeImages();
    CreateTrees();
    graphic_available_ = LoadGraphicNavigation();
    CreateButtons();
    if (!graphic_available_) {
        Button(kGraphicButton)->hide();
        if (graphic_form_)
            graphic_form_->hide();
    }
    RefreshNavigation();
    ApplyLayout();
    // The system-wide Ctrl+Tab of the window: taken so that it never reaches the trees,
    // and nothing is done with it.
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this, [] {});
    CreateMenus();
    ReadCaptionAndCompany();
    ApplyStoredMode();
    // The window's key rules hold whichever of its controls has the focus.
    // (The graphic navigation form has rules of its own, the menus theirs.)
    nav_tree_->installEventFilter(this);
    fav_tree_->installEventFilter(this);
    for (QPushButton* button : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        button->installEventFilter(this);
}

CZkimsDlg::~CZkimsDlg()
{
    resizer_.reset();
    delete graphic_form_.data();
}

QPushButton* CZkimsDlg::Button(int id) const
{
    return findChild<QPushButton*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void CZkimsDlg::CreateTrees()
{
    for (QTreeWidget** tree : {&nav_tree_, &fav_tree_}) {
        *tree = new QTreeWidget(this);
        (*tree)->setObjectName(QString::number(tree == &nav_tree_ ? kNavTree : kFavTree));
        (*tree)->setHeaderHidden(true);
        (*tree)->setRootIsDecorated(true);
        (*tree)->setContextMenuPolicy(Qt::CustomContextMenu);
        (*tree)->setIconSize(QSize(16, 16));
        (*tree)->setUniformRowHeights(true);
    }
    // A tenth more than the tree's own item height, without the fraction.
    const int height = int(nav_tree_->fontMetrics().height() * 1.1 + 4);
    const QString style = QStringLiteral("QTreeWidget::item { height: %1px; }").arg(height);
    nav_tree_->setStyleSheet(style);
    fav_tree_->setStyleSheet(style);
    connect(nav_tree_, &QTreeWidget::itemDoubleClicked, this,
            [this] { OpenNavigationItem(*nav_tree_); });
    connect(fav_tree_, &QTreeWidget::itemDoubleClicked, this,
            [this] { OpenNavigationItem(*fav_tree_); });
    connect(nav_tree_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowContextMenu(*nav_tree_, pos); });
    connect(fav_tree_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowContextMenu(*fav_tree_, pos); });
}

void CZkimsDlg::CreateButtons()
{
    auto* refresh = MakeImageButton(this, kRefreshButton, kRefreshBitmap,
                                    QStringLiteral("刷新功能导航"), QRect(10, 6, 40, 36));
    connect(refresh, &QPushButton::clicked, this, &CZkimsDlg::RefreshNavigation);
    const bool admin = app_.userid == QStringLiteral("1");
    auto* help = MakeImageButton(this, kHelpButton, kHelpBitmap, QStringLiteral("在线帮助"),
                                 admin ? QRect(350, 6, 40, 36) : QRect(55, 6, 40, 36));
    connect(help, &QPushButton::clicked, this, &CZkimsDlg::OpenHelp);

    struct Mode {
        int id;
        int mode;
        const char16_t* text;
        const char16_t* tip;
        int left;
    };
    const Mode modes[] = {{kNavButton, 1, u"我的导航", u"显示树形导航", 0},
                          {kFavButton, 2, u"我的收藏夹", u"显示我的收藏夹", 125},
                          {kGraphicButton, 3, u"图形导航", u"显示图形导航", 250}};
    for (const Mode& m : modes) {
        auto* button = MakeModeButton(this, m.id, QString::fromUtf16(m.text),
                                      QString::fromUtf16(m.tip), QRect(m.left, 50, 120, 26));
        const int mode = m.mode;
        connect(button, &QPushButton::clicked, this, [this, mode] { SetNavigationMode(mode); });
    }

    auto* welcome =
        MakeShellButton(this, kWelcomeButton, QString(), QStringLiteral("点击查看详情"), QRect());
    welcome->setFont(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    connect(welcome, &QPushButton::clicked, this, [this] { app_.form_cache.Clear(); });
}

void CZkimsDlg::ApplyLayout()
{
    const QRect client = rect();
    const QRect treeArea(0, 80, client.width(), client.height() - 30 - 80);
    nav_tree_->setGeometry(treeArea);
    fav_tree_->setGeometry(treeArea);
    fav_tree_->hide();
    Button(kWelcomeButton)->setGeometry(0, client.height() - 30, client.width(), 30);

    resizer_ = std::make_unique<layout::CWndResizerWidget>([this](int id) -> QWidget* {
        if (id == kNavTree)
            return nav_tree_;
        if (id == kFavTree)
            return fav_tree_;
        return Button(id);
    });
    resizer_->Hook(this);
    using namespace layout;
    resizer_->Resizer().SetAnchor(kNavTree,
                                  kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
    resizer_->Resizer().SetAnchor(kFavTree,
                                  kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
    resizer_->Resizer().SetAnchor(kHelpButton, kAnchorTop | kAnchorRight);
    resizer_->Resizer().SetAnchor(kWelcomeButton, kAnchorLeft | kAnchorRight | kAnchorBottom);
    resizer_->Resizer().ShowResizeGrip(true);
    resizer_->Relayout();
    KeepMinimumSize();
}

// The layout engine gives a window the minimum of its panels on every pass; the main
// window keeps its own.
void CZkimsDlg::KeepMinimumSize()
{
    if (minimumSize() != kMinimumSize)
        setMinimumSize(kMinimumSize);
}

void CZkimsDlg::CreateMenus()
{
    item_menu_ = new QMenu(this);
    item_menu_->setObjectName(QStringLiteral("397"));
    QAction* open = item_menu_->addAction(ProgramIcon(kOpenBitmap), QStringLiteral("打开"));
    open->setData(kOpenNavItem);
    connect(open, &QAction::triggered, this, [this] { OpenNavigationItem(*nav_tree_); });
    item_menu_->addSeparator();
    QAction* add = item_menu_->addAction(ProgramIcon(kStarBitmap), QStringLiteral("添加到收藏夹"));
    add->setData(kAddFavourite);
    connect(add, &QAction::triggered, this, &CZkimsDlg::AddFavourite);

    fav_menu_ = new QMenu(this);
    fav_menu_->setObjectName(QStringLiteral("398"));
    QAction* openFav = fav_menu_->addAction(ProgramIcon(kOpenBitmap), QStringLiteral("打开"));
    openFav->setData(kOpenFavItem);
    connect(openFav, &QAction::triggered, this, [this] { OpenNavigationItem(*fav_tree_); });
    fav_menu_->addSeparator();
    QAction* remove =
        fav_menu_->addAction(ProgramIcon(kDeleteBitmap), QStringLiteral("从收藏夹中删除"));
    remove->setData(kRemoveFavourite);
    connect(remove, &QAction::triggered, this, &CZkimsDlg::RemoveFavourite);
}

void CZkimsDlg::ReadCaptionAndCompany()
{
    QString name;
    QString company;
    if (session_.Open()) {
        if (!session_.IsFind(QStringLiteral("SELECT appName_0 FROM c_app WHERE uid_0=1"), name))
            name.clear();
        else if (name.indexOf(QStringLiteral("IsFind出错")) > 0)
            name = kBuiltInName;
        if (!session_.IsFind(QStringLiteral("SELECT company_0 FROM c_app WHERE uid_0=1"), company))
            company.clear();
        session_.Close();
    }
    app_.cpy = company;
    setWindowTitle(name.isEmpty() ? app_.username : name + QStringLiteral(" ") + app_.username);
    Button(kWelcomeButton)->setText(company);
}

void CZkimsDlg::ApplyStoredMode()
{
    const QString stored = ReadIni(kIni, kServer, QStringLiteral("DHBTN"));
    if (stored == QStringLiteral("1") || stored == QStringLiteral("2")) {
        ShowMode(stored.toInt());
    } else if (stored == QStringLiteral("3")) {
        setWindowState(windowState() | Qt::WindowMaximized);
        ShowMode(3);
    }
}

void CZkimsDlg::RefreshNavigation()
{
    if (!session_.Open())
        return;
    FillNavigationTree(*nav_tree_, session_, app_.db_kind, app_.userid, NavigationColumn::Rights,
                       tree_images_);
    if (nav_tree_->topLevelItemCount() > 0)
        nav_tree_->scrollToItem(nav_tree_->topLevelItem(0));
    FillNavigationTree(*fav_tree_, session_, app_.db_kind, app_.userid,
                       NavigationColumn::Favourites, tree_images_);
    session_.Close();
    fav_tree_->expandAll();
    if (fav_tree_->topLevelItemCount() > 0)
        fav_tree_->scrollToItem(fav_tree_->topLevelItem(0));
}

void CZkimsDlg::OpenNavigationItem(QTreeWidget& tree)
{
    QTreeWidgetItem* item = tree.currentItem();
    if (!item || item->childCount() > 0)
        return;
    const QString uid = QString::number(item->data(0, Qt::UserRole).toInt());
    const QString name = item->text(0);
    QString text;
    if (!app_.form_cache.Find(uid, text) || text.isEmpty()) {
        CDbSession session;
        session.UseServer();
        if (!session.Open())
            return;
        text.clear();
        const int loaded = LoadFormDefinition(session, text, uid, 1, app_.form_cache);
        session.Close();
        if (loaded < 0)
            return;
        if (!IsXml(text)) {
            ShowLoadXmlFailure(this);
            return;
        }
    }
    if (hooks_.open)
        hooks_.open(text, uid, name);
}

QRect CZkimsDlg::GraphicArea() const
{
    const QRect client = rect();
    return QRect(0, 80, client.width(), std::max(0, client.height() - 80 - 30));
}

bool CZkimsDlg::LoadGraphicNavigation()
{
    if (!session_.Open())
        return false;
    QString uid;
    if (!session_.IsFind(QStringLiteral("SELECT userCount_0 FROM c_app WHERE uid_0=2"), uid) ||
        uid.isEmpty())
        uid = QStringLiteral("0");
    if (uid == QStringLiteral("0") || uid == QStringLiteral("NULL")) {
        if (hooks_.embedEmpty)
            graphic_form_ = hooks_.embedEmpty(this);
        if (graphic_form_) {
            graphic_form_->setGeometry(GraphicArea());
            graphic_form_->hide();
        }
        session_.Close();
        return false;
    }
    QList<QByteArray> buffers;
    const bool read = session_.ReadBinary(
        QStringLiteral("SELECT form_0 FROM c_menu_dh WHERE leaf_0=1 AND uid_0=%1").arg(uid),
        {QStringLiteral("form_0")}, buffers);
    session_.Close();
    if (!read || buffers.isEmpty() || buffers.first().isEmpty())
        return false;
    bool decoded = false;
    const QByteArray bytes = DecodeFormBlob(buffers.first(), &decoded);
    if (!decoded)
        return false;
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    if (!IsXml(text)) {
        ShowLoadXmlFailure(this);
        return false;
    }
    if (hooks_.embed)
        graphic_form_ = hooks_.embed(this, text, uid);
    if (!graphic_form_)
        return false;
    graphic_form_->setGeometry(GraphicArea());
    graphic_form_->hide();
    return true;
}

void CZkimsDlg::SetNavigationMode(int mode)
{
    WriteIni(kIni, kServer, QStringLiteral("DHBTN"), QString::number(mode));
    ShowMode(mode);
}

void CZkimsDlg::ShowMode(int mode)
{
    mode_ = mode;
    nav_tree_->setVisible(mode == 1);
    fav_tree_->setVisible(mode == 2);
    if (graphic_form_) {
        graphic_form_->setVisible(mode == 3);
        if (mode == 3)
            graphic_form_->raise();
    }
    Button(kNavButton)->setChecked(mode == 1);
    Button(kFavButton)->setChecked(mode == 2);
    Button(kGraphicButton)->setChecked(mode == 3);
}

void CZkimsDlg::ShowContextMenu(QTreeWidget& tree, const QPoint& pos)
{
    QTreeWidgetItem* item = tree.itemAt(pos);
    if (!item)
        return;
    tree.setCurrentItem(item);
    QMenu* menu = &tree == nav_tree_ ? item_menu_ : fav_menu_;
    menu->exec(tree.viewport()->mapToGlobal(pos));
}

void CZkimsDlg::AddFavourite()
{
    ChangeFavourites(true);
}

void CZkimsDlg::RemoveFavourite()
{
    ChangeFavourites(false);
}

void CZkimsDlg::ChangeFavourites(bool add)
{
    QTreeWidgetItem* item = (add ? nav_tree_ : fav_tree_)->currentItem();
    if (!item)
        return;
    const QString uid = QString::number(item->data(0, Qt::UserRole).toInt());
    if (!session_.Open())
        return;
    QString stored;
    if (session_.IsFind(
            QStringLiteral("SELECT auth1_0 FROM c_user WHERE uid_0=%1 ").arg(app_.userid),
            stored)) {
        const QString list = add ? AddToFavourites(stored, uid) : RemoveFromFavourites(stored, uid);
        session_.RunScript(
            QStringLiteral("UPDATE c_user SET auth1_0='%1' WHERE uid_0=%2").arg(list, app_.userid));
    }
    FillNavigationTree(*fav_tree_, session_, app_.db_kind, app_.userid,
                       NavigationColumn::Favourites, tree_images_);
    fav_tree_->expandAll();
    session_.Close();
}

void CZkimsDlg::OpenHelp()
{
    const QString url = VendorHelpUrl(QStringLiteral("dh"), app_.app_id);
    if (!url.isEmpty())
        OpenWithShell(url);
}

// Enter without Control moves the focus on; Escape is swallowed, so it never closes the
// main window. True when the key was one of them.
bool CZkimsDlg::ApplyKeyRule(QKeyEvent& event)
{
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (enter && !(event.modifiers() & Qt::ControlModifier)) {
        focusNextChild();
        return true;
    }
    return event.key() == Qt::Key_Escape;
}

void CZkimsDlg::keyPressEvent(QKeyEvent* event)
{
    if (!ApplyKeyRule(*event))
        QDialog::keyPressEvent(event);
}

bool CZkimsDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return ApplyKeyRule(*static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

void CZkimsDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        lower();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        if (windowHandle() && windowHandle()->startSystemMove())
            return;
        dragging_ = true;
        drag_offset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
}

void CZkimsDlg::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        move(event->globalPosition().toPoint() - drag_offset_);
}

void CZkimsDlg::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
}

void CZkimsDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(QRect(0, 0, width(), 50), QColor(240, 240, 240));
    painter.fillRect(QRect(0, 50, width(), 26), QColor(255, 235, 214));
}

void CZkimsDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    KeepMinimumSize();
    if (graphic_form_)
        graphic_form_->setGeometry(GraphicArea());
}

bool CZkimsDlg::AskExit()
{
    return QMessageBox::question(this, QStringLiteral("当前用户:") + app_.username,
                                 QStringLiteral("是否确认退出系统？"),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void CZkimsDlg::reject()
{
    if (confirmExit && !confirmExit())
        return;
    QDialog::reject();
}

void CZkimsDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    reject();
}

} // namespace zk
