// query and exec: one statement through a direct session, exactly as the client runs it.
#include "admin/admin_command.h"
#include "data/session/db_session.h"

using namespace Qt::StringLiterals;

namespace zk::admin {

namespace {

// A value on one line: backslash, tab and line breaks written as \\, \t, \n and \r.
QString Field(const QString& value)
{
    QString text;
    text.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            text += u"\\\\"_s;
            break;
        case u'\t':
            text += u"\\t"_s;
            break;
        case u'\n':
            text += u"\\n"_s;
            break;
        case u'\r':
            text += u"\\r"_s;
            break;
        default:
            text += c;
        }
    }
    return text;
}

bool OneStatement(const Invocation& run, const char* command)
{
    if (run.args.size() == 1 && !run.args.first().trimmed().isEmpty())
        return true;
    run.err << "zk_admin " << command << ": give the statement as one argument\n";
    return false;
}

int Query(Invocation& run)
{
    if (!OneStatement(run, "query"))
        return kBadUsage;
    QStringList names;
    QStringList values;
    if (!run.session->QueryTable(run.args.first(), names, values)) {
        ReportSessionError(*run.session, run.err);
        return kFailed;
    }
    if (names.isEmpty())
        return kOk;
    QStringList line;
    for (const QString& name : std::as_const(names))
        line.append(Field(name));
    run.out << line.join(u'\t') << '\n';
    for (qsizetype i = 0; i < values.size(); i += names.size()) {
        line.clear();
        for (qsizetype c = 0; c < names.size() && i + c < values.size(); ++c)
            line.append(Field(values[i + c]));
        run.out << line.join(u'\t') << '\n';
    }
    return kOk;
}

int Exec(Invocation& run)
{
    if (!OneStatement(run, "exec"))
        return kBadUsage;
    if (!run.session->RunScript(run.args.first())) {
        ReportSessionError(*run.session, run.err);
        return kFailed;
    }
    return kOk;
}

} // namespace

QList<Command> SqlCommands()
{
    return {{u"query"_s, u"SQL"_s, true, Query}, {u"exec"_s, u"SQL"_s, true, Exec}};
}

} // namespace zk::admin
