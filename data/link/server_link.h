#pragma once

#include "data/link/link_frame.h"
#include "data/link/link_protocol.h"
#include "data/link/zk_socket.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace zk {

// The client end of one session's connection to zk_server. It logs in with the
// handshake token of the application and then carries the session's operations as
// numbered requests. One thread uses a link at a time.
//
// Results follow the request table of the protocol: operations give false, -1 or
// the text "0" on failure, and leave the reason in lastError (the server's own text
// for a negative status, "网络错误!" or "不能连接服务器,请检查网络或者服务器!" when the
// transport failed). A failed transport also closes the socket, so the link is then
// no longer logged in and its owner re-opens it before the next use.
class CServerLink {
public:
    static inline const QString& GS = link::GS;
    static inline const QString& RS = link::RS;

    CZkSocket socket; // its loggedIn and connected flags are the link's state
    QString host;
    int port = 0;
    QString lastError;
    // Status of the last reply (-2 when its transport failed).
    int lastStatus = -1;

    void SetServer(const QString& serverHost, int serverPort);
    // The session token (the application's init_reply) that Open logs in with.
    void SetToken(const QString& token) { token_ = token; }

    // Connects when needed, then logs in (request 102 with the token, then "Open").
    // True when logged in; any failure closes the socket.
    bool Open();
    // "Close" when logged in, then closes the socket whatever the answer.
    void Close();
    // Logged in and connected; a peer that has gone since the last request is noticed
    // here.
    bool IsLoggedIn();

    // The database type digit; "0" when the request fails.
    QString GetDbType();
    bool Execute(const QString& sql);
    bool Exists(const QString& sql);
    // 1 found (value = first value), 0 not found (value empty), -1 error.
    int IsFind(const QString& sql, QString& value);
    // The list is cleared; 1 with every value, 0 for no rows, -1 on error.
    int QueryList(const QString& sql, QStringList& values);
    // The list is cleared, then the named fields of every row.
    bool QueryFields(const QString& sql, const QStringList& names, QStringList& values);
    // Column names and every value are appended to the lists.
    bool QueryTable(const QString& sql, QStringList& names, QStringList& values);
    bool QueryPage(const QString& select, const QString& condition, int pageSize, int pageNumber,
                   const QString& order, QStringList& names, QStringList& values, int& total,
                   int& pageCount);
    // The binary content of the first named field.
    bool ReadBinary(const QString& sql, const QString& firstName, QByteArray& data);
    bool InsertRecord(const QString& sql, const QStringList& names, const QStringList& values);
    bool InsertUidRecord(QString& id, const QString& sql, const QStringList& names,
                         const QStringList& values);
    bool Update(const QString& sql, const QStringList& names, const QStringList& values);
    bool UpdateBinaryRecord(const QString& sql, const QString& firstName, const QByteArray& data);
    // Sent without judging the answer; true when the server accepted it.
    bool BeginTrans();
    bool CommitTrans();
    bool RollbackTrans();
    // Request 100: the server's answer, or "0" when it fails.
    QString CallServer(const QString& text);

    // The file store of the server, keyed by table, record id and format.
    bool Upload(const QString& table, const QString& recordId, const QString& format,
                const QByteArray& bytes);
    // Stores the file as ProgramFolder() + "temp/" + fileName + "." + format and gives
    // its full path.
    bool Download(const QString& table, const QString& recordId, const QString& format,
                  const QString& fileName, QString& localPath);
    bool Delete(const QString& table, const QString& recordId, const QString& format);

private:
    enum class Check { Common, Connection, None };

    int Request(qint32 code, const QString& text, Check check, ServerReply& reply,
                const QByteArray& binary = {});
    bool Transaction(const QString& text);
    QString FileRequest(const QString& verb, const QString& table, const QString& recordId,
                        const QString& format) const;
    bool SplitGroups(const QString& text, int count, QList<QStringView>& groups);

    QString token_;
};

} // namespace zk
