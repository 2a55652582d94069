#pragma once

#include <QString>
#include <QTemporaryDir>

namespace zk::test {

// Folder of the test sources (fixtures live next to the tests that use them).
QString SourceDir();

// Folder where the programs of the build land (build/bin).
QString BinDir();

// A fresh temporary folder that also serves as the program folder (ZK_HOME)
// for as long as the object lives; the previous value is restored afterwards.
class ScopedHome {
public:
    ScopedHome();
    ~ScopedHome();
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
    bool hadPrevious_ = false;
};

} // namespace zk::test
