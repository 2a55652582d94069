-- The system tables of a company database, PostgreSQL.
-- Identity keys are serial columns, so that explicit values (the menu synchronisation
-- copies rows with their uids) are accepted; the session moves a sequence past explicit
-- values after such an INSERT. Names are unquoted: PostgreSQL folds them to
-- lower case and the session matches them without case. Times are local timestamps.
-- Statements end with a semicolon at the end of a line; lines starting with two dashes are
-- comments.

CREATE TABLE c_user (
    uid_0 serial PRIMARY KEY,
    id_0 varchar(50) NOT NULL UNIQUE,
    name_0 varchar(50) NOT NULL DEFAULT '',
    pass_0 varchar(50) NOT NULL DEFAULT '',
    state_0 varchar(20) NOT NULL DEFAULT '正常',
    user_group_uid_0 integer,
    auth_0 text NOT NULL DEFAULT '',
    auth1_0 text NOT NULL DEFAULT '',
    loginTime_0 timestamp(0),
    create_time_0 timestamp(0) DEFAULT LOCALTIMESTAMP(0)
);

CREATE VIEW view_c_user AS
    SELECT uid_0, id_0, name_0, pass_0, state_0, user_group_uid_0, auth_0, auth1_0, loginTime_0
    FROM c_user;

CREATE TABLE log_client_login (
    uid_0 serial PRIMARY KEY,
    user_uid_0 integer,
    name_0 varchar(50),
    ip_0 varchar(50),
    time_0 timestamp(0),
    cpt_name_0 varchar(100),
    mac_0 varchar(50),
    ip_1 varchar(50)
);

CREATE TABLE c_menu_dh (
    uid_0 serial PRIMARY KEY,
    pUid_0 integer NOT NULL DEFAULT 0,
    level_0 integer NOT NULL DEFAULT 0,
    leaf_0 integer NOT NULL DEFAULT 0,
    order_0 integer NOT NULL DEFAULT 0,
    name_0 varchar(100) NOT NULL DEFAULT '',
    form_0 bytea,
    update_user_uid_0 integer,
    update_time_0 timestamp(0)
);

CREATE TABLE c_menu_dh_m (
    uid_0 serial PRIMARY KEY,
    name_0 varchar(100) NOT NULL DEFAULT '',
    form_0 bytea,
    update_user_uid_0 integer,
    update_time_0 timestamp(0)
);

CREATE TABLE c_menu_dh_down (
    uid_0 integer PRIMARY KEY,
    pUid_0 integer NOT NULL DEFAULT 0,
    level_0 integer NOT NULL DEFAULT 0,
    leaf_0 integer NOT NULL DEFAULT 0,
    order_0 integer NOT NULL DEFAULT 0,
    name_0 varchar(100) NOT NULL DEFAULT '',
    form_0 bytea,
    update_user_uid_0 integer,
    update_time_0 timestamp(0)
);

CREATE TABLE c_menu_button (
    uid_0 serial PRIMARY KEY,
    menu_uid_0 integer NOT NULL,
    button_id_0 integer NOT NULL,
    value_0 varchar(100) NOT NULL DEFAULT '',
    sta_0 integer NOT NULL DEFAULT 0
);

CREATE INDEX ix_c_menu_button_menu ON c_menu_button (menu_uid_0, button_id_0);

CREATE TABLE c_menu_button_down (
    uid_0 integer PRIMARY KEY,
    menu_uid_0 integer NOT NULL,
    button_id_0 integer NOT NULL,
    value_0 varchar(100) NOT NULL DEFAULT '',
    sta_0 integer NOT NULL DEFAULT 0
);

CREATE TABLE c_menu_button_group (
    uid_0 serial PRIMARY KEY,
    menu_button_uid_0 integer NOT NULL,
    group_uid_0 integer NOT NULL,
    sta_0 integer NOT NULL DEFAULT 0
);

CREATE INDEX ix_c_menu_button_group_button ON c_menu_button_group (menu_button_uid_0, group_uid_0);

CREATE TABLE log_dh_open (
    uid_0 serial PRIMARY KEY,
    menu_uid_0 integer,
    open_user_uid_0 integer,
    menu_name_0 varchar(200),
    open_user_id_0 varchar(50),
    control_id_0 integer,
    open_time_0 timestamp(0) DEFAULT LOCALTIMESTAMP(0)
);

CREATE TABLE c_app (
    uid_0 integer PRIMARY KEY,
    appName_0 varchar(100) NOT NULL DEFAULT '',
    company_0 varchar(200) NOT NULL DEFAULT '',
    app_0 varchar(50) NOT NULL DEFAULT '',
    ver_0 varchar(50) NOT NULL DEFAULT '',
    ver_1 varchar(50) NOT NULL DEFAULT '',
    exe_0 bytea,
    date_exe_0 varchar(50),
    date_up_0 timestamp(0),
    userCount_0 varchar(50) NOT NULL DEFAULT '0'
);
