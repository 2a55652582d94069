#include "util/module_version.h"

#include "util/numbers.h"
#include "util/program_folder.h"
#include "util/split.h"

#include "zk_version.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace zk {

namespace {

// "+ 0" keeps the expression valid if the project version has no fourth part.
constexpr quint32 kMajor = ZK_VERSION_MAJOR + 0;
constexpr quint32 kMinor = ZK_VERSION_MINOR + 0;
constexpr quint32 kPatch = ZK_VERSION_PATCH + 0;
constexpr quint32 kBuild = ZK_VERSION_TWEAK + 0;

constexpr quint32 kStructVersion = 0x00010000;
constexpr quint32 kTypeApplication = 1;
// Simplified Chinese (0x0804) in code page 936.
constexpr quint32 kChineseTranslation = (936u << 16) | 0x0804u;

bool IsThisProgram(const QString& moduleName)
{
    if (moduleName.isEmpty())
        return true;
    const QString self = ModuleFileName();
    if (self.isEmpty())
        return false;
    if (moduleName == self)
        return true;
    QString name = moduleName;
    if (name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return name.compare(QFileInfo(self).fileName(), Qt::CaseInsensitive) == 0;
}

int Word(quint32 value, bool high)
{
    return static_cast<int>(high ? value >> 16 : value & 0xFFFF);
}

} // namespace

bool CModuleVersion::Read(const QString& moduleName)
{
    if (!IsThisProgram(moduleName))
        return false;
    signature = kSignature;
    strucVersion = kStructVersion;
    fileVersionMS = productVersionMS = (kMajor << 16) | (kMinor & 0xFFFF);
    fileVersionLS = productVersionLS = (kPatch << 16) | (kBuild & 0xFFFF);
    fileType = kTypeApplication;
    translation = kChineseTranslation;
    return signature == kSignature;
}

QString FileVersionText(const QString& moduleName)
{
    CModuleVersion version;
    if (!version.Read(moduleName))
        return QStringLiteral("0.0.0.0");
    return QStringLiteral("%1.%2.%3.%4")
        .arg(Word(version.fileVersionMS, true))
        .arg(Word(version.fileVersionMS, false))
        .arg(Word(version.fileVersionLS, true))
        .arg(Word(version.fileVersionLS, false));
}

int CompareVersions(const QString& first, const QString& second)
{
    QStringList a, b;
    SplitText(first, QStringLiteral("."), a);
    SplitText(second, QStringLiteral("."), b);
    const qsizetype parts = std::max(a.size(), b.size());
    for (qsizetype i = 0; i < parts; ++i) {
        const long long x = i < a.size() ? ToInt(a.at(i)) : 0;
        const long long y = i < b.size() ? ToInt(b.at(i)) : 0;
        if (x != y)
            return static_cast<int>(std::clamp<long long>(x - y, std::numeric_limits<int>::min(),
                                                          std::numeric_limits<int>::max()));
    }
    return 0;
}

} // namespace zk
