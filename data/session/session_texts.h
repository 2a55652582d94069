#pragma once

#include <QString>

namespace zk::texts {

// The messages a session leaves in errorText. Callers compare some of them and users read
// them, so they stay exactly as written.
inline const QString kNoError = QStringLiteral("未设置错误信息");
inline const QString kEmptyConnection = QStringLiteral("空连接字符串");
inline const QString kConnectFailed =
    QStringLiteral("连接服务器出错，请正确设置服务器，并确认网络正常");
inline const QString kConnectException =
    QStringLiteral("\n连接服务器异常，请正确设置服务器，并确认网络正常");
inline const QString kServerFault = QStringLiteral("服务端故障");
inline const QString kCloseFailed = QStringLiteral("关闭数据库连接出错");
inline const QString kExecuteFailed = QStringLiteral("执行操作出错");
inline const QString kExecuteFailedServer = QStringLiteral("执行操作出错:\n");
inline const QString kSelectFailed = QStringLiteral("\n执行SELECT出错");
inline const QString kIsFindFailed = QStringLiteral("\nIsFind出错:\n");
inline const QString kIsFind2Failed = QStringLiteral("IsFind2出错");
inline const QString kReadFailed = QStringLiteral("->取值出错");
inline const QString kSqlFailed = QStringLiteral("SQL出错");
inline const QString kQueryFieldsFailed = QStringLiteral("执行SQL出错");
inline const QString kSelectFailedServer = QStringLiteral("SELECT出错\n");
inline const QString kPageCountFailed = QStringLiteral("执行分页查询功能统计总数出错");
inline const QString kInsertRecordFailed = QStringLiteral("\nInsertRecord出错:\n");
inline const QString kInsertUidRecordFailed = QStringLiteral("\nInsertUidRecord出错:\n");
inline const QString kUpdateFailed = QStringLiteral("\nUpdate出错:\n");
inline const QString kUpdateBinaryFailed = QStringLiteral("\nUpdateBinaryRecord出错:\n");
inline const QString kCountMismatch = QStringLiteral("字段和值不对应，不能添加");
inline const QString kJetRefused = QStringLiteral("不支持Access数据库文件，请用 zk_admin 导入");

// errorDetail texts of failures the engines do not describe themselves.
inline const QString kNotConnected = QStringLiteral("数据库连接未打开");
inline const QString kNoResultSet = QStringLiteral("语句没有返回记录集");
inline const QString kNoSuchField = QStringLiteral("记录集中没有字段 ");
inline const QString kNoRowToWrite = QStringLiteral("没有找到要写入的记录");
inline const QString kNoTable = QStringLiteral("语句中找不到表名");
inline const QString kUnsupportedConnection = QStringLiteral("不支持的连接字符串");
inline const QString kMissingFile = QStringLiteral("数据库文件不存在: ");
inline const QString kNotSqliteFile = QStringLiteral("不是数据库文件: ");

} // namespace zk::texts
