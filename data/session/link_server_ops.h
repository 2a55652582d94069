#pragma once

#include "data/link/server_link.h"
#include "data/session/server_ops.h"

namespace zk {

// The server mode of a session: every operation goes over the session's own link as the
// request of its code, and the reply is judged as the session's rules say. A refusal of
// the server carries the text that the server's direct session wrote, so a failure reads
// the same in both modes: where the operation appends its message (IsFind, QueryPage and
// the recordset operations) the server's text is appended, where it sets one and the
// server mode has no text of its own (Exists, ReadBinary) it is set. Every failure also
// leaves the link's reason (the server's text or the transport message) in errorDetail.
class LinkServerOps final : public ServerOps {
public:
    // The link starts pointed at the application's server (CurrentServerContext).
    LinkServerOps();

    CServerLink& link() { return link_; }

    void UseServer(CDbSession& session) override;
    void ConfigureServer(CDbSession& session) override;

    bool Open(CDbSession& session) override;
    void Close(CDbSession& session) override;
    bool IsOpen(const CDbSession& session) const override;
    QString GetDbType(CDbSession& session) override;

    bool Execute(CDbSession& session, const QString& sql) override;
    bool Exists(CDbSession& session, const QString& sql) override;
    bool IsFind(CDbSession& session, const QString& sql, QString& value) override;
    int IsFind2(CDbSession& session, const QString& sql, QString& value) override;
    int QueryList(CDbSession& session, const QString& sql, QStringList& list) override;
    bool QueryFields(CDbSession& session, const QString& sql, const QStringList& names,
                     QStringList& list) override;
    bool QueryTable(CDbSession& session, const QString& sql, QStringList& names,
                    QStringList& values) override;
    bool QueryPage(CDbSession& session, const QString& select, const QString& condition,
                   int pageSize, int pageNumber, const QString& order, QStringList& names,
                   QStringList& values, int& total, int& pageCount) override;
    bool ReadBinary(CDbSession& session, const QString& sql, const QStringList& names,
                    QList<QByteArray>& buffers) override;
    bool InsertRecord(CDbSession& session, const QString& sql, const QStringList& names,
                      const QStringList& values) override;
    int InsertUidRecord(CDbSession& session, QString& id, const QString& sql,
                        const QStringList& names, const QStringList& values) override;
    bool Update(CDbSession& session, const QString& sql, const QStringList& names,
                const QStringList& values) override;
    bool UpdateBinaryRecord(CDbSession& session, const QString& sql, const QStringList& names,
                            const QList<QByteArray>& buffers) override;

    bool BeginTrans(CDbSession& session) override;
    bool CommitTrans(CDbSession& session) override;
    bool RollbackTrans(CDbSession& session) override;

    QString GetClientIp(CDbSession& session) override;
    QString CallServer(CDbSession& session, const QString& text) override;

private:
    void PointAt(const QString& host, int port);
    bool Refused(CDbSession& session) const;
    bool AppendReason(CDbSession& session) const;
    bool SetReason(CDbSession& session) const;

    // IsOpen looks at the socket, which closes it when the peer has gone.
    mutable CServerLink link_;
};

// The link of a session in server mode (for pointing it at an address of its own, and for
// the file store operations); null when the session has another server implementation.
CServerLink* ServerLinkOf(CDbSession& session);

} // namespace zk
