#pragma once

#include <QString>
#include <QtGlobal>

namespace zk {

// The version record of a program. This program's version is the one
// compiled in from the build; every program of the project carries the same.
// The fields keep the layout of the classic fixed version record: the file
// version's most significant word holds major (high 16 bits) and minor, the
// least significant word patch and build.
class CModuleVersion {
public:
    static constexpr quint32 kSignature = 0xFEEF04BD;

    quint32 signature = 0;
    quint32 strucVersion = 0;
    quint32 fileVersionMS = 0;
    quint32 fileVersionLS = 0;
    quint32 productVersionMS = 0;
    quint32 productVersionLS = 0;
    quint32 fileFlagsMask = 0;
    quint32 fileFlags = 0;
    quint32 fileOS = 0;
    quint32 fileType = 0;
    quint32 fileSubtype = 0;
    quint32 fileDateMS = 0;
    quint32 fileDateLS = 0;
    // Language in the low 16 bits, code page in the high 16 bits.
    quint32 translation = 1252u << 16;

    virtual ~CModuleVersion() = default;

    // Reads the version of a module: the empty name, or this program's file
    // name (with or without ".exe", any case), or its full path, is this
    // program. Any other module is unknown and gives false.
    bool Read(const QString& moduleName = QString());
};

// "major.minor.patch.build" of a module; "0.0.0.0" when it cannot be read.
QString FileVersionText(const QString& moduleName = QString());

// Compares dotted versions part by part as decimal integers, a missing part
// counting as 0: the first non-zero difference (first minus second), or 0.
// "1.2.10" vs "1.2.9" gives 1, "2" vs "10" gives -8, "1.2" vs "1.2.0" gives 0.
int CompareVersions(const QString& first, const QString& second);

} // namespace zk
