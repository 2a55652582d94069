// The recordset operations: a row is looked for with the caller's SELECT, then written with
// an INSERT or UPDATE built from that SELECT's table, condition and order, the values bound
// as parameters.
#include "data/backends/backend.h"
#include "data/session/db_session.h"
#include "data/session/select_parts.h"
#include "data/session/session_texts.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

// A field name as given, or in brackets when it is not a plain name (the backends'
// translation turns brackets into their engine's quoting).
QString FieldName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    const QString trimmed = name.trimmed();
    if (plain.match(trimmed).hasMatch() || (trimmed.startsWith(u'[') && trimmed.endsWith(u']')))
        return trimmed;
    return u'[' + QString(trimmed).replace(u']', u"]]"_s) + u']';
}

QStringList FieldNames(const QStringList& names)
{
    QStringList fields;
    for (const QString& name : names)
        fields.append(FieldName(name));
    return fields;
}

QString Placeholders(qsizetype count)
{
    return QStringList(count, QStringLiteral("?")).join(u',');
}

QString Clauses(const SelectParts& parts)
{
    QString text = u" FROM "_s + parts.from;
    if (!parts.where.isEmpty())
        text += u" WHERE "_s + parts.where;
    if (!parts.order.isEmpty())
        text += u" ORDER BY "_s + parts.order;
    return text;
}

QVariantList TextValues(const QStringList& values)
{
    QVariantList list;
    for (const QString& value : values)
        list.append(value);
    return list;
}

} // namespace

bool CDbSession::RecordStep(const QString& sql, RowSet& rows, RecordFailure& failure)
{
    const Step step = QueryStep(sql, rows);
    failure = step == Step::Failed ? RecordFailure::Step : RecordFailure::Error;
    return step == Step::Rows;
}

void CDbSession::RecordError(const QString& what, const QString& sql)
{
    errorText += errorDetail + what + sql;
}

bool CDbSession::BindValues(const QString& table, const QStringList& names, QVariantList& values)
{
    QList<ColumnKind> kinds;
    QString error;
    if (!backend_->ColumnKinds(table, FieldNames(names), kinds, error)) {
        errorDetail = error;
        return false;
    }
    for (qsizetype i = 0; i < values.size() && i < kinds.size(); ++i) {
        // An empty text means no value to a number or a date.
        if (kinds[i] != ColumnKind::Text && kinds[i] != ColumnKind::Other &&
            values[i].typeId() == QMetaType::QString && values[i].toString().isEmpty())
            values[i] = QVariant();
    }
    return true;
}

bool CDbSession::InsertDirect(const QString& sql, const QStringList& names,
                              const QStringList& values, QString* id, RecordFailure& failure)
{
    RowSet rows;
    if (!RecordStep(sql, rows, failure))
        return false;
    if (rows.rowCount > 0) {
        failure = RecordFailure::NoRow; // the row is there already
        return false;
    }
    const SelectParts parts = ReadSelectParts(sql);
    if (!parts.ok) {
        errorDetail = texts::kNoTable;
        return false;
    }
    QVariantList bound = TextValues(values);
    if (!names.isEmpty() && !BindValues(parts.table, names, bound))
        return false;
    const QString insert = names.isEmpty() ? u"INSERT INTO "_s + parts.table + u" DEFAULT VALUES"_s
                                           : u"INSERT INTO "_s + parts.table + u'(' +
                                                 FieldNames(names).join(u',') + u") VALUES("_s +
                                                 Placeholders(names.size()) + u')';
    QString error;
    if (!backend_->Execute(insert, bound, error) ||
        (id && !backend_->LastInsertId(parts.table, *id, error))) {
        errorDetail = error;
        return false;
    }
    failure = RecordFailure::None;
    return true;
}

