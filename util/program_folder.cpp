#include "util/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zk {

namespace {

constexpr char kHomeVariable[] = "ZK_HOME";

QString WithSlash(const QString& folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

QString UserDataFolder()
{
    return QDir::homePath() + QStringLiteral("/.local/share/Zk_ERP");
}

} // namespace

QString ProgramFolder()
{
    const QString home = qEnvironmentVariable(kHomeVariable);
    if (!home.isEmpty()) {
        QDir().mkpath(home);
        return WithSlash(home);
    }
    const QString exe = ModuleFileName();
    if (!exe.isEmpty()) {
        const QFileInfo folder(QFileInfo(exe).absolutePath());
        if (folder.isDir() && folder.isWritable())
            return WithSlash(folder.absoluteFilePath());
    }
    QDir().mkpath(UserDataFolder());
    return WithSlash(UserDataFolder());
}

void SetProgramFolderOverride(const QString& folder)
{
    if (folder.isEmpty())
        qunsetenv(kHomeVariable);
    else
        qputenv(kHomeVariable, QFile::encodeName(QDir(folder).absolutePath()));
}

QString ModuleFileName()
{
    // /proc/self/exe needs no application object; elsewhere Qt knows the path
    // once one exists.
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!self.isEmpty())
        return self;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QString();
}

} // namespace zk
