#include "app/navigation_tree.h"

#include "app/login_sql.h"
#include "app/shell_look.h"
#include "data/session/db_session.h"
#include "util/numbers.h"

#include <QTreeWidget>

namespace zk {

namespace {

constexpr int kImageRole = Qt::UserRole + 1;

const QString kMenuSelect =
    QStringLiteral("SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh ");
const QString kMenuOrder = QStringLiteral("order by level_0,pUid_0,order_0,uid_0");

QString Tabs(int count)
{
    return QString(count, QLatin1Char('\t'));
}

QString SqlServerQuery(const QString& userid, NavigationColumn column)
{
    const QString rights = QStringLiteral(
        "where CHARINDEX(','+rtrim(uid_0)+',' ,(select N','+auth_0+N','  from view_c_user "
        "where uid_0=%1))>0 ");
    const QString favourites = QStringLiteral(
        "AND CHARINDEX(','+rtrim(uid_0)+',' ,(select N','+auth1_0+N','  from view_c_user "
        "where uid_0=%1))>0 ");
    QString sql = kMenuSelect + Tabs(2) + rights.arg(userid) + Tabs(2);
    if (column == NavigationColumn::Favourites)
        sql += favourites.arg(userid) + Tabs(2);
    return sql + kMenuOrder;
}

// "," + the user's list + ",", made safe inside the literal.
QString UserList(CDbSession& session, const QString& columnName, const QString& userid)
{
    QStringList values;
    session.QueryList(
        QStringLiteral("select %1 from view_c_user where uid_0=%2").arg(columnName, userid),
        values);
    return QStringLiteral(",") + EscapeLoginId(values.value(0)) + QStringLiteral(",");
}

QString FileDatabaseQuery(CDbSession& session, const QString& userid, NavigationColumn column)
{
    const QString rights = UserList(session, QStringLiteral("auth_0"), userid);
    const QString favourites = UserList(session, QStringLiteral("auth1_0"), userid);
    const QString test = QStringLiteral("'),(','+CStr(uid_0)+','))>0 ");
    if (column == NavigationColumn::Rights)
        return kMenuSelect + Tabs(3) + QStringLiteral("where InStr((' ") + rights + test + Tabs(3) +
               kMenuOrder;
    return kMenuSelect + Tabs(3) + QStringLiteral("where InStr(('") + rights + test + Tabs(3) +
           QStringLiteral("AND InStr(('") + favourites + test + Tabs(3) + kMenuOrder;
}

QTreeWidgetItem* FindIn(QTreeWidgetItem* item, int uid)
{
    if (item->data(0, Qt::UserRole).toInt() == uid)
        return item;
    for (int i = 0; i < item->childCount(); ++i)
        if (QTreeWidgetItem* found = FindIn(item->child(i), uid))
            return found;
    return nullptr;
}

// "," + list + "," without any ",uid," (each becomes one ","), then the enclosing commas
// dropped again.
QString WithoutEntry(const QString& list, const QString& uid)
{
    QString text = QStringLiteral(",") + list + QStringLiteral(",");
    text.replace(QStringLiteral(",") + uid + QStringLiteral(","), QStringLiteral(","));
    text.remove(0, 1);
    text.chop(1);
    return text;
}

} // namespace

QString NavigationQuery(CDbSession& session, const QString& dbKind, const QString& userid,
                        NavigationColumn column)
{
    // The administrator sees every item; his favourites keep both filters.
    if (userid == QStringLiteral("1") && column == NavigationColumn::Rights)
        return kMenuSelect + kMenuOrder;
    if (dbKind == QStringLiteral("1"))
        return SqlServerQuery(userid, column);
    return FileDatabaseQuery(session, userid, column);
}

void FillNavigationTree(QTreeWidget& tree, CDbSession& session, const QString& dbKind,
                        const QString& userid, NavigationColumn column, const QList<QIcon>& images)
{
    tree.clear();
    QStringList values;
    session.QueryList(NavigationQuery(session, dbKind, userid, column), values);
    QTreeWidgetItem* parent = nullptr;
    int previousParent = 0;
    for (qsizetype i = 0; i + 4 < values.size(); i += 5) {
        const int order = ToInt(values[i]);
        const int parentUid = ToInt(values[i + 1]);
        const bool leaf = values[i + 2] == QStringLiteral("1");
        if (i == 0 || parentUid != previousParent)
            parent = FindNavigationItem(tree, parentUid);
        previousParent = parentUid;
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
        item->setText(0, values[i + 3]);
        const int image = NavigationImageIndex(order, leaf);
        item->setData(0, kImageRole, image);
        item->setIcon(0, images.value(image));
        item->setData(0, Qt::UserRole, ToInt(values[i + 4]));
    }
}

QTreeWidgetItem* FindNavigationItem(QTreeWidget& tree, int uid)
{
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        if (QTreeWidgetItem* found = FindIn(tree.topLevelItem(i), uid))
            return found;
    return nullptr;
}

int NavigationItemImage(const QTreeWidgetItem& item)
{
    return item.data(0, kImageRole).toInt();
}

QString AddToFavourites(const QString& list, const QString& uid)
{
    // A list without any entry starts anew. (A one-character list is one entry of its
    // own, and is kept.)
    if (list.trimmed().remove(QLatin1Char(',')).isEmpty())
        return uid;
    return WithoutEntry(list, uid) + QStringLiteral(",") + uid;
}

QString RemoveFromFavourites(const QString& list, const QString& uid)
{
    return WithoutEntry(list, uid);
}

} // namespace zk
