#include "runtime/template/template_expand.h"

#include "data/xml/xml_nodes.h"
#include "forms/definition/attributes.h"
#include "util/dates.h"
#include "util/money.h"
#include "util/sql_text.h"

#include <array>
#include <chrono>

namespace zk {

namespace {

using Source = QString (*)(const TemplateContext&);

struct Rule {
    const char16_t* placeholder;
    Source value;
};

QString Session(const TemplateContext& c, SessionField f)
{
    return c.SessionValue(f);
}

// The form-wide rules in the order in which they apply. Each clock reading
// is taken when its placeholder is replaced.
constexpr std::array<Rule, 30> kRules = {{
    {u"{{type}}", [](const TemplateContext& c) { return c.FormType(); }},
    {u"{{type2}}", [](const TemplateContext& c) { return c.FormType2(); }},
    {u"{{cpy}}", [](const TemplateContext& c) { return Session(c, SessionField::cpy); }},
    {u"{{today:year}}", [](const TemplateContext& c) { return YearText(c.Now()); }},
    {u"{{today:month}}", [](const TemplateContext& c) { return MonthText(c.Now()); }},
    {u"{{today:day}}", [](const TemplateContext& c) { return DayText(c.Now()); }},
    {u"{{today:today}}", [](const TemplateContext& c) { return TodaySlashText(c.Now()); }},
    {u"{{index}}", [](const TemplateContext& c) { return c.FormIndex(); }},
    {u"{{userid}}", [](const TemplateContext& c) { return Session(c, SessionField::userid); }},
    {u"{{groupid}}", [](const TemplateContext& c) { return Session(c, SessionField::groupid); }},
    {u"{{user_id}}", [](const TemplateContext& c) { return Session(c, SessionField::user_id); }},
    {u"{{username}}", [](const TemplateContext& c) { return Session(c, SessionField::username); }},
    {u"{{date1}}",
     [](const TemplateContext& c) { return TodayText(c.Now()).left(8) + QStringLiteral("01"); }},
    {u"{{date}}", [](const TemplateContext& c) { return TodayText(c.Now()); }},
    {u"{{datetime}}", [](const TemplateContext& c) { return NowText(c.Now()); }},
    {u"{{today:year_big}}",
     [](const TemplateContext& c) { return ChequeDigits(YearText(c.Now())); }},
    {u"{{today:month_big}}",
     [](const TemplateContext& c) { return ChequeDigits(MonthText(c.Now())); }},
    {u"{{today:day_big}}", [](const TemplateContext& c) { return ChequeDigits(DayText(c.Now())); }},
    {u"{{selected_uid_0}}", [](const TemplateContext& c) { return c.LoadedKeyList(); }},
    {u"{{db_path}}", [](const TemplateContext& c) { return Session(c, SessionField::db_path); }},
    {u"{{version_exe}}",
     [](const TemplateContext& c) { return Session(c, SessionField::version_exe); }},
    {u"{{version_service}}",
     [](const TemplateContext& c) { return Session(c, SessionField::version_service); }},
    {u"{{exe_name}}", [](const TemplateContext& c) { return Session(c, SessionField::exe_name); }},
    {u"{{password}}", [](const TemplateContext& c) { return Session(c, SessionField::password); }},
    {u"{{datelist1}}", [](const TemplateContext& c) { return WeeksBeforeList(c.Now()); }},
    {u"{{datelist2}}", [](const TemplateContext& c) { return WeeksAfterList(c.Now()); }},
    {u"{{TOP30}}",
     [](const TemplateContext& c) {
         return c.InitialLoad() ? QStringLiteral("TOP 30") : QString();
     }},
    {u"{{TOP100}}",
     [](const TemplateContext& c) {
         return c.InitialLoad() ? QStringLiteral("TOP 100") : QString();
     }},
    // The tick count is unsigned: written as a signed number it turned
    // negative after 24.8 days of uptime.
    {u"{{ms}}", [](const TemplateContext& c) { return QString::number(c.TickCount()); }},
    {u"{{isprint}}", [](const TemplateContext& c) { return Session(c, SessionField::isprint); }},
}};

QString Placeholder(const char* name, int number)
{
    return QStringLiteral("{{%1%2}}").arg(QLatin1StringView(name)).arg(number);
}

QString DoubleQuotes(QString text)
{
    return text.replace(u'\'', QStringLiteral("''"));
}

} // namespace

quint32 TemplateContext::TickCount() const
{
    // The monotonic clock counts from the system's start on Linux.
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return quint32(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

QString ExpandTemplates(const TemplateContext& context, const QString& text)
{
    if (!text.contains(QStringLiteral("{{")))
        return text;
    QString result = text;
    for (const Rule& rule : kRules) {
        const QStringView placeholder(rule.placeholder);
        if (result.contains(placeholder))
            result.replace(placeholder.toString(), rule.value(context));
    }
    return result;
}

QString ExpandParamList(const TemplateContext& context, const QString& text, const CXmlNode& list)
{
    QString result = text;
    const CXmlNodesPtr params = list.GetChildren();
    for (int k = 1; k <= params->GetCount(); ++k) {
        const CXmlNodePtr param = params->GetItem(k - 1);
        QString reference = AttrText(*param, QStringLiteral("value"));
        if (reference.isEmpty())
            reference = AttrText(*param, QStringLiteral("wnd"));
        QString value = reference.isEmpty() ? QString() : context.ControlValue(reference);
        EscapeSql(value);
        QString replacement;
        if (!value.isEmpty()) {
            const QString where = AttrText(*param, QStringLiteral("where"));
            replacement =
                where.isEmpty() ? value : QString(where).replace(QStringLiteral("{{self}}"), value);
        }
        result.replace(Placeholder("p", k), replacement);
    }
    result.replace(QStringLiteral("{{deleted_uid_0}}"), context.DeletedRowList());
    return ExpandTemplates(context, result);
}

QString ExpandQueryParams(const TemplateContext& context, const QString& text,
                          const CXmlNode& command, const QStringList& rowTexts)
{
    QString result = text;
    const CXmlNodesPtr params = command.GetChild(QStringLiteral("para_info"))->GetChildren();
    const int count = params->GetCount();
    for (int n = 1; n <= count; ++n) {
        const int id = AttrInt(*params->GetItem(n - 1), QStringLiteral("value"));
        result.replace(Placeholder("p", n), DoubleQuotes(context.ControlText(id)));
    }
    for (int n = 1; n <= count; ++n) {
        const int column = AttrInt(*params->GetItem(n - 1), QStringLiteral("value")) - 1;
        result.replace(Placeholder("c", n), DoubleQuotes(rowTexts.value(column)));
    }
    result.replace(QStringLiteral("{{para_in}}"), QString());
    return ExpandTemplates(context, result);
}

} // namespace zk
