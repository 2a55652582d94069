#include "data/backends/backend.h"
#include "data/session/db_session.h"
#include "data/session/script_pieces.h"
#include "data/session/session_texts.h"

namespace zk {

bool CDbSession::ExecuteDirect(const QString& sql)
{
    QString error = texts::kNotConnected;
    if (backend_ && backend_->Execute(sql, {}, error)) {
        lastState = 1;
        return true;
    }
    errorDetail = error;
    errorText = texts::kExecuteFailed + sql;
    lastState = -1;
    isOpen_ = false;
    return false;
}

bool CDbSession::Execute(const QString& sql)
{
    lastSql = sql;
    if (useServer)
        return server_ ? server_->Execute(*this, sql) : ServerMissing();
    return ExecuteDirect(sql);
}

bool CDbSession::RunPieces(const QString& sql, bool stopOnError)
{
    for (const QString& piece : ScriptPieces(sql)) {
        if (!Execute(piece) && stopOnError)
            return false;
    }
    return true;
}

bool CDbSession::RunScript(const QString& sql, bool stopOnError)
{
    if (sql.isEmpty())
        return true;
    if (dbType == 1)
        return Execute(sql);
    return RunPieces(sql, stopOnError);
}

bool CDbSession::RunScriptAll(const QString& sql)
{
    RunPieces(sql, false);
    return true;
}

} // namespace zk
