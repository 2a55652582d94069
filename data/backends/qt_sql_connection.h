#pragma once

#include "data/backends/backend.h"

#include <QMetaType>
#include <QSqlDatabase>

namespace zk {

// A Qt SQL connection owned by one backend. Qt SQL keeps connections in a process-wide
// registry by name, so each gets a name of its own, and the destructor closes it and
// removes it from the registry. A connection belongs to the thread that opened it.
class QtSqlConnection {
public:
    QtSqlConnection(const QString& driver, bool forwardOnly);
    ~QtSqlConnection();
    QtSqlConnection(const QtSqlConnection&) = delete;
    QtSqlConnection& operator=(const QtSqlConnection&) = delete;

    QSqlDatabase& Db() { return db_; }

    // Runs one statement. With `rows` the first result set is fetched completely (and its
    // column types put into `types` when given).
    bool Run(const QString& sql, const QVariantList& params, RowSet* rows, QString& error,
             QList<QMetaType>* types = nullptr);

    // One of the connection's transaction calls (QSqlDatabase::transaction, commit, rollback).
    bool Transact(bool (QSqlDatabase::*call)(), QString& error);

private:
    QString name_;
    QSqlDatabase db_;
    bool forwardOnly_;
};

// The engine's own message of a Qt SQL error, else Qt's text.
QString QtSqlErrorText(const class QSqlError& error);

} // namespace zk
