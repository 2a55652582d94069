#include "admin/admin_cli.h"

#include "admin/admin_command.h"
#include "data/session/db_session.h"

using namespace Qt::StringLiterals;

namespace zk::admin {

namespace {

QList<Command> AllCommands()
{
    QList<Command> all;
    for (auto family : {DatabaseCommands, UserCommands, SqlCommands, TextCommands, FormCommands})
        all.append(family());
    return all;
}

void PrintUsage(const QList<Command>& commands, QTextStream& err)
{
    err << "usage: zk_admin [--db CONNECTION] COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const Command& command : commands)
        err << "  " << command.name << (command.needsDatabase ? " (needs --db)" : "") << ' '
            << command.synopsis << '\n';
    err << "\nCONNECTION is a connection string, e.g. \"Provider=SQLite;Data Source=company.db\" "
           "or\n"
           "\"Provider=PostgreSQL;Host=HOST;Port=5432;Database=DB;User ID=USER;Password=PW\".\n";
    err.flush();
}

// The command whose words begin the arguments, the longest name winning.
const Command* FindCommand(const QList<Command>& commands, const QStringList& args,
                           qsizetype& words)
{
    const Command* best = nullptr;
    words = 0;
    for (const Command& command : commands) {
        const QStringList name = command.name.split(u' ');
        if (name.size() > args.size() || name.size() <= words)
            continue;
        if (args.mid(0, name.size()) == name) {
            best = &command;
            words = name.size();
        }
    }
    return best;
}

} // namespace

int RunAdmin(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QList<Command> commands = AllCommands();
    QStringList rest = args;
    QString connection;
    bool haveConnection = false;
    while (!rest.isEmpty() && rest.first().startsWith(u"--")) {
        const QString option = rest.takeFirst();
        if (option == u"--db" && !rest.isEmpty()) {
            connection = rest.takeFirst();
            haveConnection = true;
        } else {
            if (option != u"--help")
                err << "zk_admin: unknown option " << option << '\n';
            PrintUsage(commands, err);
            return kBadUsage;
        }
    }
    qsizetype words = 0;
    const Command* command = FindCommand(commands, rest, words);
    if (!command) {
        if (!rest.isEmpty())
            err << "zk_admin: unknown command " << rest.join(u' ') << '\n';
        PrintUsage(commands, err);
        return kBadUsage;
    }
    if (command->needsDatabase && (!haveConnection || connection.isEmpty())) {
        err << "zk_admin: " << command->name << " needs --db CONNECTION\n"
            << "usage: zk_admin --db CONNECTION " << command->name << ' ' << command->synopsis
            << '\n';
        err.flush();
        return kBadUsage;
    }
    CDbSession session;
    Invocation invocation{rest.mid(words), nullptr, out, err};
    if (command->needsDatabase) {
        session.SetConnectionString(connection);
        if (!session.Open()) {
            ReportSessionError(session, err);
            return kFailed;
        }
        invocation.session = &session;
    }
    const int status = command->run(invocation);
    if (status == kBadUsage)
        err << "usage: zk_admin" << (command->needsDatabase ? " --db CONNECTION " : " ")
            << command->name << ' ' << command->synopsis << '\n';
    out.flush();
    err.flush();
    return status;
}

bool ReadOptions(const QStringList& args, const QStringList& allowed, Options& options,
                 QString& error)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(u"--")) {
            options.positional.append(arg);
            continue;
        }
        const QString name = arg.mid(2);
        if (!allowed.contains(name)) {
            error = u"unknown option "_s + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = u"option "_s + arg + u" needs a value"_s;
            return false;
        }
        options.values.insert(name, args[++i]);
    }
    return true;
}

void ReportSessionError(const CDbSession& session, QTextStream& err)
{
    err << session.errorText << '\n';
    if (!session.errorDetail.isEmpty())
        err << session.errorDetail << '\n';
    err.flush();
}

} // namespace zk::admin
