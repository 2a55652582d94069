#include "app/dialog_login.h"

#include "app/dialog_ip_cfg.h"
#include "app/login_sql.h"
#include "app/main_app.h"
#include "app/shell_look.h"
#include "data/schema/company_init.h"
#include "data/session/link_server_ops.h"
#include "forms/dialogs/zk_message_box.h"
#include "util/gui/open_with_shell.h"
#include "util/ini.h"
#include "util/module_version.h"
#include "util/sysinfo.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

namespace zk {

namespace {

const QString kIni = QStringLiteral("cfg.ini");
const QString kServer = QStringLiteral("SERVER");

QString EmptyPasswordText()
{
    return QStringLiteral("密码不能为空！新用户的默认密码为 %1").arg(kDefaultAdminPassword);
}

QString WrongPasswordText()
{
    return QStringLiteral("用户名或密码错误！新用户的默认密码为 %1").arg(kDefaultAdminPassword);
}

LoginPlace Workstation(const QString& serverIp)
{
    LoginPlace place;
    GetHostNameAndIp(place.hostName, place.ip);
    GetMacAddress(place.mac);
    place.serverIp = serverIp;
    return place;
}

} // namespace

QString VendorHelpUrl(const QString& place, const QString& appId)
{
    QString vendor = ReadIni(kIni, kServer, QStringLiteral("VENDOR"));
    if (vendor.isEmpty())
        return {};
    while (vendor.endsWith(QLatin1Char('/')))
        vendor.chop(1);
    return vendor + QStringLiteral("/help/help.aspx?s=") + place + QStringLiteral("&appid=") +
           QString::fromLatin1(QUrl::toPercentEncoding(appId));
}

Dialog_Login::Dialog_Login(CMainApp& app, QWidget* parent)
    : QDialog(parent)
    , app_(app)
{
    setWindowIcon(app.app_icon);
    setFixedSize(419, 224);
    setWindowTitle(QStringLiteral("V ") + FileVersionText() + QStringLiteral("  ") + app.username);

    users_ = new QComboBox(this);
    users_->setObjectName(QString::number(kUserCombo));
    users_->setEditable(true);
    users_->setInsertPolicy(QComboBox::NoInsert);
    users_->setGeometry(130, 98, 220, 21);
    password_ = new QLineEdit(this);
    password_->setObjectName(QString::number(kPasswordEdit));
    password_->setEchoMode(QLineEdit::Password);
    password_->setGeometry(130, 125, 220, 21);

    auto* settings = MakeShellButton(this, kSettingsButton, QStringLiteral("设 置"),
                                     QStringLiteral("选择设置数据库"), QRect(20, 176, 80, 28));
    auto* help = MakeShellButton(this, kHelpButton, QStringLiteral("帮 助"), QString(),
                                 QRect(108, 176, 80, 28));
    ok_ = MakeShellButton(this, 1, QStringLiteral("登 录"), QStringLiteral("用户登录系统"),
                          QRect(220, 176, 86, 28));
    ok_->setObjectName(QStringLiteral("IDOK"));
    ok_->setDefault(true);
    auto* cancel =
        MakeShellButton(this, 2, QStringLiteral("关闭系统"), QString(), QRect(314, 176, 86, 28));
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    connect(settings, &QPushButton::clicked, this, &Dialog_Login::OpenSettings);
    connect(help, &QPushButton::clicked, this, &Dialog_Login::OpenHelp);
    connect(ok_, &QPushButton::clicked, this, &Dialog_Login::accept);
    connect(cancel, &QPushButton::clicked, this, &Dialog_Login::reject);

    session_.ConfigureServer();
    // The dialog is usable at once; the list arrives when the worker is done.
    loader_ = std::make_unique<UserListLoader>(
        this, [this](const UserListResult& result) { OnUserList(result); });
    loader_->start();
}

Dialog_Login::~Dialog_Login()
{
    loader_.reset(); // waits for the worker
}

void Dialog_Login::OnUserList(const UserListResult& result)
{
    if (!result.opened) {
        ShowBox(this, QStringLiteral("数据库打开出错,请检查数据库!"), QStringLiteral("操作提示"),
                0);
    } else {
        QStringList ids = result.ids;
        ids.sort(Qt::CaseInsensitive); // the sorted combo box
        users_->addItems(ids);
        // The combo box's own prefix search: the first entry that starts with the
        // remembered id, ignoring case.
        const QString remembered = ReadIni(kIni, kServer, QStringLiteral("USER"));
        const int index =
            remembered.isEmpty() ? -1 : users_->findText(remembered, Qt::MatchStartsWith);
        users_->setCurrentIndex(index);
        if (index < 0)
            users_->setEditText(QString());
        app_.SetLinkServer(result.serverHost, result.serverPort);
        app_.db_kind = result.dbKind;
    }
    listLoaded_ = true;
    emit userListLoaded();
}

void Dialog_Login::accept()
{
    if (TryLogin())
        QDialog::accept();
}

bool Dialog_Login::TryLogin()
{
    const QString enteredId = users_->currentText();
    const QString typed = password_->text();
    if (enteredId.isEmpty()) {
        ShowBox(this, QStringLiteral("请输入或者选择用户名"), QString(), 0);
        return false;
    }
    if (typed.isEmpty()) {
        ShowBox(this, EmptyPasswordText(), QString(), 0);
        return false;
    }
    const QString digest = LoginDigest(typed);
    const QString loginId = EscapeLoginId(enteredId);
    if (!session_.Open())
        return false;
    if (app_.db_kind.isEmpty()) // logging in before the worker's list arrived
        app_.db_kind = session_.GetDbType();
    if (app_.server_ip.isEmpty())
        if (CServerLink* link = ServerLinkOf(session_))
            app_.SetLinkServer(link->host, link->port);

    QString seenIp;
    if (session_.useServer)
        seenIp = session_.GetClientIp().section(QLatin1Char(':'), 0, 0);

    QStringList row;
    const int found = session_.QueryList(LoginQuerySql(loginId, digest), row);
    const LoginPlace place = Workstation(seenIp);
    const bool ok = found > 0 && row.size() > 2;
    if (ok) {
        app_.user_id = loginId;
        app_.userid = row.value(0);
        app_.auth = row.value(1);
        app_.username = row.value(2);
        app_.groupid = row.value(4);
        app_.password = digest;
        session_.Execute(LoginTimeSql(app_.db_kind, app_.userid));
        session_.Execute(LoginRecordSql(app_.db_kind, app_.userid, loginId, place));
        session_.Close();
        // The id as typed, so that the next start finds it in the list again.
        WriteIni(kIni, kServer, QStringLiteral("USER"), enteredId);
    } else {
        app_.user_id = loginId;
        session_.Execute(FailedLoginRecordSql(app_.db_kind, loginId, place));
        session_.Close();
        ShowBox(this, WrongPasswordText(), QString(), 0);
    }
    Handshake();
    return ok;
}

void Dialog_Login::Handshake()
{
    password_->setFocus();
    app_.RepeatHandshakeToServer();
}

void Dialog_Login::OpenSettings()
{
    Dialog_IpCfg settings(app_, this);
    settings.exec();
}

void Dialog_Login::OpenHelp()
{
    const QString url = VendorHelpUrl(QStringLiteral("login"), app_.app_id);
    if (!url.isEmpty())
        OpenWithShell(url);
}

void Dialog_Login::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintLoginBackground(painter, rect(), app_.cpy);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(QRect(50, 98, 76, 21), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("用户名:"));
    painter.drawText(QRect(50, 125, 76, 21), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("密  码:"));
}

} // namespace zk
