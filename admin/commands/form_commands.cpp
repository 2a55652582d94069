// form encode, decode, import, export and lint: definitions as files (UTF-8
// XML) and as stored blobs (UTF-16LE text inside the blob format of form_0).
#include "admin/admin_command.h"
#include "data/session/db_session.h"
#include "runtime/codec/form_blob.h"
#include "runtime/definition/form_loader.h"
#include "runtime/lint/form_lint.h"
#include "util/files.h"

using namespace Qt::StringLiterals;

namespace zk::admin {

namespace {

bool ReadText(const Invocation& run, const QString& path, QString& text)
{
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes)) {
        run.err << "zk_admin: cannot read " << path << '\n';
        return false;
    }
    text = QString::fromUtf8(bytes);
    return true;
}

bool Write(const Invocation& run, const QString& path, const QByteArray& bytes)
{
    if (WriteFileBytes(path, bytes))
        return true;
    run.err << "zk_admin: cannot write " << path << '\n';
    return false;
}

QByteArray Encoded(const QString& text)
{
    return EncodeFormText(text, SuitableFormBlobWidth(text.size() * 2));
}

int Encode(Invocation& run)
{
    if (run.args.size() != 2) {
        run.err << "zk_admin form encode: give IN.xml and OUT.blob\n";
        return kBadUsage;
    }
    QString text;
    if (!ReadText(run, run.args[0], text))
        return kFailed;
    return Write(run, run.args[1], Encoded(text)) ? kOk : kFailed;
}

int Decode(Invocation& run)
{
    if (run.args.size() != 2) {
        run.err << "zk_admin form decode: give IN.blob and OUT.xml\n";
        return kBadUsage;
    }
    QByteArray blob;
    if (!ReadFileBytes(run.args[0], blob)) {
        run.err << "zk_admin: cannot read " << run.args[0] << '\n';
        return kFailed;
    }
    bool ok = false;
    QString error;
    const QString text = DecodeFormText(blob, &ok, &error);
    if (!ok) {
        run.err << "zk_admin form decode: " << error << '\n';
        return kFailed;
    }
    return Write(run, run.args[1], text.toUtf8()) ? kOk : kFailed;
}

// The options of import and export: --uid N (a number), --kind 1|2 (1 by
// default), the others in `allowed`, and the positional arguments counted by
// `positionalOk`. False after a usage message.
struct MenuOptions {
    Options options;
    QString uid;
    int kind = 1;
};

bool ReadMenuOptions(const Invocation& run, const char* command, QStringList allowed,
                     bool (*positionalOk)(qsizetype), const char* positionalHint, MenuOptions& menu)
{
    const auto usage = [&](const QString& why) {
        run.err << "zk_admin form " << command << ": " << why << '\n';
        return false;
    };
    allowed << u"uid"_s << u"kind"_s;
    QString error;
    if (!ReadOptions(run.args, allowed, menu.options, error))
        return usage(error);
    if (!positionalOk(menu.options.positional.size()))
        return usage(QString::fromUtf8(positionalHint));
    const QString kind = menu.options.values.value(u"kind"_s, u"1"_s);
    if (kind != u"1" && kind != u"2")
        return usage(u"--kind is 1 or 2"_s);
    menu.kind = kind.toInt();
    menu.uid = menu.options.values.value(u"uid"_s).trimmed();
    bool number = false;
    menu.uid.toLongLong(&number);
    if (!number)
        return usage(u"--uid needs a number"_s);
    return true;
}

