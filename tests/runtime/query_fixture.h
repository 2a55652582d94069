#pragma once

// The query commands on a form window of the form fixture (a SQLite company
// database, boxes recorded and answered): the form is built from a dialog
// body, commands are given as XML and run through their handlers.

#include "data/xml/xml_document.h"
#include "forms/controls/control_values.h"
#include "forms/grid/list_ctrl_ex.h"
#include "tests/runtime/form_fixture.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace zk::test {

class QueryFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        f = std::make_unique<FormFixture>();
        ASSERT_TRUE(f->ready) << f->problem.toStdString();
        db = &f->db;
    }
    void TearDown() override { f.reset(); }

    // The forms work through the server link on the database `session`
    // reaches directly.
    void UseServer(CDbSession& session)
    {
        f->app.directConnection.clear();
        db = &session;
    }

    // Opens a form whose dialog holds `controls`.
    void Open(const QString& controls)
    {
        form = f->Open(
            QStringLiteral("<html id='0'><head title='查询' pos='0,0,900,640'/><body><dialog>") +
            controls + QStringLiteral("</dialog></body></html>"));
        ASSERT_NE(form, nullptr);
        f->boxes.clear();
    }

    // Runs one command element through its handler, as the interpreter
    // hands it over.
    bool Run(const QString& commandXml)
    {
        CXmlDocument document;
        EXPECT_TRUE(document.LoadXml(commandXml)) << commandXml.toStdString();
        const CXmlNodePtr command = document.GetRoot();
        const CommandRegistry::Entry* entry = f->registry.Find(command->GetName());
        EXPECT_TRUE(entry && entry->handler) << command->GetName().toStdString();
        if (!entry || !entry->handler)
            return false;
        form->message_text.clear();
        return entry->handler(*command, *form);
    }

    void Sql(const QString& script)
    {
        ASSERT_TRUE(db->RunScript(script)) << db->errorText.toStdString();
    }
    QString Value(const QString& sql)
    {
        QString value;
        db->IsFind(sql, value);
        return value;
    }
    QStringList Values(const QString& sql)
    {
        QStringList values;
        db->QueryList(sql, values);
        return values;
    }

    QWidget* Control(int id) const { return form->Control(id); }
    QString Text(int id) const { return ControlWindowText(form->Control(id)); }
    void SetText(int id, const QString& text) { SetControlText(form->Control(id), text); }
    CListCtrlEx* Grid(int id) const { return form->FindGrid(QString::number(id)); }
    QStringList BoxTexts() const { return f->BoxTexts(); }
    const QList<ShownBox>& Boxes() const { return f->boxes; }
    void ClearBoxes() { f->boxes.clear(); }
    void Answer(int answer) { f->boxAnswer = answer; }
    SessionState& State() { return f->state; }

    std::unique_ptr<FormFixture> f;
    CDbSession* db = nullptr;
    D_T1* form = nullptr;
};

} // namespace zk::test
