-- The system tables of a company database, SQLite.
-- Identity keys are INTEGER PRIMARY KEY AUTOINCREMENT: explicit values are accepted and a
-- number is never handed out twice. Times are local YYYY-MM-DD HH:MM:SS texts.
-- Statements end with a semicolon at the end of a line; lines starting with two dashes are
-- comments.

CREATE TABLE c_user (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    id_0 NVARCHAR(50) NOT NULL UNIQUE,
    name_0 NVARCHAR(50) NOT NULL DEFAULT '',
    pass_0 NVARCHAR(50) NOT NULL DEFAULT '',
    state_0 NVARCHAR(20) NOT NULL DEFAULT '正常',
    user_group_uid_0 INTEGER,
    auth_0 TEXT NOT NULL DEFAULT '',
    auth1_0 TEXT NOT NULL DEFAULT '',
    loginTime_0 DATETIME,
    create_time_0 DATETIME DEFAULT (datetime('now', 'localtime'))
);

CREATE VIEW view_c_user AS
    SELECT uid_0, id_0, name_0, pass_0, state_0, user_group_uid_0, auth_0, auth1_0, loginTime_0
    FROM c_user;

CREATE TABLE log_client_login (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    user_uid_0 INTEGER,
    name_0 NVARCHAR(50),
    ip_0 NVARCHAR(50),
    time_0 DATETIME,
    cpt_name_0 NVARCHAR(100),
    mac_0 NVARCHAR(50),
    ip_1 NVARCHAR(50)
);

CREATE TABLE c_menu_dh (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    pUid_0 INTEGER NOT NULL DEFAULT 0,
    level_0 INTEGER NOT NULL DEFAULT 0,
    leaf_0 INTEGER NOT NULL DEFAULT 0,
    order_0 INTEGER NOT NULL DEFAULT 0,
    name_0 NVARCHAR(100) NOT NULL DEFAULT '',
    form_0 BLOB,
    update_user_uid_0 INTEGER,
    update_time_0 DATETIME
);

CREATE TABLE c_menu_dh_m (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    name_0 NVARCHAR(100) NOT NULL DEFAULT '',
    form_0 BLOB,
    update_user_uid_0 INTEGER,
    update_time_0 DATETIME
);

CREATE TABLE c_menu_dh_down (
    uid_0 INTEGER PRIMARY KEY,
    pUid_0 INTEGER NOT NULL DEFAULT 0,
    level_0 INTEGER NOT NULL DEFAULT 0,
    leaf_0 INTEGER NOT NULL DEFAULT 0,
    order_0 INTEGER NOT NULL DEFAULT 0,
    name_0 NVARCHAR(100) NOT NULL DEFAULT '',
    form_0 BLOB,
    update_user_uid_0 INTEGER,
    update_time_0 DATETIME
);

CREATE TABLE c_menu_button (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    menu_uid_0 INTEGER NOT NULL,
    button_id_0 INTEGER NOT NULL,
    value_0 NVARCHAR(100) NOT NULL DEFAULT '',
    sta_0 INTEGER NOT NULL DEFAULT 0
);

CREATE INDEX ix_c_menu_button_menu ON c_menu_button (menu_uid_0, button_id_0);

CREATE TABLE c_menu_button_down (
    uid_0 INTEGER PRIMARY KEY,
    menu_uid_0 INTEGER NOT NULL,
    button_id_0 INTEGER NOT NULL,
    value_0 NVARCHAR(100) NOT NULL DEFAULT '',
    sta_0 INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE c_menu_button_group (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    menu_button_uid_0 INTEGER NOT NULL,
    group_uid_0 INTEGER NOT NULL,
    sta_0 INTEGER NOT NULL DEFAULT 0
);

CREATE INDEX ix_c_menu_button_group_button ON c_menu_button_group (menu_button_uid_0, group_uid_0);

CREATE TABLE log_dh_open (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    menu_uid_0 INTEGER,
    open_user_uid_0 INTEGER,
    menu_name_0 NVARCHAR(200),
    open_user_id_0 NVARCHAR(50),
    control_id_0 INTEGER,
    open_time_0 DATETIME DEFAULT (datetime('now', 'localtime'))
);

CREATE TABLE c_app (
    uid_0 INTEGER PRIMARY KEY,
    appName_0 NVARCHAR(100) NOT NULL DEFAULT '',
    company_0 NVARCHAR(200) NOT NULL DEFAULT '',
    app_0 NVARCHAR(50) NOT NULL DEFAULT '',
    ver_0 NVARCHAR(50) NOT NULL DEFAULT '',
    ver_1 NVARCHAR(50) NOT NULL DEFAULT '',
    exe_0 BLOB,
    date_exe_0 NVARCHAR(50),
    date_up_0 DATETIME,
    userCount_0 NVARCHAR(50) NOT NULL DEFAULT '0'
);
