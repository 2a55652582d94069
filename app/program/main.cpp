// Zk_ERP: the desktop client.
#include "app/app_startup.h"
#include "app/main_app.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const zk::StartOptions options = zk::ParseStartOptions(QCoreApplication::arguments());
    if (!options.ok) {
        std::fprintf(stderr, "%s\nZk_ERP [--home DIR] [--tour DIR --password PW]\n",
                     options.error.toLocal8Bit().constData());
        return 2;
    }
    zk::CMainApp app;
    return zk::RunProgram(app, options);
}
