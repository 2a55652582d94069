#include "test_env.h"

namespace zk::test {

QString SourceDir()
{
#ifdef ZK_TEST_SOURCE_DIR
    return QStringLiteral(ZK_TEST_SOURCE_DIR);
#else
    return QString::fromLocal8Bit(qgetenv("ZK_TEST_SOURCE_DIR"));
#endif
}

QString BinDir()
{
#ifdef ZK_TEST_BIN_DIR
    return QStringLiteral(ZK_TEST_BIN_DIR);
#else
    return QString::fromLocal8Bit(qgetenv("ZK_TEST_BIN_DIR"));
#endif
}

ScopedHome::ScopedHome()
    : previous_(qgetenv("ZK_HOME")), hadPrevious_(qEnvironmentVariableIsSet("ZK_HOME"))
{
    qputenv("ZK_HOME", dir_.path().toLocal8Bit());
}

ScopedHome::~ScopedHome()
{
    if (hadPrevious_)
        qputenv("ZK_HOME", previous_);
    else
        qunsetenv("ZK_HOME");
}

} // namespace zk::test
