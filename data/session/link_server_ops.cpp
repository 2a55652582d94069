#include "data/session/link_server_ops.h"

#include "data/link/server_address.h"
#include "data/link/server_context.h"
#include "data/session/db_session.h"
#include "data/session/session_texts.h"
#include "util/ini.h"
#include "util/numbers.h"

namespace zk {

namespace {

QString ServerSetting(const QString& key)
{
    return ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), key);
}

// The recordset operations check the pairing of names and values before anything goes
// out, with the texts and results of the direct mode.
bool PairsUp(CDbSession& session, qsizetype names, qsizetype values)
{
    if (names == values)
        return true;
    session.errorText = texts::kCountMismatch;
    return false;
}

} // namespace

LinkServerOps::LinkServerOps()
{
    const ServerContext context = CurrentServerContext();
    link_.SetServer(context.server_ip, context.server_port);
}

void LinkServerOps::PointAt(const QString& host, int port)
{
    // A connection to another server must not carry the session's next request.
    if ((host != link_.host || port != link_.port) && link_.socket.connected)
        link_.Close();
    link_.SetServer(host, port);
}

// The reason of the failure, for errorDetail; false when the server gave none (an
// operation that found nothing to do reports failure without an error text).
bool LinkServerOps::Refused(CDbSession& session) const
{
    if (link_.lastError.isEmpty())
        return false;
    session.errorDetail = link_.lastError;
    return true;
}

bool LinkServerOps::AppendReason(CDbSession& session) const
{
    if (!Refused(session))
        return false;
    session.errorText += link_.lastError;
    return true;
}

bool LinkServerOps::SetReason(CDbSession& session) const
{
    if (!Refused(session))
        return false;
    session.errorText = link_.lastError;
    return true;
}

void LinkServerOps::UseServer(CDbSession&)
{
    const ServerContext context = CurrentServerContext();
    PointAt(context.server_ip, context.server_port);
}

void LinkServerOps::ConfigureServer(CDbSession& session)
{
    QString address;
    if (!ResolveServerAddress(ServerSetting(QStringLiteral("IP")), address))
        return;
    session.useServer = true;
    PointAt(address, ToInt(ServerSetting(QStringLiteral("PORT"))));
}

bool LinkServerOps::Open(CDbSession& session)
{
    // The token of the latest handshake: the login repeats it, and the server may have
    // issued a new one since this session last logged in.
    link_.SetToken(CurrentServerContext().init_reply);
    if (link_.Open())
        return true;
    session.errorText = texts::kServerFault;
    Refused(session);
    return false;
}

void LinkServerOps::Close(CDbSession&)
{
    link_.Close();
}

bool LinkServerOps::IsOpen(const CDbSession&) const
{
    return link_.IsLoggedIn();
}

QString LinkServerOps::GetDbType(CDbSession& session)
{
    const QString type = link_.GetDbType();
    if (link_.lastStatus >= 1)
        session.dbType = ToInt(type);
    else
        Refused(session);
    return type;
}

bool LinkServerOps::Execute(CDbSession& session, const QString& sql)
{
    if (link_.Execute(sql)) {
        session.lastState = 1;
        return true;
    }
    Refused(session);
    session.errorText = texts::kExecuteFailedServer + sql;
    session.lastState = -1;
    return false;
}

bool LinkServerOps::Exists(CDbSession& session, const QString& sql)
{
    if (link_.Exists(sql))
        return true;
    if (link_.lastStatus < 0 && SetReason(session))
        session.lastState = -1;
    return false;
}

bool LinkServerOps::IsFind(CDbSession& session, const QString& sql, QString& value)
{
    const int found = link_.IsFind(sql, value);
    if (found < 0 && AppendReason(session))
        session.lastState = -1;
    return found > 0;
}

int LinkServerOps::IsFind2(CDbSession& session, const QString& sql, QString& value)
{
    const int found = link_.IsFind(sql, value);
    if (found < 0) {
        Refused(session);
        session.errorText = texts::kIsFind2Failed + u'\n' + sql;
        value = session.errorText;
    }
    return found;
}

