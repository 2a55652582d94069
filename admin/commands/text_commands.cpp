// scramble and unscramble: the stored form of cfg.ini values (key 1).
#include "admin/admin_command.h"
#include "util/scramble.h"

using namespace Qt::StringLiterals;

namespace zk::admin {

namespace {

int Convert(Invocation& run, QString (*convert)(const QString&, int), const char* name)
{
    if (run.args.size() != 1) {
        run.err << "zk_admin " << name << ": give the text as one argument\n";
        return kBadUsage;
    }
    run.out << convert(run.args.first(), 1) << '\n';
    return kOk;
}

int Scramble(Invocation& run)
{
    return Convert(run, ScrambleText, "scramble");
}

int Unscramble(Invocation& run)
{
    return Convert(run, UnscrambleText, "unscramble");
}

} // namespace

QList<Command> TextCommands()
{
    return {{u"scramble"_s, u"TEXT"_s, false, Scramble},
            {u"unscramble"_s, u"TEXT"_s, false, Unscramble}};
}

} // namespace zk::admin
