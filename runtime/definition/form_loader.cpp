#include "runtime/definition/form_loader.h"

#include "data/session/db_session.h"
#include "forms/definition/value_forms.h"
#include "runtime/codec/form_blob.h"

namespace zk {

int LoadFormDefinition(CDbSession& session, QString& out, const QString& uid, int kind,
                       FormCache& cache)
{
    if (kind == 1 && (cache.Find(uid, out) || !out.isEmpty()))
        return 1;
    // The uid goes into the statement unquoted, so only a number may.
    if ((kind != 1 && kind != 2) || !IsIntegerText(uid)) {
        out = QString::fromUtf16(kEmptyFormDefinition);
        return 0;
    }
    const QString table = kind == 1 ? QStringLiteral("c_menu_dh") : QStringLiteral("c_menu_dh_m");
    const QString sql =
        QStringLiteral("SELECT form_0 FROM %1 WHERE uid_0=%2").arg(table, uid.trimmed());
    QList<QByteArray> buffers;
    session.lastState = -1;
    if (!session.ReadBinary(sql, {QStringLiteral("form_0")}, buffers)) {
        if (session.lastState != 0)
            return -1;
        out = QString::fromUtf16(kEmptyFormDefinition);
        return 0;
    }
    const QByteArray blob = buffers.value(0);
    if (blob.isEmpty())
        return -1;
    bool ok = false;
    QString error;
    const QString text = DecodeFormText(blob, &ok, &error);
    if (!ok) {
        session.errorText = error;
        return -1;
    }
    out = text;
    if (kind == 1)
        cache.Store(uid, out);
    return 1;
}

} // namespace zk
