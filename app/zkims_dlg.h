#pragma once

#include "app/form_hooks.h"
#include "data/session/db_session.h"

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QPointer>

#include <functional>
#include <memory>

class QMenu;
class QPushButton;
class QTreeWidget;

namespace zk {

class CMainApp;
namespace layout {
class CWndResizerWidget;
}

// The main window: a narrow panel at the right of the screen with the navigation tree,
// the favourites tree and the graphic navigation, the user and the company. A double
// click on a leaf opens its form; closing the window (after a confirmation) ends the
// program.
class CZkimsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNavTree = 1117;
    static constexpr int kFavTree = 1155;
    static constexpr int kRefreshButton = 1169;
    static constexpr int kGraphicButton = 1170;
    static constexpr int kNavButton = 1171;
    static constexpr int kFavButton = 1172;
    static constexpr int kHelpButton = 1176;
    static constexpr int kWelcomeButton = 1178;
    static constexpr int kOpenNavItem = 33078;
    static constexpr int kOpenFavItem = 33079;
    static constexpr int kAddFavourite = 33072;
    static constexpr int kRemoveFavourite = 33073;
    static constexpr QSize kMinimumSize{260, 400};

    CZkimsDlg(CMainApp& app, FormHooks hooks, QWidget* parent = nullptr);
    ~CZkimsDlg() override;

    QTreeWidget* NavTree() const { return nav_tree_; }
    QTreeWidget* FavTree() const { return fav_tree_; }
    QWidget* GraphicForm() const { return graphic_form_; }
    bool GraphicAvailable() const { return graphic_available_; }
    QPushButton* Button(int id) const;
    QMenu* ItemMenu() const { return item_menu_; }
    QMenu* FavMenu() const { return fav_menu_; }
    // The current mode (1, 2, 3) or 0 when none was chosen.
    int NavigationMode() const { return mode_; }

    void RefreshNavigation();
    void OpenNavigationItem(QTreeWidget& tree);
    void SetNavigationMode(int mode);
    void AddFavourite();
    void RemoveFavourite();
    // The area of the graphic navigation: the client area less 80 pixels at the top and
    // 30 at the bottom.
    QRect GraphicArea() const;

    // Asked before the window closes; the default asks the user (Yes/No).
    std::function<bool()> confirmExit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void CreateButtons();
    void CreateTrees();
    void CreateMenus();
    void ApplyLayout();
    void KeepMinimumSize();
    void ReadCaptionAndCompany();
    void ApplyStoredMode();
    void ShowMode(int mode);
    bool LoadGraphicNavigation();
    void ShowContextMenu(QTreeWidget& tree, const QPoint& pos);
    void ChangeFavourites(bool add);
    void OpenHelp();
    bool AskExit();
    bool ApplyKeyRule(QKeyEvent& event);

    CMainApp& app_;
    FormHooks hooks_;
    CDbSession session_;
    QTreeWidget* nav_tree_ = nullptr;
    QTreeWidget* fav_tree_ = nullptr;
    QList<QIcon> tree_images_;
    QPointer<QWidget> graphic_form_;
    bool graphic_available_ = false;
    QMenu* item_menu_ = nullptr;
    QMenu* fav_menu_ = nullptr;
    std::unique_ptr<layout::CWndResizerWidget> resizer_;
    int mode_ = 0;
    bool dragging_ = false;
    QPoint drag_offset_;
};

} // namespace zk
