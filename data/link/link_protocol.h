#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>

namespace zk::link {

// The framed request protocol between the client and zk_server. Every frame starts
// with four little-endian 32-bit signed words:
//   request: 1, request code, text bytes, text bytes + binary bytes
//   reply:   1, status, text bytes (0: the whole payload is text), payload bytes
// After a request header the server answers the three bytes "ok\0"; then the client
// sends the payload (GB18030 text, then the binary part) and reads one reply frame.

constexpr qint32 kFrameMagic = 1;
constexpr int kHeaderBytes = 16;
constexpr char kAcknowledge[3] = {'o', 'k', '\0'};

// The request codes.
enum RequestCode : qint32 {
    kCommand = 1, // "Open", "Close", "Type", transactions, or a statement to execute
    kExists = 2,
    kIsFind = 3,
    kQueryList = 4,
    kQueryFields = 5,
    kQueryTable = 6,
    kQueryPage = 8,
    kReadBinary = 9,
    kInsertRecord = 10,
    kInsertUidRecord = 11,
    kUpdate = 12,
    kUpdateBinary = 13,
    kCallServer = 100,
    kInit = 101,
    kLogin = 102,
    kFile = 104,
};

// Separates the fields of a group, and the groups of a text.
inline const QString GS = QString(QChar(0x1D));
inline const QString RS = QString(QChar(0x1E));

// The texts of request 1 that are not statements.
inline const QString kOpenText = QStringLiteral("Open");
inline const QString kCloseText = QStringLiteral("Close");
inline const QString kTypeText = QStringLiteral("Type");
inline const QString kBeginTransText = QStringLiteral("BeginTrans");
inline const QString kCommitTransText = QStringLiteral("CommitTrans");
inline const QString kRollbackTransText = QStringLiteral("RollbackTrans");
inline const QString kInitPrefix = QStringLiteral("Init");
inline const QString kGetIpText = QStringLiteral("GetIP");

// The verbs of request 104.
inline const QString kUploadVerb = QStringLiteral("upload");
inline const QString kDownloadVerb = QStringLiteral("download");
inline const QString kDeleteVerb = QStringLiteral("delete");

// Reply text of request 104 for a file the store does not hold.
inline const QString kNoSuchFile = QStringLiteral("文件不存在");

// Messages the client leaves in lastError.
inline const QString kNetworkError = QStringLiteral("网络错误!");
inline const QString kCannotConnect = QStringLiteral("不能连接服务器,请检查网络或者服务器!");
inline const QString kBadResultFormat = QStringLiteral("结果数据格式异常!");

} // namespace zk::link
