#pragma once

// A form window over a real SQLite company database, for the query commands:
// the form is built from a dialog body, commands are given as XML and run
// through the command registry, message boxes are answered and recorded.

#include "data/schema/company_init.h"
#include "data/session/db_session.h"
#include "data/xml/xml_document.h"
#include "forms/controls/control_values.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/app_state/app_context.h"
#include "runtime/commands/command_families.h"
#include "runtime/commands/command_registry.h"
#include "runtime/form_window/form_window.h"
#include "tests/common/test_env.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace zk::test {

class QueryFormTest : public ::testing::Test {
protected:
    // A box the form shows: its text and caption, and whether it asked.
    struct Box {
        QString text;
        QString caption;
        bool question = false;
    };

    void SetUp() override
    {
        Prepare(QStringLiteral("Provider=SQLite;Data Source=") +
                    home.file(QStringLiteral("company.db")),
                true);
    }

    // A company database on `database`; the forms reach it directly, or
    // through the server link of the installed server context.
    void Prepare(const QString& database, bool direct)
    {
        connection = database;
        setup.SetConnectionString(connection);
        ASSERT_TRUE(setup.Open()) << setup.errorText.toStdString();
        QString message;
        ASSERT_TRUE(InitCompanyDatabase(setup, {QStringLiteral("测试公司")}, message))
            << message.toStdString();
        QString reason;
        ASSERT_TRUE(AttachAllCommandFamilies(registry, &reason)) << reason.toStdString();
        state.userid = QStringLiteral("1");
        state.groupid = QStringLiteral("1");
        state.user_id = QStringLiteral("admin");
        app.state = &state;
        app.commands = &registry;
        app.directConnection = direct ? connection : QString();
        app.messageBox = [this](QWidget*, const QString& text, const QString& caption,
                                int withCancel, bool) {
            boxes.push_back({text, caption, withCancel != 0});
            return withCancel ? answer : 1;
        };
    }

    // Opens a form whose dialog holds `controls`.
    void Open(const QString& controls)
    {
        form = std::make_unique<D_T1>(app);
        const QString definition =
            QStringLiteral("<html id='0'><head title='查询' pos='0,0,900,640'/><body><dialog>") +
            controls + QStringLiteral("</dialog></body></html>");
        ASSERT_TRUE(form->LoadDefinition(definition));
        ASSERT_TRUE(form->Create());
        boxes.clear();
    }

    // Runs one command element through its handler.
    bool Run(const QString& commandXml)
    {
        CXmlDocument document;
        EXPECT_TRUE(document.LoadXml(commandXml)) << commandXml.toStdString();
        const CXmlNodePtr command = document.GetRoot();
        const CommandRegistry::Entry* entry = registry.Find(command->GetName());
        EXPECT_TRUE(entry && entry->handler) << command->GetName().toStdString();
        if (!entry || !entry->handler)
            return false;
        form->message_text.clear();
        return entry->handler(*command, *form);
    }

    void Sql(const QString& script)
    {
        ASSERT_TRUE(setup.RunScript(script)) << setup.errorText.toStdString();
    }
    QString Value(const QString& sql)
    {
        QString value;
        setup.IsFind(sql, value);
        return value;
    }

    QWidget* Control(int id) const { return form->Control(id); }
    QString Text(int id) const { return ControlWindowText(form->Control(id)); }
    void SetText(int id, const QString& text) { SetControlText(form->Control(id), text); }
    CListCtrlEx* Grid(int id) const { return form->FindGrid(QString::number(id)); }
    QStringList BoxTexts() const
    {
        QStringList texts;
        for (const Box& box : boxes)
            texts.append(box.text);
        return texts;
    }

    ScopedHome home;
    QString connection;
    CDbSession setup;
    SessionState state;
    CommandRegistry registry;
    AppContext app;
    std::unique_ptr<D_T1> form;
    std::vector<Box> boxes;
    int answer = 1; // the answer to questions: 1 yes, 2 no
};

} // namespace zk::test
