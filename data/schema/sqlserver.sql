-- The system tables of a company database, SQL Server (T-SQL). Run it with sqlcmd or through
-- zk_admin init; each statement is its own batch (GO), as CREATE VIEW must be.
-- Statements end with a semicolon at the end of a line; lines starting with two dashes are
-- comments.

CREATE TABLE c_user (
    uid_0 int IDENTITY(1,1) PRIMARY KEY,
    id_0 nvarchar(50) NOT NULL UNIQUE,
    name_0 nvarchar(50) NOT NULL DEFAULT '',
    pass_0 nvarchar(50) NOT NULL DEFAULT '',
    state_0 nvarchar(20) NOT NULL DEFAULT N'正常',
    user_group_uid_0 int,
    auth_0 nvarchar(max) NOT NULL DEFAULT '',
    auth1_0 nvarchar(max) NOT NULL DEFAULT '',
    loginTime_0 datetime,
    create_time_0 datetime DEFAULT getdate()
);
GO

CREATE VIEW view_c_user AS
    SELECT uid_0, id_0, name_0, pass_0, state_0, user_group_uid_0, auth_0, auth1_0, loginTime_0
    FROM c_user;
GO

CREATE TABLE log_client_login (
    uid_0 int IDENTITY(1,1) PRIMARY KEY,
    user_uid_0 int,
    name_0 nvarchar(50),
    ip_0 nvarchar(50),
    time_0 datetime,
    cpt_name_0 nvarchar(100),
    mac_0 nvarchar(50),
    ip_1 nvarchar(50)
);
GO

CREATE TABLE c_menu_dh (
    uid_0 int IDENTITY(1,1) PRIMARY KEY,
    pUid_0 int NOT NULL DEFAULT 0,
    level_0 int NOT NULL DEFAULT 0,
    leaf_0 int NOT NULL DEFAULT 0,
    order_0 int NOT NULL DEFAULT 0,
    name_0 nvarchar(100) NOT NULL DEFAULT '',
    form_0 varbinary(max),
    update_user_uid_0 int,
    update_time_0 datetime
);
GO

CREATE TABLE c_menu_dh_m (
    uid_0 int IDENTITY(1,1) PRIMARY KEY,
    name_0 nvarchar(100) NOT NULL DEFAULT '',
    form_0 varbinary(max),
    update_user_uid_0 int,
    update_time_0 datetime
);
GO

CREATE TABLE c_menu_dh_down (
    uid_0 int PRIMARY KEY,
    pUid_0 int NOT NULL DEFAULT 0,
    level_0 int NOT NULL DEFAULT 0,
    leaf_0 int NOT NULL DEFAULT 0,
    order_0 int NOT NULL DEFAULT 0,
    name_0 nvarchar(100) NOT NULL DEFAULT '',
    form_0 varbinary(max),
    update_user_uid_0 int,
    update_time_0 datetime
);
GO

CREATE TABLE c_menu_button (
    uid_0 int IDENTITY(1,1) PRIMARY KEY,
    menu_uid_0 int NOT NULL,
    button_id_0 int NOT NULL,
    value_0 nvarchar(100) NOT NULL DEFAULT '',
    sta_0 int NOT NULL DEFAULT 0
);
GO

CREATE INDEX ix_c_menu_button_menu ON c_menu_button (menu_uid_0, button_id_0);
GO

CREATE TABLE c_menu_button_down (
    uid_0 int PRIMARY KEY,
    menu_uid_0 int NOT NULL,
    button_id_0 int NOT NULL,
    value_0 nvarchar(100) NOT NULL DEFAULT '',
    sta_0 int NOT NULL DEFAULT 0
);
GO

CREATE TABLE c_menu_button_group (
    uid_0 int IDENTITY(1,1) PRIMARY KEY,
    menu_button_uid_0 int NOT NULL,
    group_uid_0 int NOT NULL,
    sta_0 int NOT NULL DEFAULT 0
);
GO

CREATE INDEX ix_c_menu_button_group_button ON c_menu_button_group (menu_button_uid_0, group_uid_0);
GO

CREATE TABLE log_dh_open (
    uid_0 int IDENTITY(1,1) PRIMARY KEY,
    menu_uid_0 int,
    open_user_uid_0 int,
    menu_name_0 nvarchar(200),
    open_user_id_0 nvarchar(50),
    control_id_0 int,
    open_time_0 datetime DEFAULT getdate()
);
GO

CREATE TABLE c_app (
    uid_0 int PRIMARY KEY,
    appName_0 nvarchar(100) NOT NULL DEFAULT '',
    company_0 nvarchar(200) NOT NULL DEFAULT '',
    app_0 nvarchar(50) NOT NULL DEFAULT '',
    ver_0 nvarchar(50) NOT NULL DEFAULT '',
    ver_1 nvarchar(50) NOT NULL DEFAULT '',
    exe_0 varbinary(max),
    date_exe_0 nvarchar(50),
    date_up_0 datetime,
    userCount_0 nvarchar(50) NOT NULL DEFAULT '0'
);
GO
