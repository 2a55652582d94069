#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace zk {

class CDbSession;

namespace admin {

// Exit statuses of zk_admin.
constexpr int kOk = 0;
constexpr int kFailed = 1;   // the command ran and failed
constexpr int kBadUsage = 2; // the command line was wrong

// What a command receives: its own arguments (after its name), the open session when it
// asked for one, and the two output streams.
struct Invocation {
    QStringList args;
    CDbSession* session = nullptr;
    QTextStream& out;
    QTextStream& err;
};

struct Command {
    QString name;     // one or more words: "init", "user add", "form encode"
    QString synopsis; // the arguments after the name, for the usage text
    bool needsDatabase = false;
    int (*run)(Invocation&) = nullptr;
};

// Each family of commands lives in admin/commands/ and lists its commands here.
QList<Command> DatabaseCommands();
QList<Command> UserCommands();
QList<Command> SqlCommands();
QList<Command> TextCommands();
QList<Command> FormCommands();

// Options of the form "--name value" among a command's arguments; everything else is
// positional. False (with `error`) for an option not in `allowed` or one without a value.
struct Options {
    QHash<QString, QString> values;
    QStringList positional;
};
bool ReadOptions(const QStringList& args, const QStringList& allowed, Options& options,
                 QString& error);

// The session's errorText, then its errorDetail, on the error stream.
void ReportSessionError(const CDbSession& session, QTextStream& err);

} // namespace admin
} // namespace zk
