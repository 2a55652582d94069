#include "app/tour/tour_driver.h"

#include "app/dialog_login.h"
#include "app/form_hooks.h"
#include "app/main_app.h"
#include "app/zkims_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace zk {

namespace {

// Lets the windows paint and the timers run for a while.
void Pump(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return condition();
}

QString FileSafe(const QString& text)
{
    QString safe;
    for (const QChar c : text)
        safe += c.isLetterOrNumber() ? c : QLatin1Char('_');
    return safe;
}

class Tour {
public:
    Tour(CMainApp& app, const QString& folder)
        : app_(app)
        , folder_(folder)
    {
        QDir().mkpath(folder_);
        // Whatever modal box comes up (a script's message, an error report) is pictured
        // and answered with OK, so that the tour never waits for a person.
        QObject::connect(&watcher_, &QTimer::timeout, [this] { AnswerModal(); });
        watcher_.start(150);
    }

    bool Shoot(QWidget* widget, const QString& name)
    {
        if (!widget)
            return false;
        const QString path = QDir(folder_).filePath(
            QStringLiteral("%1-%2.png").arg(++step_, 2, 10, QLatin1Char('0')).arg(FileSafe(name)));
        const bool saved = widget->grab().save(path, "PNG");
        if (saved)
            std::printf("%s\n", QDir(path).absolutePath().toLocal8Bit().constData());
        else
            ++failures_;
        std::fflush(stdout);
        return saved;
    }

    int Run(const QString& password)
    {
        Dialog_Login login(app_);
        login.show();
        WaitFor([&] { return login.UserListLoaded(); }, 30000);
        Pump(200);
        Shoot(&login, QStringLiteral("login"));
        login.PasswordEdit()->setText(password);
        Pump(100);
        Shoot(&login, QStringLiteral("login-filled"));
        if (!login.TryLogin()) {
            std::fprintf(stderr, "tour: the login as %s failed\n",
                         login.UserCombo()->currentText().toLocal8Bit().constData());
            return 1;
        }
        login.hide();

        FormHooks hooks = DefaultFormHooks(app_);
        CZkimsDlg main(app_, hooks);
        main.confirmExit = [] { return true; };
        main.show();
        Pump(300);
        Shoot(&main, QStringLiteral("main"));
        main.SetNavigationMode(2);
        Pump(150);
        Shoot(&main, QStringLiteral("favourites"));
        if (main.GraphicAvailable()) {
            main.SetNavigationMode(3);
            Pump(400);
            Shoot(&main, QStringLiteral("graphic"));
        }
        main.SetNavigationMode(1);
        main.NavTree()->expandAll();
        Pump(150);
        Shoot(&main, QStringLiteral("navigation"));

        for (QTreeWidgetItem* leaf : Leaves(*main.NavTree()))
            VisitLeaf(main, *leaf);

        main.close();
        const QString first = login.UserCombo()->currentText();
        OtherUser(login, first, password);
        return failures_ == 0 ? 0 : 1;
    }

private:
    // The same steps for the next user of the list, when the same password lets him in:
    // his navigation, and his forms with the buttons his group may not use (nothing is
    // pressed). A user it cannot log in is skipped.
    void OtherUser(Dialog_Login& login, const QString& first, const QString& password)
    {
        QComboBox& users = *login.UserCombo();
        const int index = users.findText(first);
        if (users.count() < 2 || index < 0)
            return;
        users.setCurrentIndex((index + 1) % users.count());
        login.PasswordEdit()->setText(password);
        login.show();
        Pump(100);
        if (!login.TryLogin())
            return;
        login.hide();
        const QString who = users.currentText();
        CZkimsDlg main(app_, DefaultFormHooks(app_));
        main.confirmExit = [] { return true; };
        main.show();
        main.NavTree()->expandAll();
        Pump(300);
        Shoot(&main, who + QStringLiteral("-navigation"));
        for (QTreeWidgetItem* leaf : Leaves(*main.NavTree())) {
            main.NavTree()->setCurrentItem(leaf);
            const QSet<QWidget*> before = Windows();
            main.OpenNavigationItem(*main.NavTree());
            Pump(400);
            for (QWidget* window : Windows())
                if (!before.contains(window)) {
                    Shoot(window, who + QStringLiteral("-") + leaf->text(0));
                    window->close();
                }
            Pump(100);
        }
        main.close();
    }

    static QList<QTreeWidgetItem*> Leaves(QTreeWidget& tree)
    {
        QList<QTreeWidgetItem*> leaves;
        std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
            if (item->childCount() == 0)
                leaves.append(item);
            for (int i = 0; i < item->childCount(); ++i)
                walk(item->child(i));
        };
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            walk(tree.topLevelItem(i));
        return leaves;
    }

    static QSet<QWidget*> Windows()
    {
        QSet<QWidget*> windows;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                windows.insert(widget);
        return windows;
    }

    // The form's buttons that can be pressed, in the order of the definition (the first
    // is its main button); check boxes and radio buttons are values, not actions.
    static QList<QPointer<QAbstractButton>> ActionButtons(QWidget& form)
    {
        QList<QPointer<QAbstractButton>> buttons;
        for (QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
            if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))
                continue;
            if (button->isVisible() && button->isEnabled() && !button->text().isEmpty())
                buttons.append(button);
        }
        return buttons;
    }

    // Clicks the first row of the form's first filled grid, as a person would, so that the
    // row actions have a record to work on and the grid's own CLICK script runs.
    static void ClickFirstRow(QWidget& form)
    {
        for (QTableView* grid : form.findChildren<QTableView*>()) {
            if (!grid->isVisible() || !grid->model() || grid->model()->rowCount() == 0)
                continue;
            const QPoint at = grid->visualRect(grid->model()->index(0, 0)).center();
            QWidget* viewport = grid->viewport();
            const QPointF global = viewport->mapToGlobal(QPointF(at));
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &release);
            return;
        }
    }

    void VisitLeaf(CZkimsDlg& main, QTreeWidgetItem& leaf)
    {
        const QString name = leaf.text(0);
        main.NavTree()->setCurrentItem(&leaf);
        const QSet<QWidget*> before = Windows();
        main.OpenNavigationItem(*main.NavTree());
        Pump(500);
        QList<QPointer<QWidget>> opened;
        for (QWidget* window : Windows())
            if (!before.contains(window))
                opened.append(window);
        if (opened.isEmpty()) {
            Shoot(&main, name + QStringLiteral("-not-opened"));
            return;
        }
        QWidget* form = opened.first();
        Shoot(form, name);
        for (const QPointer<QAbstractButton>& button : ActionButtons(*form)) {
            if (!form || !form->isVisible() || !button || !button->isEnabled())
                break;
            ClickFirstRow(*form);
            Pump(200);
            current_ = name + QStringLiteral("-") + button->text();
            button->click();
            Pump(500);
            if (form && form->isVisible())
                Shoot(form, current_);
            current_.clear();
        }
        for (const QPointer<QWidget>& window : opened)
            if (window)
                window->close();
        Pump(200);
    }

    void AnswerModal()
    {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || answering_)
            return;
        answering_ = true;
        Pump(150);
        Shoot(box,
              (current_.isEmpty() ? QStringLiteral("box") : current_) + QStringLiteral("-message"));
        box->accept();
        answering_ = false;
    }

    CMainApp& app_;
    QString folder_;
    QTimer watcher_;
    QString current_;
    int step_ = 0;
    int failures_ = 0;
    bool answering_ = false;
};

} // namespace

int RunTour(CMainApp& app, const QString& folder, const QString& password)
{
    Tour tour(app, folder);
    return tour.Run(password);
}

} // namespace zk
