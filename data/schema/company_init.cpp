#include "data/schema/company_init.h"

#include "data/schema/system_schema.h"
#include "data/session/db_session.h"
#include "util/md5.h"
#include "util/scramble.h"

#include <QUuid>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

QString Quoted(const QString& text)
{
    return QString(text).replace(u'\'', QStringLiteral("''"));
}

QString Failure(const CDbSession& session)
{
    return session.errorDetail.isEmpty() ? session.errorText
                                         : session.errorText + u'\n' + session.errorDetail;
}

bool CreateRows(CDbSession& session, const CompanySetup& setup, QString& message)
{
    const bool sqlServer = session.dbType == 1;
    // SQL Server takes explicit identity values only when asked to.
    if (sqlServer && !session.Execute(QStringLiteral("SET IDENTITY_INSERT c_user ON")))
        return false;
    if (!session.InsertRecord(QStringLiteral("SELECT uid_0 FROM c_user WHERE uid_0=1"),
                              {QStringLiteral("uid_0"), QStringLiteral("id_0"),
                               QStringLiteral("name_0"), QStringLiteral("pass_0"),
                               QStringLiteral("state_0"), QStringLiteral("user_group_uid_0")},
                              {QStringLiteral("1"), kAdminLoginId, kAdminName,
                               PasswordDigest(setup.adminPassword), QStringLiteral("正常"),
                               QStringLiteral("1")})) {
        message = Failure(session);
        return false;
    }
    if (sqlServer && !session.Execute(QStringLiteral("SET IDENTITY_INSERT c_user OFF")))
        return false;
    const QString appId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!session.InsertRecord(QStringLiteral("SELECT uid_0 FROM c_app WHERE uid_0=1"),
                              {QStringLiteral("uid_0"), QStringLiteral("appName_0"),
                               QStringLiteral("company_0"), QStringLiteral("app_0"),
                               QStringLiteral("userCount_0")},
                              {QStringLiteral("1"), QStringLiteral("Zk_ERP"), setup.company, appId,
                               QStringLiteral("0")}) ||
        !session.InsertRecord(QStringLiteral("SELECT uid_0 FROM c_app WHERE uid_0=2"),
                              {QStringLiteral("uid_0"), QStringLiteral("userCount_0")},
                              {QStringLiteral("2"), QStringLiteral("0")})) {
        message = Failure(session);
        return false;
    }
    return true;
}

} // namespace

QString PasswordDigest(const QString& password)
{
    return Md5Text(ScrambleText(password, 1));
}

bool InitCompanyDatabase(CDbSession& session, const CompanySetup& setup, QString& message)
{
    QString count;
    if (session.IsFind2(QStringLiteral("SELECT count(1) FROM c_user"), count) >= 0) {
        message = QStringLiteral("数据库中已有系统表 c_user，不能再次初始化");
        return false;
    }
    const QStringList statements =
        SchemaStatements(SystemSchemaScript(SchemaDialectOf(session.dbType)));
    if (statements.isEmpty()) {
        message = QStringLiteral("找不到系统表的建表脚本");
        return false;
    }
    if (!session.BeginTrans()) {
        message = Failure(session);
        return false;
    }
    for (const QString& statement : statements) {
        if (!session.Execute(statement)) {
            message = Failure(session);
            session.RollbackTrans();
            return false;
        }
    }
    if (!CreateRows(session, setup, message)) {
        if (message.isEmpty())
            message = Failure(session);
        session.RollbackTrans();
        return false;
    }
    if (!session.CommitTrans()) {
        message = Failure(session);
        return false;
    }
    return true;
}

bool AddUser(CDbSession& session, const NewUser& user, QString& uid, QString& message)
{
    session.errorText.clear();
    const int result = session.InsertUidRecord(
        uid, u"SELECT uid_0 FROM c_user WHERE id_0='"_s + Quoted(user.id) + u'\'',
        {QStringLiteral("id_0"), QStringLiteral("name_0"), QStringLiteral("pass_0"),
         QStringLiteral("state_0"), QStringLiteral("user_group_uid_0"), QStringLiteral("auth_0")},
        {user.id, user.name, PasswordDigest(user.password), QStringLiteral("正常"), user.group,
         user.auth});
    if (result == 1)
        return true;
    message =
        session.errorText.isEmpty() ? QStringLiteral("用户已存在: ") + user.id : Failure(session);
    return false;
}

} // namespace zk