int LinkServerOps::QueryList(CDbSession& session, const QString& sql, QStringList& list)
{
    const int result = link_.QueryList(sql, list);
    if (result > 0)
        session.lastState = 1;
    else if (result < 0)
        Refused(session); // the text of the failure stays the link's
    return result;
}

bool LinkServerOps::QueryFields(CDbSession& session, const QString& sql, const QStringList& names,
                                QStringList& list)
{
    if (!link_.QueryFields(sql, names, list)) {
        Refused(session);
        session.errorText = texts::kSqlFailed + u'\n' + sql;
        return false;
    }
    // No row is success here, with an empty list.
    if (link_.lastStatus == 0)
        session.lastState = 0;
    return true;
}

bool LinkServerOps::QueryTable(CDbSession& session, const QString& sql, QStringList& names,
                               QStringList& values)
{
    if (link_.QueryTable(sql, names, values))
        return true;
    Refused(session);
    session.errorText = texts::kSelectFailedServer + sql;
    return false;
}

bool LinkServerOps::QueryPage(CDbSession& session, const QString& select, const QString& condition,
                              int pageSize, int pageNumber, const QString& order,
                              QStringList& names, QStringList& values, int& total, int& pageCount)
{
    if (link_.QueryPage(select, condition, pageSize, pageNumber, order, names, values, total,
                        pageCount))
        return true;
    AppendReason(session);
    return false;
}

bool LinkServerOps::ReadBinary(CDbSession& session, const QString& sql, const QStringList& names,
                               QList<QByteArray>& buffers)
{
    QByteArray data;
    if (!link_.ReadBinary(sql, names.value(0), data)) {
        SetReason(session);
        return false;
    }
    if (link_.lastStatus == 0) {
        session.lastState = 0; // no row, as on a direct session
        return false;
    }
    if (!names.isEmpty())
        buffers.append(data);
    return true;
}

bool LinkServerOps::InsertRecord(CDbSession& session, const QString& sql, const QStringList& names,
                                 const QStringList& values)
{
    if (!PairsUp(session, names.size(), values.size())) {
        session.lastState = -1;
        return false;
    }
    if (link_.InsertRecord(sql, names, values))
        return true;
    if (AppendReason(session))
        session.lastState = -1;
    return false;
}

int LinkServerOps::InsertUidRecord(CDbSession& session, QString& id, const QString& sql,
                                   const QStringList& names, const QStringList& values)
{
    if (!PairsUp(session, names.size(), values.size())) {
        session.lastState = -1;
        return -2;
    }
    if (link_.InsertUidRecord(id, sql, names, values))
        return 1;
    AppendReason(session);
    return -1;
}

bool LinkServerOps::Update(CDbSession& session, const QString& sql, const QStringList& names,
                           const QStringList& values)
{
    if (!PairsUp(session, names.size(), values.size()))
        return false;
    if (link_.Update(sql, names, values))
        return true;
    AppendReason(session);
    return false;
}

bool LinkServerOps::UpdateBinaryRecord(CDbSession& session, const QString& sql,
                                       const QStringList& names, const QList<QByteArray>& buffers)
{
    if (!PairsUp(session, names.size(), buffers.size()))
        return false;
    if (link_.UpdateBinaryRecord(sql, names.value(0), buffers.value(0)))
        return true;
    AppendReason(session);
    return false;
}

bool LinkServerOps::BeginTrans(CDbSession&)
{
    return link_.BeginTrans();
}

bool LinkServerOps::CommitTrans(CDbSession&)
{
    return link_.CommitTrans();
}

bool LinkServerOps::RollbackTrans(CDbSession&)
{
    return link_.RollbackTrans();
}

QString LinkServerOps::GetClientIp(CDbSession& session)
{
    return CallServer(session, link::kGetIpText);
}

QString LinkServerOps::CallServer(CDbSession& session, const QString& text)
{
    const QString answer = link_.CallServer(text);
    if (link_.lastStatus < 1)
        Refused(session);
    return answer;
}

CServerLink* ServerLinkOf(CDbSession& session)
{
    auto* ops = dynamic_cast<LinkServerOps*>(session.Server());
    return ops ? &ops->link() : nullptr;
}

} // namespace zk
