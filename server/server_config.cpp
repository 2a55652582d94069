#include "server/server_config.h"

#include "util/ini.h"
#include "util/program_folder.h"

#include <QDir>
#include <QFileInfo>

#include <functional>
#include <limits>
#include <vector>

namespace zk::server {

namespace {

// One setting: its flag, its key in the file, and how a text is taken into the config.
struct Setting {
    QString flag;
    QString key;
    bool path; // relative values are taken from the folder of their source
    std::function<bool(ServerConfig&, const QString&)> apply;
};

bool ReadNumber(const QString& text, qint64 low, qint64 high, qint64& value)
{
    bool ok = false;
    value = text.trimmed().toLongLong(&ok);
    return ok && value >= low && value <= high;
}

template <class T>
std::function<bool(ServerConfig&, const QString&)> Number(T ServerConfig::*field, qint64 low,
                                                          qint64 high)
{
    return [=](ServerConfig& config, const QString& text) {
        qint64 value = 0;
        if (!ReadNumber(text, low, high, value))
            return false;
        config.*field = T(value);
        return true;
    };
}

std::function<bool(ServerConfig&, const QString&)> Text(QString ServerConfig::*field)
{
    return [=](ServerConfig& config, const QString& text) {
        config.*field = text;
        return true;
    };
}

const std::vector<Setting>& Settings()
{
    constexpr qint64 kMaxInt = std::numeric_limits<qint32>::max();
    static const std::vector<Setting> settings = {
        {"--listen", "LISTEN", false, Text(&ServerConfig::listen)},
        {"--port", "PORT", false, Number(&ServerConfig::port, 0, 65535)},
        {"--key", "KEY", false, Text(&ServerConfig::key)},
        {"--db", "DB", false, Text(&ServerConfig::db)},
        {"--files", "FILES", true, Text(&ServerConfig::files)},
        {"--max-frame", "MAX_FRAME", false, Number(&ServerConfig::maxFrame, 1024, kMaxInt)},
        {"--max-connections", "MAX_CONNECTIONS", false,
         Number(&ServerConfig::maxConnections, 1, 100000)},
        {"--idle-timeout", "IDLE_TIMEOUT", false,
         Number(&ServerConfig::idleTimeoutSeconds, 1, 86400 * 7)},
        {"--log", "LOG", true, Text(&ServerConfig::log)},
        {"--secret", "SECRET", true, Text(&ServerConfig::secret)},
    };
    return settings;
}

QString Absolute(const QString& value, const QDir& base)
{
    return value.isEmpty() ? value : QDir::cleanPath(base.absoluteFilePath(value));
}

bool Apply(const Setting& setting, const QString& value, const QDir& base, ServerConfig& config,
           QString& error, const QString& source)
{
    if (setting.apply(config, setting.path ? Absolute(value, base) : value))
        return true;
    error = QStringLiteral("%1: bad value \"%2\"").arg(source, value);
    return false;
}

bool ReadFile(const QString& path, ServerConfig& config, QString& error)
{
    const QDir base = QFileInfo(path).absoluteDir();
    const QString section = QStringLiteral("SERVER");
    for (const Setting& setting : Settings()) {
        const QString value = ReadIni(path, section, setting.key);
        if (!value.isEmpty() && !Apply(setting, value, base, config, error,
                                       QFileInfo(path).fileName() + u' ' + setting.key))
            return false;
    }
    return true;
}

// The value of `--flag VALUE` or `--flag=VALUE` at `i`, which moves past it.
bool FlagValue(const QStringList& arguments, qsizetype& i, const QString& flag, QString& value)
{
    const QString& argument = arguments[i];
    if (argument.startsWith(flag + u'=')) {
        value = argument.mid(flag.size() + 1);
        return true;
    }
    if (argument != flag || i + 1 >= arguments.size())
        return false;
    value = arguments[++i];
    return true;
}

const Setting* FindSetting(const QString& argument)
{
    for (const Setting& setting : Settings()) {
        if (argument == setting.flag || argument.startsWith(setting.flag + u'='))
            return &setting;
    }
    return nullptr;
}

// The configuration file named on the command line, or the default one.
bool ConfigFile(const QStringList& arguments, QString& path, QString& error)
{
    const QString flag = QStringLiteral("--config");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString value;
        if (!arguments[i].startsWith(flag) || !FlagValue(arguments, i, flag, value))
            continue;
        path = QFileInfo(value).absoluteFilePath();
        if (QFileInfo(path).isFile())
            return true;
        error = QStringLiteral("--config: no such file %1").arg(value);
        return false;
    }
    path = ProgramFolder() + QStringLiteral("zk_server.ini");
    if (!QFileInfo(path).isFile())
        path.clear();
    return true;
}

bool Check(ServerConfig& config, const QString& configPath, QString& error)
{
    if (config.db.isEmpty()) {
        error = QStringLiteral("no database: give --db CONN or DB in [SERVER] of zk_server.ini");
        return false;
    }
    if (config.files.isEmpty())
        config.files = ProgramFolder() + QStringLiteral("files");
    if (config.secret.isEmpty()) {
        const QString folder =
            configPath.isEmpty() ? ProgramFolder() : QFileInfo(configPath).absolutePath() + u'/';
        config.secret = folder + QStringLiteral("zk_server.secret");
    }
    return true;
}

} // namespace

ConfigResult LoadServerConfig(const QStringList& arguments, ServerConfig& config, QString& error)
{
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h")))
        return ConfigResult::Help;
    QString configPath;
    if (!ConfigFile(arguments, configPath, error))
        return ConfigResult::Bad;
    if (!configPath.isEmpty() && !ReadFile(configPath, config, error))
        return ConfigResult::Bad;
    const QDir here = QDir::current();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == u"--config" || arguments[i].startsWith(u"--config=")) {
            FlagValue(arguments, i, QStringLiteral("--config"), value);
            continue;
        }
        const Setting* setting = FindSetting(arguments[i]);
        if (!setting) {
            error = QStringLiteral("unknown argument \"%1\"").arg(arguments[i]);
            return ConfigResult::Bad;
        }
        if (!FlagValue(arguments, i, setting->flag, value)) {
            error = QStringLiteral("%1 needs a value").arg(setting->flag);
            return ConfigResult::Bad;
        }
        if (!Apply(*setting, value, here, config, error, setting->flag))
            return ConfigResult::Bad;
    }
    return Check(config, configPath, error) ? ConfigResult::Run : ConfigResult::Bad;
}

QString ServerUsage()
{
    return QStringLiteral(
        "usage: zk_server [--config FILE] [--listen ADDR] [--port N] [--key KEY] --db CONN\n"
        "                 [--files DIR] [--max-frame BYTES] [--max-connections N]\n"
        "                 [--idle-timeout SECONDS] [--log FILE] [--secret FILE]\n"
        "Every flag is also a key of [SERVER] in zk_server.ini (LISTEN, PORT, KEY, DB, FILES,\n"
        "MAX_FRAME, MAX_CONNECTIONS, IDLE_TIMEOUT, LOG, SECRET); flags win over the file.\n");
}

} // namespace zk::server
