#include "app_fixture.h"

#include "app/dialog_login.h"
#include "data/schema/company_init.h"
#include "runtime/codec/form_blob.h"
#include "util/ini.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

namespace zk::test {

struct BoxAnswerer::Timer {
    QTimer timer;
};

BoxAnswerer::BoxAnswerer()
    : timer_(std::make_unique<Timer>())
{
    QObject::connect(&timer_->timer, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QStringList parts;
        for (QLabel* label : box->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                parts.append(label->text());
        texts.append(parts.join(QLatin1Char('\n')));
        box->accept();
    });
    timer_->timer.start(50);
}

BoxAnswerer::~BoxAnswerer() = default;

bool WaitUntil(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return condition();
}

void AppFixture::SetUp()
{
    home_ = std::make_unique<ScopedHome>();
    const QString connection =
        QStringLiteral("Provider=SQLite;Data Source=") + home_->file(QStringLiteral("company.db"));
    db_.SetConnectionString(connection);
    ASSERT_TRUE(db_.Open()) << db_.errorText.toStdString();
    QString message;
    CompanySetup setup;
    setup.company = QStringLiteral("示范贸易有限公司");
    ASSERT_TRUE(InitCompanyDatabase(db_, setup, message)) << message.toStdString();
    NewUser clerk{QStringLiteral("clerk"), QStringLiteral("王店员"), QStringLiteral("pw1"),
                  QStringLiteral("2"), QStringLiteral("10,11,12,20")};
    ASSERT_TRUE(AddUser(db_, clerk, clerkUid_, message)) << message.toStdString();
    QString uid;
    ASSERT_TRUE(AddUser(db_,
                        {QStringLiteral("o'neil"), QStringLiteral("O'Neil"), QStringLiteral("pw2"),
                         QStringLiteral("2"), QStringLiteral("10")},
                        uid, message));
    ASSERT_TRUE(AddUser(db_,
                        {QStringLiteral("gone"),
                         QStringLiteral("离职"),
                         QStringLiteral("pw3"),
                         {},
                         QStringLiteral("10")},
                        uid, message));
    Exec(QStringLiteral("UPDATE c_user SET state_0='停用' WHERE id_0='gone'"));

    ASSERT_TRUE(server_.Start({QStringLiteral("--port"), QStringLiteral("0"),
                               QStringLiteral("--key"), kKey, QStringLiteral("--db"), connection,
                               QStringLiteral("--files"), home_->file(QStringLiteral("files")),
                               QStringLiteral("--secret"), home_->file(QStringLiteral("secret")),
                               QStringLiteral("--log"), home_->file(QStringLiteral("server.log"))}))
        << server_.Log().toStdString();
    PointConfigAt();
    app_ = std::make_unique<CMainApp>();
    app_->program_folder = home_->path() + QStringLiteral("/");
    ASSERT_TRUE(app_->ConnectToServer());
}

void AppFixture::TearDown()
{
    app_.reset();
    server_.Stop();
    db_.Close();
    home_.reset();
}

QString AppFixture::Query(const QString& sql)
{
    QString value;
    db_.IsFind(sql, value);
    return value;
}

void AppFixture::Exec(const QString& sql)
{
    ASSERT_TRUE(db_.Execute(sql)) << db_.errorText.toStdString();
}

void AppFixture::AddMenu(int uid, int parent, int level, bool leaf, int order, const QString& name)
{
    Exec(QStringLiteral("INSERT INTO c_menu_dh(uid_0,pUid_0,level_0,leaf_0,order_0,name_0) "
                        "VALUES(%1,%2,%3,%4,%5,'%6')")
             .arg(uid)
             .arg(parent)
             .arg(level)
             .arg(leaf ? 1 : 0)
             .arg(order)
             .arg(name));
    if (leaf)
        StoreForm(uid, QStringLiteral("<html id='%1'><head title='%2' pos='0,0,400,300'/>"
                                      "<body><dialog>"
                                      "<static id='1' pos='10,10,200,30' value='%2'/>"
                                      "</dialog></body></html>")
                           .arg(uid)
                           .arg(name));
}

void AppFixture::StoreForm(int uid, const QString& xml)
{
    ASSERT_TRUE(db_.UpdateBinaryRecord(
        QStringLiteral("SELECT form_0 FROM c_menu_dh WHERE uid_0=%1").arg(uid),
        {QStringLiteral("form_0")}, {EncodeFormText(xml)}))
        << db_.errorText.toStdString();
}

void AppFixture::PointConfigAt(int port)
{
    const QString ini = QStringLiteral("cfg.ini");
    WriteIni(ini, QStringLiteral("SERVER"), QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
    WriteIni(ini, QStringLiteral("SERVER"), QStringLiteral("PORT"),
             QString::number(port ? port : server_.port()));
    WriteIni(ini, QStringLiteral("SERVER"), QStringLiteral("KEY"), kKey);
}

bool AppFixture::LogIn(const QString& id, const QString& password)
{
    Dialog_Login login(*app_);
    if (!WaitUntil([&] { return login.UserListLoaded(); }))
        return false;
    login.UserCombo()->setEditText(id);
    login.PasswordEdit()->setText(password);
    BoxAnswerer boxes;
    return login.TryLogin();
}

} // namespace zk::test
