#include "data/xml/xml_document.h"
#include "runtime/template/template_expand.h"
#include "tests/forms/definition_printers.h"

#include <QHash>

#include <gtest/gtest.h>

namespace zk {
namespace {

// A form as template expansion sees it, with a fixed clock.
struct FakeForm : TemplateContext {
    QHash<SessionField, QString> session;
    QString type, type2, index, loadedKeys, deletedRows;
    bool initialLoad = false;
    QHash<QString, QString> controlValues; // by control reference
    QHash<int, QString> controlTexts;      // by definition id
    QDateTime now{QDate(2024, 3, 18), QTime(9, 5, 7)};
    quint32 ticks = 3000000000u;

    QString SessionValue(SessionField field) const override { return session.value(field); }
    QString FormType() const override { return type; }
    QString FormType2() const override { return type2; }
    QString FormIndex() const override { return index; }
    bool InitialLoad() const override { return initialLoad; }
    QString LoadedKeyList() const override { return loadedKeys; }
    QString DeletedRowList() const override { return deletedRows; }
    QString ControlValue(const QString& reference) const override
    {
        return controlValues.value(reference);
    }
    QString ControlText(int id) const override { return controlTexts.value(id); }
    QDateTime Now() const override { return now; }
    quint32 TickCount() const override { return ticks; }
};

FakeForm LoggedIn()
{
    FakeForm f;
    f.session = {{SessionField::userid, "17"},        {SessionField::groupid, "3"},
                 {SessionField::user_id, "zhang"},    {SessionField::username, "张三"},
                 {SessionField::cpy, "示例公司"},     {SessionField::password, "0cc175b9"},
                 {SessionField::db_path, ""},         {SessionField::version_exe, "1.0.0.1"},
                 {SessionField::version_service, ""}, {SessionField::exe_name, ""},
                 {SessionField::isprint, "0"}};
    f.type = "sale";
    f.type2 = "B";
    f.index = "88";
    f.loadedKeys = "5,6,9";
    return f;
}

// One substitution per placeholder, on a Monday in March 2024.
TEST(TemplateExpand, EveryPlaceholderOfTheFormWideExpansion)
{
    const FakeForm form = LoggedIn();
    const struct {
        const char* text;
        const char* expanded;
    } cases[] = {
        {"{{type}}/{{type2}}/{{index}}", "sale/B/88"},
        {"{{cpy}}", "示例公司"},
        {"{{today:year}}-{{today:month}}-{{today:day}}", "2024-03-18"},
        {"{{today:today}}", "2024/03/18"},
        {"{{userid}},{{groupid}},{{user_id}},{{username}}", "17,3,zhang,张三"},
        {"{{date1}}", "2024-03-01"},
        {"{{date}} {{datetime}}", "2024-03-18 2024-03-18 09:05:07"},
        {"{{today:year_big}}年{{today:month_big}}月{{today:day_big}}日",
         "贰零贰肆年零叁月壹拾捌日"},
        {"uid_0 IN ({{selected_uid_0}})", "uid_0 IN (5,6,9)"},
        {"[{{db_path}}][{{version_service}}][{{exe_name}}]", "[][][]"},
        {"{{version_exe}}", "1.0.0.1"},
        {"{{password}}", "0cc175b9"},
        {"{{datelist1}}",
         "2024-01-08;2024-01-15;2024-01-22;2024-01-29;2024-02-05;2024-02-12;2024-02-19;"
         "2024-02-26;2024-03-04;2024-03-11;2024-03-18"},
        {"SELECT {{TOP30}}{{TOP100}} *", "SELECT  *"},
        {"{{ms}}", "3000000000"},
        {"{{isprint}}", "0"},
        {"{{nope}} {{TYPE}} {type}", "{{nope}} {{TYPE}} {type}"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandTemplates(form, QString::fromUtf8(c.text)), QString::fromUtf8(c.expanded))
            << c.text;
    }
}

TEST(TemplateExpand, ClockRulesOnOtherDays)
{
    FakeForm form = LoggedIn();
    for (int day : {1, 15, 31}) {
        form.now = QDateTime(QDate(2024, 3, day), QTime(23, 59));
        EXPECT_EQ(ExpandTemplates(form, "{{date1}}"), "2024-03-01") << day;
    }
    form.now = QDateTime(QDate(2024, 1, 1), QTime(0, 0));
    const QString list = ExpandTemplates(form, "{{datelist2}}");
    EXPECT_TRUE(list.startsWith("2024-01-01;2024-01-08;")) << list.toStdString();
    EXPECT_EQ(list.split(u';').size(), 11);
    EXPECT_TRUE(list.endsWith("2024-03-11"));
    form.now = QDateTime(QDate(2024, 5, 10), QTime(8, 0));
    EXPECT_EQ(ExpandTemplates(form, "{{today:month_big}}{{today:day_big}}"), "零伍零壹拾");
}

TEST(TemplateExpand, LaterRulesSeeEarlierInsertionsButNotTheReverse)
{
    FakeForm form = LoggedIn();
    form.type = "{{userid}}";
    form.session[SessionField::username] = "{{type}}O'Brien";
    EXPECT_EQ(ExpandTemplates(form, "{{type}}|{{username}}"), "17|{{type}}O'Brien")
        << "session values are inserted as they are, quotes included";

    form.initialLoad = true;
    EXPECT_EQ(ExpandTemplates(form, "SELECT {{TOP30}} a FROM t"), "SELECT TOP 30 a FROM t");
    EXPECT_EQ(ExpandTemplates(form, "SELECT {{TOP100}} a"), "SELECT TOP 100 a");
}

// A record command's parameter list over the form's controls.
TEST(TemplateExpand, ParamListQuotesControlsAndAppliesWhere)
{
    FakeForm form = LoggedIn();
    form.controlValues = {{"3", ""}, {"4", "O'Neil"}, {"5", "北京"}, {"1:7", "99"}};
    form.deletedRows = "12,13";
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<para_info>"
                            "<p value='3' where=' AND a=1'/>"
                            "<p value='4'/>"
                            "<p wnd='5' where=\" AND city_0 LIKE '%{{self}}%'\"/>"
                            "<p value='1:7' wnd='5'/>"
                            "<p/>"
                            "</para_info>"));
    const QString sql = "SELECT * FROM c WHERE 1=1{{p1}} AND name_0='{{p2}}'{{p3}} AND k={{p4}}"
                        "{{p5}} AND uid_0 NOT IN ({{deleted_uid_0}}) AND u={{userid}}";
    EXPECT_EQ(ExpandParamList(form, sql, *doc.GetRoot()),
              "SELECT * FROM c WHERE 1=1 AND name_0='O''Neil' AND city_0 LIKE '%北京%' AND k=99"
              " AND uid_0 NOT IN (12,13) AND u=17");
}

// The end-of-edit commands of grid columns.
TEST(TemplateExpand, QueryParamsFromControlsAndTheEditedRow)
{
    FakeForm form = LoggedIn();
    form.controlTexts = {{40, "it's"}, {3, "x"}};
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<q><para_info><p value='40'/><p value='3'/><p value='9'/>"
                            "</para_info></q>"));
    const QStringList row = {"A-1", "螺丝", "Bob's", "2"};
    EXPECT_EQ(ExpandQueryParams(form,
                                "SELECT '{{p1}}','{{c2}}','{{c1}}','{{c3}}'{{para_in}},{{userid}}",
                                *doc.GetRoot(), row),
              "SELECT 'it''s','Bob''s','','',17")
        << "c1 names column 39 and c3 column 8, both beyond the row";
}

} // namespace
} // namespace zk
