#include "app/dialog_ip_cfg.h"

#include "app/main_app.h"
#include "app/shell_look.h"
#include "data/link/link_protocol.h"
#include "data/link/server_address.h"
#include "data/session/db_session.h"
#include "data/session/link_server_ops.h"
#include "forms/dialogs/zk_message_box.h"
#include "util/ini.h"
#include "util/numbers.h"
#include "util/program_folder.h"

#include <QCoreApplication>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

#include <cstdlib>

namespace zk {

namespace {

const QString kIni = QStringLiteral("cfg.ini");
const QString kServer = QStringLiteral("SERVER");

QLineEdit* AddField(QWidget* parent, int id, const QString& label, int top)
{
    auto* caption = new QLabel(label, parent);
    caption->setGeometry(20, top, 90, 24);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setGeometry(118, top, 220, 24);
    return edit;
}

} // namespace

void RestartProgram()
{
    // The new process finds the same program folder through ZK_HOME, which --home set.
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {}, ProgramFolder());
    std::_Exit(-1);
}

Dialog_IpCfg::Dialog_IpCfg(CMainApp& app, QWidget* parent)
    : QDialog(parent)
    , restart([] { RestartProgram(); })
    , app_(app)
{
    setWindowTitle(QStringLiteral("配置服务端信息"));
    setWindowIcon(app.app_icon);
    setFixedSize(370, 190);
    address_ = AddField(this, kAddressEdit, QStringLiteral("服务端地址:"), 20);
    port_ = AddField(this, kPortEdit, QStringLiteral("端口号:"), 54);
    port_->setValidator(new QIntValidator(0, 65535, port_));
    key_ = AddField(this, kKeyEdit, QStringLiteral("密钥:"), 88);
    auto* ok =
        MakeShellButton(this, 1, QStringLiteral("测试并保存"), QString(), QRect(118, 136, 100, 30));
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setDefault(true);
    auto* cancel =
        MakeShellButton(this, 2, QStringLiteral("取消"), QString(), QRect(238, 136, 100, 30));
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    connect(ok, &QPushButton::clicked, this, &Dialog_IpCfg::accept);
    connect(cancel, &QPushButton::clicked, this, &Dialog_IpCfg::reject);

    address_->setText(ReadIni(kIni, kServer, QStringLiteral("IP")));
    port_->setText(ReadIni(kIni, kServer, QStringLiteral("PORT")));
    key_->setText(ReadIni(kIni, kServer, QStringLiteral("KEY")));
}

void Dialog_IpCfg::accept()
{
    TestAndSave(); // a successful save ends the process; anything else stays here
}

bool Dialog_IpCfg::TestAndSave()
{
    const QString typedAddress = address_->text();
    const QString typedPort = port_->text();
    const QString key = key_->text();
    QString address;
    if (!ResolveServerAddress(typedAddress, address))
        return false;
    const int port = ToInt(typedPort);
    if (!app_.HandshakeWith(address, port, link::kInitPrefix + key))
        return false;

    CDbSession session;
    if (CServerLink* link = ServerLinkOf(session))
        link->SetServer(address, port);
    session.useServer = true;
    if (!session.Open()) {
        ShowBox(this, QStringLiteral("连接服务器失败,") + session.errorText, QString(), 0);
        return false;
    }
    session.Close();
    WriteIni(kIni, kServer, QStringLiteral("IP"), typedAddress);
    WriteIni(kIni, kServer, QStringLiteral("PORT"), typedPort);
    WriteIni(kIni, kServer, QStringLiteral("KEY"), key);
    ShowBox(this, QStringLiteral("保存成功！软件将重新启动！"), QString(), 0);
    if (restart)
        restart();
    return true;
}

} // namespace zk
