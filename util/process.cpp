#include "util/process.h"

#include "util/codec.h"
#include "util/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

namespace zk {

namespace {

constexpr int kIdleNice = 19;

const QString kHelperName = QStringLiteral("zk_up");

QString FindHelper()
{
    const QStringList folders = {ProgramFolder(), QFileInfo(ModuleFileName()).absolutePath()};
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder).filePath(kHelperName));
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return QString();
}

void MakeOwnFileWritable()
{
    const QString self = ModuleFileName();
    if (!self.isEmpty())
        QFile::setPermissions(self, QFile::permissions(self) | QFileDevice::WriteOwner);
}

} // namespace

QString RunCommandCapture(const QString& command, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    // The shell leads a process group of its own, so that a timeout ends the
    // commands it started too, not just the shell.
    process.setChildProcessModifier([] { setpgid(0, 0); });
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    if (!process.waitForStarted())
        return QString();
    if (!process.waitForFinished(timeoutMs)) {
        ::kill(-static_cast<pid_t>(process.processId()), SIGKILL);
        process.waitForFinished();
    }
    return FromUtf8OrGb18030(process.readAll());
}

int StartUpgradeHelper(const QString& argument)
{
    const QString helper = FindHelper();
    if (helper.isEmpty())
        return -1;
    MakeOwnFileWritable();

    // "nice" starts the helper at idle priority from its first instruction;
    // without it the priority is lowered right after the start instead.
    const QString nice = QStandardPaths::findExecutable(QStringLiteral("nice"));
    QProcess process;
    process.setWorkingDirectory(ProgramFolder());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const QString helperArgument = QLatin1Char('-') + argument;
    if (nice.isEmpty()) {
        process.setProgram(helper);
        process.setArguments({helperArgument});
    } else {
        process.setProgram(nice);
        process.setArguments(
            {QStringLiteral("-n"), QString::number(kIdleNice), helper, helperArgument});
    }
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        return -1;
    if (nice.isEmpty())
        setpriority(PRIO_PROCESS, static_cast<id_t>(pid), kIdleNice);
    return 1;
}

} // namespace zk