// The menu row, created with the given fields when it is missing.
bool EnsureMenuRow(Invocation& run, const QString& table, const QString& uid, int kind,
                   const Options& options)
{
    QString found;
    if (run.session->IsFind(u"SELECT uid_0 FROM %1 WHERE uid_0=%2"_s.arg(table, uid), found))
        return true;
    const QString name = options.values.value(u"name"_s, u"表单"_s + uid).replace(u'\'', u"''"_s);
    QString insert;
    if (kind == 1) {
        const auto number = [&](const QString& option) {
            return QString::number(options.values.value(option).toInt());
        };
        insert = u"INSERT INTO c_menu_dh(uid_0,pUid_0,level_0,leaf_0,order_0,name_0) "
                 "VALUES(%1,%2,%3,%4,%5,N'%6')"_s.arg(uid, number(u"parent"_s), number(u"level"_s),
                                                      number(u"leaf"_s), number(u"order"_s), name);
    } else {
        insert = u"INSERT INTO c_menu_dh_m(uid_0,name_0) VALUES(%1,N'%2')"_s.arg(uid, name);
    }
    // SQL Server takes an explicit identity only inside IDENTITY_INSERT; the
    // other engines drop these statements.
    const QString script =
        u"SET IDENTITY_INSERT %1 ON;%2;SET IDENTITY_INSERT %1 OFF"_s.arg(table, insert);
    if (run.session->RunScript(script))
        return true;
    ReportSessionError(*run.session, run.err);
    return false;
}

int Import(Invocation& run)
{
    MenuOptions menu;
    if (!ReadMenuOptions(
            run, "import", {u"name"_s, u"parent"_s, u"leaf"_s, u"order"_s, u"level"_s},
            [](qsizetype n) { return n == 1; }, "give one FILE.xml", menu))
        return kBadUsage;
    const Options& options = menu.options;
    const QString& uid = menu.uid;
    const int kind = menu.kind;
    QString text;
    if (!ReadText(run, options.positional.first(), text))
        return kFailed;
    const QString table = kind == 1 ? u"c_menu_dh"_s : u"c_menu_dh_m"_s;
    if (!EnsureMenuRow(run, table, uid, kind, options))
        return kFailed;
    if (!run.session->UpdateBinaryRecord(u"SELECT form_0 FROM %1 WHERE uid_0=%2"_s.arg(table, uid),
                                         {u"form_0"_s}, {Encoded(text)})) {
        ReportSessionError(*run.session, run.err);
        return kFailed;
    }
    return kOk;
}

int Export(Invocation& run)
{
    MenuOptions menu;
    if (!ReadMenuOptions(
            run, "export", {}, [](qsizetype n) { return n <= 1; }, "at most one OUT.xml", menu))
        return kBadUsage;
    const Options& options = menu.options;
    const QString& uid = menu.uid;
    const int kind = menu.kind;
    FormCache cache;
    QString text;
    const int found = LoadFormDefinition(*run.session, text, uid, kind, cache);
    if (found == 0) {
        run.err << "zk_admin form export: no menu row " << uid << '\n';
        return kFailed;
    }
    if (found < 0) {
        run.err << "zk_admin form export: no definition stored for " << uid << '\n';
        if (!run.session->errorText.isEmpty())
            ReportSessionError(*run.session, run.err);
        return kFailed;
    }
    if (options.positional.isEmpty()) {
        run.out << text << '\n';
        return kOk;
    }
    return Write(run, options.positional.first(), text.toUtf8()) ? kOk : kFailed;
}

int Lint(Invocation& run)
{
    if (run.args.size() != 1) {
        run.err << "zk_admin form lint: give one FILE.xml\n";
        return kBadUsage;
    }
    QString text;
    if (!ReadText(run, run.args.first(), text))
        return kBadUsage;
    const QList<LintFinding> findings = LintForm(text);
    for (const LintFinding& finding : findings)
        run.out << finding.line << ": " << finding.message << '\n';
    return findings.isEmpty() ? kOk : kFailed;
}

} // namespace

QList<Command> FormCommands()
{
    return {
        {u"form encode"_s, u"IN.xml OUT.blob"_s, false, Encode},
        {u"form decode"_s, u"IN.blob OUT.xml"_s, false, Decode},
        {u"form import"_s,
         u"FILE.xml --uid N [--kind 1|2] [--name NAME --parent UID --leaf 0|1 --order N "
         "--level N]"_s,
         true, Import},
        {u"form export"_s, u"--uid N [--kind 1|2] [OUT.xml]"_s, true, Export},
        {u"form lint"_s, u"FILE.xml"_s, false, Lint},
    };
}

} // namespace zk::admin
