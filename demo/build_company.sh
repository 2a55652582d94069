#!/usr/bin/env bash
# Builds the demo trading company from the files of this folder with zk_admin:
#   demo/build_company.sh BIN_DIR HOME_DIR
# HOME_DIR gets company.db (SQLite: system tables, business tables and data, users, rights,
# favourites, menus and their forms). An existing company.db is replaced.
set -euo pipefail
BIN=$(cd "$1" && pwd)
HOME_DIR=$(mkdir -p "$2" && cd "$2" && pwd)
DEMO=$(cd "$(dirname "$0")" && pwd)
DB="$HOME_DIR/company.db"
rm -f "$DB" "$DB-wal" "$DB-shm"
admin() { "$BIN/zk_admin" --db "Provider=SQLite;Data Source=$DB" "$@"; }

# Every form must lint clean before it goes in.
for form in "$DEMO"/forms/*.xml; do
  "$BIN/zk_admin" form lint "$form"
done

admin init --company "示范贸易有限公司" --admin-password 123456 >/dev/null
# Comment lines go: the script runner skips a piece that starts with "--".
admin exec "$(grep -v '^--' "$DEMO/schema.sql")" >/dev/null
admin exec "UPDATE c_app SET appName_0='Zk_ERP 进销存' WHERE uid_0=1" >/dev/null

while IFS=$'\t' read -r uid parent level leaf order name file; do
  case "$uid" in ''|'#'*) continue ;; esac
  if [ "$file" = "-" ]; then
    admin exec "INSERT INTO c_menu_dh(uid_0,pUid_0,level_0,leaf_0,order_0,name_0) VALUES($uid,$parent,$level,$leaf,$order,'$name')" >/dev/null
  else
    admin form import "$DEMO/forms/$file" --uid "$uid" --name "$name" --parent "$parent" \
      --leaf "$leaf" --order "$order" --level "$level" >/dev/null
  fi
done < "$DEMO/menu.txt"

# The graphic navigation is the form of menu item 91.
admin exec "UPDATE c_app SET userCount_0='91' WHERE uid_0=2" >/dev/null

# The administrator sees everything; his favourites are the daily work.
admin exec "UPDATE c_user SET auth_0='1,11,12,2,21,23,231,3,31,9,91,92', auth1_0='21,31' WHERE uid_0=1" >/dev/null
# A sales clerk (group 2): no system menus, and some buttons forbidden.
admin user add --id zhang --name "张店员" --password 123456 --group 2 \
  --auth "1,11,12,2,21,23,231,3,31" >/dev/null
admin exec "UPDATE c_user SET auth1_0='11,21' WHERE id_0='zhang'" >/dev/null
# Button rights: state -1 disables the button for the group, -2 also hides it.
admin exec "INSERT INTO c_menu_button(uid_0,menu_uid_0,button_id_0,value_0,sta_0) VALUES
 (1,21,30,'审核订单',0),(2,31,13,'盘点入库',0),(3,11,6,'停用客户',0);
INSERT INTO c_menu_button_group(menu_button_uid_0,group_uid_0,sta_0) VALUES
 (1,2,-1),(2,2,-2),(3,2,-1)" >/dev/null
echo "$DB"
