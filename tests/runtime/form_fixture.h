#pragma once

// A company database in SQLite and form windows opened on definition texts
// against it, for the tests of the form window, the interpreter and the
// command families. The program folder is a scratch folder for the fixture's
// lifetime (the log file and the text session live there), message boxes are
// recorded and answered instead of shown, and the logged-in user is the
// administrator (uid 1, group 1).

#include "data/schema/company_init.h"
#include "data/session/db_session.h"
#include "runtime/commands/command_families.h"
#include "runtime/commands/command_registry.h"
#include "runtime/definition/form_cache.h"
#include "runtime/form_window/form_window.h"
#include "tests/common/test_env.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zk::test {

// One message box the form showed.
struct ShownBox {
    QString text;
    QString caption;
    int withCancel = 0;
    bool plain = false;
};

struct FormFixtureOptions {
    // Attach every command family that has landed (AttachAllCommandFamilies);
    // false leaves the registry empty, for tests that attach their own
    // handlers.
    bool attachFamilies = true;
};

class FormFixture {
public:
    explicit FormFixture(FormFixtureOptions options = {})
    {
        connection = QStringLiteral("Provider=SQLite;Data Source=") +
                     home.file(QStringLiteral("company.db"));
        db.SetConnectionString(connection);
        QString message;
        ready =
            db.Open() && InitCompanyDatabase(db, CompanySetup{QStringLiteral("测试公司")}, message);
        problem = ready ? QString() : message + db.errorText;
        if (options.attachFamilies)
            AttachAllCommandFamilies(registry);

        state.userid = QStringLiteral("1");
        state.user_id = QStringLiteral("admin");
        state.username = QStringLiteral("系统管理员");
        state.groupid = QStringLiteral("1");
        state.cpy = QStringLiteral("测试公司");
        app.state = &state;
        app.formCache = &cache;
        app.commands = &registry;
        app.directConnection = connection;
        app.messageBox = [this](QWidget*, const QString& text, const QString& caption,
                                int withCancel, bool plain) {
            boxes.append(ShownBox{text, caption, withCancel, plain});
            if (onBox)
                onBox(boxes.last());
            return boxAnswer;
        };
    }

    ~FormFixture()
    {
        for (const QPointer<D_T1>& form : forms)
            delete form.data();
        db.Close();
    }

    FormFixture(const FormFixture&) = delete;
    FormFixture& operator=(const FormFixture&) = delete;

    // Opens a top-level form as navigation does; null when it closed itself.
    D_T1* Open(const QString& definition, const QString& menuUid = QStringLiteral("0"),
               const QString& menuName = QStringLiteral("测试窗口"))
    {
        D_T1* form =
            OpenFormWindow(app, definition, QString(), QString(), menuUid, menuName, QString());
        if (form) {
            forms.append(form);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
        }
        return form;
    }

    // Runs statements on the fixture's own session.
    bool Exec(const QString& sql)
    {
        const bool ok = db.RunScript(sql);
        EXPECT_TRUE(ok) << sql.toStdString() << ": " << db.errorText.toStdString();
        return ok;
    }
    // The first value of the first row, or empty.
    QString Value(const QString& sql)
    {
        QString value;
        db.IsFind(sql, value);
        return value;
    }
    // Every value of every row, row after row.
    QStringList Values(const QString& sql)
    {
        QStringList values;
        db.QueryList(sql, values);
        return values;
    }

    // A menu item `uid` with one button `buttonId` whose right for group 1
    // has state `state` (the rights tables of the form window).
    void AddButtonRight(int menuUid, int buttonId, int state, int buttonState = 0)
    {
        Exec(QStringLiteral("INSERT INTO c_menu_button(menu_uid_0,button_id_0,sta_0) "
                            "VALUES(%1,%2,%3)")
                 .arg(menuUid)
                 .arg(buttonId)
                 .arg(buttonState));
        const QString button = Value(QStringLiteral("SELECT max(uid_0) FROM c_menu_button"));
        Exec(QStringLiteral("INSERT INTO c_menu_button_group(menu_button_uid_0,group_uid_0,"
                            "sta_0) VALUES(%1,1,%2)")
                 .arg(button)
                 .arg(state));
    }

    // The texts of the boxes shown so far.
    QStringList BoxTexts() const
    {
        QStringList texts;
        for (const ShownBox& box : boxes)
            texts.append(box.text);
        return texts;
    }

    ScopedHome home;
    QString connection;
    CDbSession db;
    bool ready = false;
    QString problem;
    SessionState state;
    FormCache cache;
    CommandRegistry registry;
    AppContext app;
    QList<ShownBox> boxes;
    int boxAnswer = 1;
    std::function<void(const ShownBox&)> onBox;
    QList<QPointer<D_T1>> forms;
};

} // namespace zk::test