bool CDbSession::UpdateDirect(const QString& sql, const QStringList& names, QVariantList values,
                              RecordFailure& failure)
{
    RowSet rows;
    if (!RecordStep(sql, rows, failure))
        return false;
    if (rows.rowCount == 0) {
        failure = RecordFailure::NoRow;
        return false;
    }
    if (names.isEmpty()) {
        failure = RecordFailure::None;
        return true;
    }
    const SelectParts parts = ReadSelectParts(sql);
    if (!parts.ok) {
        errorDetail = texts::kNoTable;
        return false;
    }
    if (!BindValues(parts.table, names, values))
        return false;
    // The first row found, by its row identity (or, for a table without one, by all its values).
    const QStringList key = backend_->RowKey(parts.table);
    QStringList selected;
    for (const QString& column : key)
        selected.append(parts.qualifier + u'.' + column);
    RowSet found;
    QString error;
    const QString locate = u"SELECT "_s +
                           (key.isEmpty() ? parts.qualifier + u".*"_s : selected.join(u',')) +
                           Clauses(parts);
    if (!backend_->Query(locate, {}, found, error)) {
        errorDetail = error;
        return false;
    }
    if (found.rowCount == 0) {
        failure = RecordFailure::NoRow;
        return false;
    }
    QStringList assignments;
    for (const QString& name : FieldNames(names))
        assignments.append(name + u"=?"_s);
    QVariantList bound = values;
    QStringList conditions;
    for (qsizetype c = 0; c < found.ColumnCount(); ++c) {
        const QString column = FieldName(found.names[c]);
        if (found.IsNull(0, c)) {
            conditions.append(column + u" IS NULL"_s);
        } else if (!found.IsBinary(0, c)) {
            conditions.append(column + u"=?"_s);
            bound.append(found.Text(0, c));
        }
    }
    const QString update = u"UPDATE "_s + parts.table + u" SET "_s + assignments.join(u',') +
                           u" WHERE "_s + conditions.join(u" AND "_s);
    if (!backend_->Execute(update, bound, error)) {
        errorDetail = error;
        return false;
    }
    failure = RecordFailure::None;
    return true;
}

bool CDbSession::InsertRecord(const QString& sql, const QStringList& names,
                              const QStringList& values)
{
    lastSql = sql;
    if (useServer)
        return server_ ? server_->InsertRecord(*this, sql, names, values) : ServerMissing();
    // Values beyond the names would go nowhere; a partial row is never written.
    if (values.size() != names.size()) {
        lastState = -1;
        errorText = texts::kCountMismatch;
        return false;
    }
    if (!backend_) {
        errorDetail = texts::kNotConnected;
        RecordError(texts::kInsertRecordFailed, sql);
        lastState = -1;
        return false;
    }
    RecordFailure failure;
    if (InsertDirect(sql, names, values, nullptr, failure))
        return true;
    if (failure == RecordFailure::Error) {
        RecordError(texts::kInsertRecordFailed, sql);
        lastState = -1;
    }
    return false;
}

int CDbSession::InsertUidRecord(QString& id, const QString& sql, const QStringList& names,
                                const QStringList& values)
{
    lastSql = sql;
    if (useServer) {
        if (server_)
            return server_->InsertUidRecord(*this, id, sql, names, values);
        ServerMissing();
        return -1;
    }
    if (values.size() != names.size()) {
        lastState = -1;
        errorText = texts::kCountMismatch;
        return -2;
    }
    if (!backend_) {
        errorDetail = texts::kNotConnected;
        RecordError(texts::kInsertUidRecordFailed, sql);
        return -1;
    }
    RecordFailure failure;
    if (InsertDirect(sql, names, values, &id, failure))
        return 1;
    if (failure == RecordFailure::Error)
        RecordError(texts::kInsertUidRecordFailed, sql);
    return -1;
}

bool CDbSession::Update(const QString& sql, const QStringList& names, const QStringList& values)
{
    lastSql = sql;
    if (useServer)
        return server_ ? server_->Update(*this, sql, names, values) : ServerMissing();
    if (values.size() != names.size()) {
        errorText = texts::kCountMismatch;
        return false;
    }
    if (!backend_) {
        errorDetail = texts::kNotConnected;
        RecordError(texts::kUpdateFailed, sql);
        return false;
    }
    RecordFailure failure;
    if (UpdateDirect(sql, names, TextValues(values), failure))
        return true;
    if (failure == RecordFailure::Error)
        RecordError(texts::kUpdateFailed, sql);
    return false;
}

bool CDbSession::UpdateBinaryRecord(const QString& sql, const QStringList& names,
                                    const QList<QByteArray>& buffers)
{
    lastSql = sql;
    if (useServer)
        return server_ ? server_->UpdateBinaryRecord(*this, sql, names, buffers) : ServerMissing();
    if (buffers.size() != names.size()) {
        errorText = texts::kCountMismatch;
        return false;
    }
    if (!backend_ || names.isEmpty()) {
        errorDetail = backend_ ? texts::kNoSuchField : texts::kNotConnected;
        RecordError(texts::kUpdateBinaryFailed, sql);
        return false;
    }
    // Writing the field sets it to the buffer, whatever it held before.
    RecordFailure failure;
    if (UpdateDirect(sql, {names.first()}, {QVariant(buffers.first())}, failure))
        return true;
    if (failure == RecordFailure::NoRow)
        errorDetail = texts::kNoRowToWrite;
    if (failure != RecordFailure::Step)
        RecordError(texts::kUpdateBinaryFailed, sql);
    return false;
}

} // namespace zk
