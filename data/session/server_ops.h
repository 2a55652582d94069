#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace zk {

class CDbSession;

// The server mode of a CDbSession: one operation per session operation, carried over the
// server link as a numbered request. The session calls these while its `useServer` flag is
// set and passes itself, so that an implementation writes the session's `errorText`,
// `lastState` and `dbType` exactly as the direct operations do. RunScript and RunScriptAll
// need no entry: they run through Execute in both modes.
//
// A session without an implementation (the default) fails every server-mode operation with
// the errorText "服务端故障".
class ServerOps {
public:
    virtual ~ServerOps() = default;

    // Points the link at the application's server address and port.
    virtual void UseServer(CDbSession& session) = 0;
    // Reads the server address and port from cfg.ini and points the link at them.
    virtual void ConfigureServer(CDbSession& session) = 0;

    virtual bool Open(CDbSession& session) = 0;
    virtual void Close(CDbSession& session) = 0;
    virtual bool IsOpen(const CDbSession& session) const = 0;
    virtual QString GetDbType(CDbSession& session) = 0;

    virtual bool Execute(CDbSession& session, const QString& sql) = 0;
    virtual bool Exists(CDbSession& session, const QString& sql) = 0;
    virtual bool IsFind(CDbSession& session, const QString& sql, QString& value) = 0;
    virtual int IsFind2(CDbSession& session, const QString& sql, QString& value) = 0;
    virtual int QueryList(CDbSession& session, const QString& sql, QStringList& list) = 0;
    virtual bool QueryFields(CDbSession& session, const QString& sql, const QStringList& names,
                             QStringList& list) = 0;
    virtual bool QueryTable(CDbSession& session, const QString& sql, QStringList& names,
                            QStringList& values) = 0;
    virtual bool QueryPage(CDbSession& session, const QString& select, const QString& condition,
                           int pageSize, int pageNumber, const QString& order, QStringList& names,
                           QStringList& values, int& total, int& pageCount) = 0;
    virtual bool ReadBinary(CDbSession& session, const QString& sql, const QStringList& names,
                            QList<QByteArray>& buffers) = 0;
    virtual bool InsertRecord(CDbSession& session, const QString& sql, const QStringList& names,
                              const QStringList& values) = 0;
    virtual int InsertUidRecord(CDbSession& session, QString& id, const QString& sql,
                                const QStringList& names, const QStringList& values) = 0;
    virtual bool Update(CDbSession& session, const QString& sql, const QStringList& names,
                        const QStringList& values) = 0;
    virtual bool UpdateBinaryRecord(CDbSession& session, const QString& sql,
                                    const QStringList& names, const QList<QByteArray>& buffers) = 0;

    virtual bool BeginTrans(CDbSession& session) = 0;
    virtual bool CommitTrans(CDbSession& session) = 0;
    virtual bool RollbackTrans(CDbSession& session) = 0;

    virtual QString GetClientIp(CDbSession& session) = 0;
    virtual QString CallServer(CDbSession& session, const QString& text) = 0;
};

} // namespace zk
