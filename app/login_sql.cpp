#include "app/login_sql.h"

#include "util/md5.h"
#include "util/scramble.h"

namespace zk {

namespace {

bool IsSqlServer(const QString& dbKind)
{
    return dbKind == QStringLiteral("1");
}

QString Tabs(int count)
{
    return QString(count, QLatin1Char('\t'));
}

const QString kRecordInsert = QStringLiteral(
    "INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) ");

// The SELECT half of a login record; `now` is the dialect's clock.
QString RecordSelect(const QString& uid, const QString& now)
{
    return QStringLiteral("select top 1 ") + uid +
           QStringLiteral(" as user_uid_0,'%1' as name_0,'%2' as ip_0,") + now +
           QStringLiteral(" as  time_0,'%3' as cpt_name_0,'%4' as mac_0,'%5' AS ip_1");
}

// The workstation's texts come from the system, but a host name is not the program's to
// trust inside a literal.
QString Quoted(const QString& text)
{
    return EscapeLoginId(text);
}

QString Clock(const QString& dbKind)
{
    return IsSqlServer(dbKind) ? QStringLiteral("getdate()") : QStringLiteral("now()");
}

} // namespace

QString UserListSql()
{
    return QStringLiteral("SELECT id_0 FROM c_user WHERE state_0='正常' ORDER BY id_0");
}

QString LoginQuerySql(const QString& loginId, const QString& digest)
{
    return QStringLiteral("SELECT A.uid_0,A.auth_0,A.name_0,A.pass_0,B.user_group_uid_0 FROM "
                          "view_c_user A LEFT JOIN c_user B ON A.uid_0=B.uid_0 WHERE  "
                          "A.state_0='正常' AND  A.id_0='%1' AND A.pass_0='%2'")
        .arg(loginId, digest);
}

QString LoginTimeSql(const QString& dbKind, const QString& userid)
{
    const QString clock =
        IsSqlServer(dbKind) ? QStringLiteral("getdate()") : QStringLiteral("date()");
    return QStringLiteral("UPDATE c_user SET loginTime_0=%1 WHERE uid_0=%2").arg(clock, userid);
}

QString LoginRecordSql(const QString& dbKind, const QString& userid, const QString& loginId,
                       const LoginPlace& place)
{
    const QString select = RecordSelect(userid, Clock(dbKind)) + QStringLiteral(" ");
    return (kRecordInsert + Tabs(9) + select)
        .arg(loginId, Quoted(place.ip), Quoted(place.hostName), Quoted(place.mac),
             Quoted(place.serverIp));
}

QString FailedLoginRecordSql(const QString& dbKind, const QString& loginId, const LoginPlace& place)
{
    const bool server = IsSqlServer(dbKind);
    QString select = RecordSelect(QStringLiteral("0"), Clock(dbKind));
    if (server)
        select += QStringLiteral(" ");
    return (kRecordInsert + Tabs(server ? 4 : 7) + select)
        .arg(loginId, Quoted(place.ip), Quoted(place.hostName), Quoted(place.mac),
             Quoted(place.serverIp));
}

QString EscapeLoginId(const QString& loginId)
{
    QString escaped = loginId;
    escaped.replace(QStringLiteral("'"), QStringLiteral("''"));
    return escaped;
}

QString LoginDigest(const QString& password)
{
    return Md5Text(ScrambleText(password, 1));
}

} // namespace zk
