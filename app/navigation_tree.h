#pragma once

#include <QIcon>
#include <QList>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace zk {

class CDbSession;

// The rights column a navigation tree is filled by: "auth_0" (the navigation tree) or
// "auth1_0" (the favourites, which must also be in auth_0).
enum class NavigationColumn { Rights, Favourites };

// The menu query of a tree for a user, in the dialect of dbKind. The file database dialect
// reads the user's lists first, through `session`.
QString NavigationQuery(CDbSession& session, const QString& dbKind, const QString& userid,
                        NavigationColumn column);

// Rebuilds `tree` from c_menu_dh for the user: items under their parents (an item whose
// parent is not in the result is a root), text name_0, data uid_0 (Qt::UserRole, int), the
// image of order_0 and leaf_0 from `images`. `session` must be open.
void FillNavigationTree(QTreeWidget& tree, CDbSession& session, const QString& dbKind,
                        const QString& userid, NavigationColumn column, const QList<QIcon>& images);

// The item whose data is `uid`, searched depth first from the first root; null for none.
QTreeWidgetItem* FindNavigationItem(QTreeWidget& tree, int uid);

// The image index an item of the tree was given (its data role Qt::UserRole + 1).
int NavigationItemImage(const QTreeWidgetItem& item);

// The favourites list after adding uid (an entry already there moves to the end).
QString AddToFavourites(const QString& list, const QString& uid);
// The favourites list without uid.
QString RemoveFromFavourites(const QString& list, const QString& uid);

} // namespace zk
