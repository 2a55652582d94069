#include "data/backends/qt_sql_connection.h"

#include "data/backends/value_text.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace zk {

QString QtSqlErrorText(const QSqlError& error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

QtSqlConnection::QtSqlConnection(const QString& driver, bool forwardOnly)
    : name_(u"zk_session_"_s + QUuid::createUuid().toString(QUuid::WithoutBraces))
    , db_(QSqlDatabase::addDatabase(driver, name_))
    , forwardOnly_(forwardOnly)
{
}

QtSqlConnection::~QtSqlConnection()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool QtSqlConnection::Run(const QString& sql, const QVariantList& params, RowSet* rows,
                          QString& error, QList<QMetaType>* types)
{
    QSqlQuery query(db_);
    query.setForwardOnly(forwardOnly_);
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    bool ok;
    if (params.isEmpty()) {
        ok = query.exec(sql);
    } else {
        ok = query.prepare(sql);
        for (const QVariant& value : params) {
            // Only a null QVariant means NULL: Qt SQL would also send a null QString as NULL.
            if (value.isNull())
                query.addBindValue(QVariant(QMetaType::fromType<QString>()));
            else if (value.typeId() == QMetaType::QString && value.toString().isNull())
                query.addBindValue(QStringLiteral(""));
            else
                query.addBindValue(value);
        }
        ok = ok && query.exec();
    }
    if (!ok) {
        error = QtSqlErrorText(query.lastError());
        return false;
    }
    if (!rows || rows->hasColumns || !query.isSelect())
        return true;
    const QSqlRecord record = query.record();
    const int columns = record.count();
    QList<QMetaType> columnTypes;
    rows->hasColumns = true;
    for (int c = 0; c < columns; ++c) {
        rows->names.append(record.fieldName(c));
        columnTypes.append(record.field(c).metaType());
    }
    while (query.next()) {
        for (int c = 0; c < columns; ++c)
            AppendQtSqlCell(*rows, query.value(c), columnTypes[c]);
        ++rows->rowCount;
    }
    if (query.lastError().isValid()) {
        error = QtSqlErrorText(query.lastError());
        return false;
    }
    if (types)
        *types = columnTypes;
    return true;
}

bool QtSqlConnection::Transact(bool (QSqlDatabase::*call)(), QString& error)
{
    if ((db_.*call)())
        return true;
    error = QtSqlErrorText(db_.lastError());
    return false;
}

} // namespace zk
