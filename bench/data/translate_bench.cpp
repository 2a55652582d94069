// Mean time of TranslateSql (SQLite target) over the statements the program itself sends.
#include "bench/harness/bench_harness.h"
#include "data/sql/sql_translate.h"

#include <QStringList>

namespace {

QStringList ProgramStatements()
{
    const QString loginRecord =
        "INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) ";
    return {
        "SELECT id_0 FROM c_user WHERE state_0='正常' ORDER BY id_0",
        "SELECT A.uid_0,A.auth_0,A.name_0,A.pass_0,B.user_group_uid_0 FROM view_c_user A LEFT JOIN "
        "c_user B ON "
        "A.uid_0=B.uid_0 WHERE  A.state_0='正常' AND  A.id_0='admin' AND "
        "A.pass_0='e10adc3949ba59abbe56e057f20f883e'",
        "UPDATE c_user SET loginTime_0=getdate() WHERE uid_0=5",
        "UPDATE c_user SET loginTime_0=date() WHERE uid_0=5",
        loginRecord + QString(9, u'\t') +
            "select top 1 5 as user_uid_0,'admin' as name_0,'192.168.1.20' as ip_0,getdate() as  "
            "time_0,'PC-01' as "
            "cpt_name_0,'00-1A-2B-3C-4D-5E' as mac_0,'10.0.0.2' AS ip_1 ",
        loginRecord + QString(7, u'\t') +
            "select top 1 0 as user_uid_0,'admin' as name_0,'192.168.1.20' as ip_0,now() as  "
            "time_0,'PC-01' as "
            "cpt_name_0,'00-1A-2B-3C-4D-5E' as mac_0,'' AS ip_1",
        "SELECT appName_0 FROM c_app WHERE uid_0=1",
        "SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh \t\twhere "
        "CHARINDEX(','+rtrim(uid_0)+',' ,(select "
        "N','+auth_0+N','  from view_c_user where uid_0=5))>0 \t\tAND "
        "CHARINDEX(','+rtrim(uid_0)+',' ,(select "
        "N','+auth1_0+N','  from view_c_user where uid_0=5))>0 \t\torder by "
        "level_0,pUid_0,order_0,uid_0",
        "SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh \t\t\twhere "
        "InStr((',1,2,3,'),(','+CStr(uid_0)+','))>0 "
        "\t\t\tAND InStr((',2,'),(','+CStr(uid_0)+','))>0 \t\t\torder by "
        "level_0,pUid_0,order_0,uid_0",
        "SELECT form_0 FROM c_menu_dh WHERE leaf_0=1 AND uid_0=12",
        "UPDATE c_user SET auth1_0=',3,12,' WHERE uid_0=5",
        "INSERT INTO log_dh_open(menu_uid_0,open_user_uid_0,menu_name_0,open_user_id_0) "
        "values(12,5,'入库单','admin')",
        "SELECT B.button_id_0,A.sta_0 FROM c_menu_button_group A LEFT JOIN c_menu_button B ON "
        "A.menu_button_uid_0=B.uid_0 "
        "WHERE B.menu_uid_0=12 AND A.group_uid_0=(SELECT user_group_uid_0 FROM c_user WHERE "
        "uid_0=5)",
        "SELECT c_menu_button.menu_uid_0, c_menu_button.button_id_0, "
        "c_menu_button_group.menu_button_uid_0, "
        "c_menu_button_group.group_uid_0, c_menu_button.sta_0, c_menu_button_group.sta_0, "
        "c_user.uid_0 FROM "
        "(c_menu_button LEFT JOIN c_menu_button_group ON c_menu_button.uid_0 = "
        "c_menu_button_group.menu_button_uid_0) "
        "LEFT JOIN c_user ON c_menu_button_group.group_uid_0 = c_user.user_group_uid_0 WHERE "
        "c_menu_button.menu_uid_0=012 AND c_menu_button.button_id_0=3 AND c_user.uid_0=5 AND "
        "(c_menu_button_group.sta_0<0 OR (c_menu_button.sta_0<0 AND c_menu_button_group.sta_0=0))",
        "SELECT count(1) as zk_counts FROM (SELECT uid_0,code_0,name_0 FROM c_goods  WHERE "
        "qty_0>0) AS TABLE_A",
        "SELECT * FROM ( SELECT Top 5 * FROM (SELECT Top 25 * FROM (SELECT uid_0,code_0,name_0 "
        "FROM c_goods  WHERE "
        "qty_0>0) AS TABLE_A ORDER By uid_0 ASC ) DERIVEDTBL Order By uid_0 DESC ) DERIVEDTBL "
        "Order By uid_0 ASC",
        "SELECT @@IDENTITY AS z_uid",
        "INSERT INTO  "
        "c_file(puid_0,name_0,format_0,size_0,up_date_0,create_user_uid_0,up_user_uid_0) "
        "VALUES(3,'图纸','pdf',12.50,now(),5,5)",
        "UPDATE c_file SET "
        "name_0='图纸',format_0='pdf',size_0=12.50,up_user_uid_0=5,up_date_0=now() WHERE uid_0=7",
        "SELECT app_0 FROM c_app WHERE uid_0=1",
        "SELECT uid_0,level_0,leaf_0,order_0,pUid_0,name_0,update_user_uid_0,update_time_0  FROM "
        "c_menu_dh order by "
        "uid_0",
        "TRUNCATE TABLE c_menu_button_down",
        "SELECT uid_0,menu_uid_0,button_id_0,value_0  FROM c_menu_button_down where uid_0<0",
        "UPDATE c_menu_dh_down,c_menu_dh B SET c_menu_dh_down.form_0=B.form_0 WHERE "
        "c_menu_dh_down.uid_0=B.uid_0 AND "
        "c_menu_dh_down.form_0 IS NULL AND B.form_0 IS NOT NULL;",
        "INSERT INTO "
        "c_menu_dh(uid_0,level_0,leaf_0,order_0,pUid_0,name_0,form_0,update_user_uid_0,update_time_"
        "0)SELECT "
        "uid_0,level_0,leaf_0,order_0,pUid_0,name_0,form_0,update_user_uid_0,update_time_0  FROM  "
        "c_menu_dh_down "
        "ORDER BY uid_0;",
        "update c_menu_button_down set sta_0=B.sta_0 FROM c_menu_button B where "
        "c_menu_button_down.uid_0=B.uid_0 "
        "TRUNCATE TABLE c_menu_button",
        "SET IDENTITY_INSERT c_menu_dh ON",
        "UPDATE c_app SET ver_1=N'2024.05' WHERE uid_0=1",
        "SELECT ver_0 FROM c_app where uid_0=1",
        "UPDATE c_app SET ver_0='1.0.0.2',date_exe_0='2024-05-01 10:00:00',date_up_0=getdate() "
        "where uid_0=1",
    };
}

} // namespace

int main()
{
    const QStringList statements = ProgramStatements();
    qsizetype sink = 0;
    const double seconds = zk::bench::SecondsPerCall([&] {
        for (const QString& s : statements)
            sink += zk::sql::TranslateSql(s, zk::sql::Dialect::SQLite).size();
    });
    zk::bench::Report("translate_us", seconds * 1e6 / static_cast<double>(statements.size()),
                      "<=20");
    return sink > 0 ? 0 : 1;
}
