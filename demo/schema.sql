-- The business tables of the demo trading company and their first data (SQLite).
-- Run by zk_admin exec after zk_admin init made the system tables: one statement a piece,
-- separated by semicolons (none inside the texts).

CREATE TABLE c_region (uid_0 INTEGER PRIMARY KEY, name_0 NVARCHAR(20) NOT NULL);
INSERT INTO c_region VALUES (1,'华东'),(2,'华南'),(3,'华北'),(4,'西南');

CREATE TABLE c_customer (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    code_0 NVARCHAR(20) NOT NULL,
    name_0 NVARCHAR(100) NOT NULL,
    region_0 NVARCHAR(20) NOT NULL DEFAULT '',
    contact_0 NVARCHAR(50) NOT NULL DEFAULT '',
    phone_0 NVARCHAR(30) NOT NULL DEFAULT '',
    credit_1 REAL NOT NULL DEFAULT 0,
    active_0 INTEGER NOT NULL DEFAULT 1
);
INSERT INTO c_customer (code_0,name_0,region_0,contact_0,phone_0,credit_1) VALUES
 ('C001','上海华东贸易有限公司','华东','李明','021-62345678',200000),
 ('C002','杭州西湖商贸有限公司','华东','王芳','0571-87654321',80000),
 ('C003','南京金陵五金城','华东','赵强','025-84561234',50000),
 ('C004','广州天河电子商行','华南','陈静','020-38765432',120000),
 ('C005','深圳南山科技有限公司','华南','刘洋','0755-26543210',300000),
 ('C006','厦门鹭岛建材有限公司','华南','林海','0592-5123456',60000),
 ('C007','北京朝阳办公用品公司','华北','张伟','010-65432109',150000),
 ('C008','天津滨海物流有限公司','华北','孙丽','022-25678901',90000),
 ('C009','石家庄众诚商贸','华北','周杰','0311-86543210',40000),
 ('C010','成都锦江百货','西南','吴敏','028-86123456',70000),
 ('C011','重庆渝中机电有限公司','西南','郑涛','023-63456789',110000),
 ('C012','昆明春城商贸有限公司','西南','何平','0871-63123456',30000);

CREATE TABLE c_material_class (uid_0 INTEGER PRIMARY KEY, pUid_0 INTEGER NOT NULL, name_0 NVARCHAR(50) NOT NULL);
INSERT INTO c_material_class VALUES (1,0,'五金'),(2,1,'紧固件'),(3,1,'工具'),(4,0,'电子'),(5,4,'线材'),(6,4,'元件'),(7,0,'办公');

CREATE TABLE c_material (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    code_0 NVARCHAR(20) NOT NULL,
    name_0 NVARCHAR(100) NOT NULL,
    class_uid_0 INTEGER NOT NULL,
    spec_0 NVARCHAR(50) NOT NULL DEFAULT '',
    unit_0 NVARCHAR(10) NOT NULL DEFAULT '件',
    price_1 REAL NOT NULL DEFAULT 0
);
INSERT INTO c_material (code_0,name_0,class_uid_0,spec_0,unit_0,price_1) VALUES
 ('M001','六角螺栓',2,'M8x30','盒',35.5),
 ('M002','六角螺母',2,'M8','盒',12),
 ('M003','平垫圈',2,'8mm','盒',6.8),
 ('M004','十字螺丝刀',3,'PH2x150','把',18),
 ('M005','活动扳手',3,'10寸','把',46),
 ('M006','超五类网线',5,'305米','箱',420),
 ('M007','电源线',5,'3x1.5平方','卷',260),
 ('M008','贴片电阻',6,'0805 10K','盘',25),
 ('M009','电解电容',6,'470uF 25V','包',32),
 ('M010','A4复印纸',7,'70克 500张','包',24.5),
 ('M011','中性笔',7,'0.5mm 黑色','盒',15),
 ('M012','文件夹',7,'A4 双夹','个',8.5);

CREATE TABLE p_sto (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    material_uid_0 INTEGER NOT NULL,
    store_0 NVARCHAR(20) NOT NULL,
    qty_1 REAL NOT NULL DEFAULT 0,
    update_time_0 DATETIME
);
INSERT INTO p_sto (material_uid_0,store_0,qty_1,update_time_0) VALUES
 (1,'总仓',120,'2026-11-02 09:00:00'),(2,'总仓',300,'2026-11-02 09:00:00'),
 (3,'总仓',540,'2026-11-02 09:00:00'),(4,'总仓',45,'2026-11-03 10:30:00'),
 (5,'一号门店',12,'2026-11-05 14:00:00'),(6,'总仓',8,'2026-11-06 08:45:00'),
 (7,'总仓',16,'2026-11-06 08:45:00'),(8,'一号门店',60,'2026-11-07 16:20:00'),
 (9,'一号门店',75,'2026-11-07 16:20:00'),(10,'二号门店',200,'2026-11-08 11:10:00'),
 (11,'二号门店',90,'2026-11-08 11:10:00'),(12,'二号门店',0,'2026-11-09 15:00:00');

CREATE TABLE c_sales_order (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    code_0 NVARCHAR(20) NOT NULL,
    customer_uid_0 INTEGER NOT NULL,
    date_0 NVARCHAR(10) NOT NULL,
    state_0 NVARCHAR(10) NOT NULL DEFAULT '草稿',
    amount_1 REAL NOT NULL DEFAULT 0,
    memo_0 NVARCHAR(200) NOT NULL DEFAULT ''
);
INSERT INTO c_sales_order (code_0,customer_uid_0,date_0,state_0,amount_1,memo_0) VALUES
 ('SO20261101',1,'2026-11-01','已审核',4790,'月初补货'),
 ('SO20261102',5,'2026-11-03','已审核',8420,''),
 ('SO20261103',7,'2026-11-05','草稿',1470,'加急'),
 ('SO20261104',4,'2026-11-12','草稿',2620,''),
 ('SO20261105',10,'2026-11-20','草稿',735,'门店自提');

CREATE TABLE c_sales_order_detail (
    uid_0 INTEGER PRIMARY KEY AUTOINCREMENT,
    order_uid_0 INTEGER NOT NULL,
    material_uid_0 INTEGER NOT NULL,
    qty_1 REAL NOT NULL,
    price_1 REAL NOT NULL,
    amount_1 REAL NOT NULL
);
INSERT INTO c_sales_order_detail (order_uid_0,material_uid_0,qty_1,price_1,amount_1) VALUES
 (1,1,100,35.5,3550),(1,2,100,12.4,1240),
 (2,6,20,421,8420),
 (3,10,60,24.5,1470),
 (4,7,10,262,2620),
 (5,11,49,15,735);
