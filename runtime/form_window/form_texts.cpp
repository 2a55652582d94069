#include "runtime/form_window/form_texts.h"

#include "util/sql_text.h"

#include <QStringList>

namespace zk {

namespace {

// Uids go into the statements as numbers: a text that is no number (an
// empty user uid before a login) would make the statement invalid, or let
// the text into the SQL.
QString UidNumber(const QString& uid)
{
    bool ok = false;
    const qlonglong value = uid.trimmed().toLongLong(&ok);
    return QString::number(ok ? value : 0);
}

} // namespace

QString TextSessionConnection(const QString& folder)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Extended "
                          "Properties=text;Persist Security Info=False;")
        .arg(folder);
}

QString OpenLogStatement(const QString& menuUid, const QString& userUid, const QString& menuName,
                         const QString& userId)
{
    return QStringLiteral("INSERT INTO log_dh_open(menu_uid_0,open_user_uid_0,menu_name_0,"
                          "open_user_id_0) values(%1,%2,'%3','%4')")
        .arg(UidNumber(menuUid), UidNumber(userUid), EscapeSqlText(menuName),
             EscapeSqlText(userId));
}

QString RunLogStatement(const QString& menuUid, const QString& userUid, const QString& caption,
                        const QString& controlText, const QString& userId, int definitionId)
{
    return QStringLiteral("INSERT INTO log_dh_open(menu_uid_0,open_user_uid_0,menu_name_0,"
                          "open_user_id_0,control_id_0) values(%1,%2,'%3 -> %4','%5',%6)")
        .arg(UidNumber(menuUid), UidNumber(userUid), EscapeSqlText(caption),
             EscapeSqlText(controlText), EscapeSqlText(userId), QString::number(definitionId));
}

QString RightsStatement(const QString& menuUid, const QString& userUid)
{
    return QStringLiteral("SELECT B.button_id_0,A.sta_0 FROM c_menu_button_group A LEFT JOIN "
                          "c_menu_button B ON A.menu_button_uid_0=B.uid_0 WHERE B.menu_uid_0=%1 "
                          "AND A.group_uid_0=(SELECT user_group_uid_0 FROM c_user WHERE uid_0=%2)")
        .arg(UidNumber(menuUid), UidNumber(userUid));
}

QString ForbiddenRunStatement(const QString& menuUid, int definitionId, const QString& userUid)
{
    return QStringLiteral(
               "SELECT c_menu_button.menu_uid_0, c_menu_button.button_id_0, "
               "c_menu_button_group.menu_button_uid_0, c_menu_button_group.group_uid_0, "
               "c_menu_button.sta_0, c_menu_button_group.sta_0, c_user.uid_0 FROM (c_menu_button "
               "LEFT JOIN c_menu_button_group ON c_menu_button.uid_0 = "
               "c_menu_button_group.menu_button_uid_0) LEFT JOIN c_user ON "
               "c_menu_button_group.group_uid_0 = c_user.user_group_uid_0 WHERE "
               "c_menu_button.menu_uid_0=0%1 AND c_menu_button.button_id_0=%2 AND "
               "c_user.uid_0=%3 AND (c_menu_button_group.sta_0<0 OR (c_menu_button.sta_0<0 AND "
               "c_menu_button_group.sta_0=0))")
        .arg(UidNumber(menuUid), QString::number(definitionId), UidNumber(userUid));
}

QString FailedRunMessage(const QString& errorText)
{
    const QString upper = errorText.toUpper();
    static const QStringList kSqlMarks = {QStringLiteral("IDISPATCH"), QStringLiteral("FROM "),
                                          QStringLiteral("UPDATE "), QStringLiteral("SELECT "),
                                          QStringLiteral("EXEC ")};
    for (const QString& mark : kSqlMarks) {
        if (!upper.contains(mark))
            continue;
        QString message = texts::kGenericFailure;
        const qsizetype lineFeed = upper.indexOf(QLatin1Char('\n'), 1);
        if (lineFeed > 0)
            message += QLatin1Char('\n') + upper.left(lineFeed);
        return message;
    }
    return upper;
}

} // namespace zk
