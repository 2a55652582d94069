#include "data/backends/text/text_backend.h"

#include "data/backends/statement_text.h"
#include "data/backends/text/text_table_refs.h"
#include "data/sql/sql_tokenizer.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

QString Quoted(const QString& name)
{
    return u'"' + QString(name).replace(u'"', u"\"\""_s) + u'"';
}

// INTEGER when every value of the column is a whole number, REAL when every value is a
// number, else TEXT: comparisons and sums then work as with the text driver's guessed types.
QString ColumnType(const QList<QStringList>& rows, qsizetype column)
{
    bool integers = true;
    bool numbers = true;
    bool any = false;
    for (const QStringList& row : rows) {
        if (column >= row.size() || row[column].isNull())
            continue;
        const QString& value = row[column];
        any = true;
        const QChar first = value[0];
        if (!first.isDigit() && first != u'-' && first != u'+' && first != u'.')
            return QStringLiteral("TEXT");
        bool ok = false;
        value.toLongLong(&ok);
        integers = integers && ok;
        if (!ok) {
            value.toDouble(&ok);
            numbers = numbers && ok;
        }
        if (!numbers)
            return QStringLiteral("TEXT");
    }
    if (!any)
        return QStringLiteral("TEXT");
    return integers ? QStringLiteral("INTEGER") : QStringLiteral("REAL");
}

sql::Word FirstWord(const QString& statement)
{
    for (const sql::Token& t : sql::Tokenize(statement)) {
        if (!sql::IsTrivia(t.kind))
            return t.word;
    }
    return sql::Word::None;
}

QString Unbracketed(const QString& name)
{
    if (name.size() >= 2 && ((name.startsWith(u'[') && name.endsWith(u']')) ||
                             (name.startsWith(u'"') && name.endsWith(u'"'))))
        return name.mid(1, name.size() - 2);
    return name;
}

} // namespace

TextBackend::TextBackend(QString folder)
    : folder_(folder.endsWith(u'/') ? std::move(folder) : folder + u'/')
    , engine_(QStringLiteral(":memory:"), true)
{
}

Backend::OpenResult TextBackend::Open(QString& error)
{
    return engine_.Open(error);
}

QString TextBackend::ResolveFile(const QString& name) const
{
    if (QFileInfo::exists(folder_ + name))
        return name;
    const QStringList entries = QDir(folder_).entryList(QDir::Files);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

bool TextBackend::Load(const QString& file, const QString& path, QString& error)
{
    TextTable table;
    if (!ReadTextTable(path, table, error))
        return false;
    if (table.columns.isEmpty())
        table.columns.append(QStringLiteral("F1"));
    QStringList definitions;
    for (qsizetype c = 0; c < table.columns.size(); ++c)
        definitions.append(Quoted(table.columns[c]) + u' ' + ColumnType(table.rows, c));
    const QString name = Quoted(file);
    if (!engine_.RunNative(u"DROP TABLE IF EXISTS "_s + name, {}, nullptr, error) ||
        !engine_.RunNative(u"CREATE TABLE "_s + name + u" ("_s + definitions.join(u", "_s) + u')',
                           {}, nullptr, error) ||
        !engine_.RunNative(QStringLiteral("SAVEPOINT zk_load"), {}, nullptr, error))
        return false;
    QStringList marks(table.columns.size(), QStringLiteral("?"));
    const QByteArray insert =
        (u"INSERT INTO "_s + name + u" VALUES ("_s + marks.join(u',') + u')').toUtf8();
    sqlite3_stmt* statement = nullptr;
    bool ok = sqlite3_prepare_v2(engine_.Handle(), insert.constData(),
                                 static_cast<int>(insert.size()), &statement, nullptr) == SQLITE_OK;
    for (qsizetype r = 0; ok && r < table.rows.size(); ++r) {
        QVariantList values;
        for (qsizetype c = 0; c < table.columns.size(); ++c) {
            const QStringList& row = table.rows[r];
            values.append(c < row.size() && !row[c].isNull() ? QVariant(row[c]) : QVariant());
        }
        ok = BindSqliteValues(statement, values) && sqlite3_step(statement) == SQLITE_DONE;
        sqlite3_reset(statement);
    }
    if (!ok)
        error = QString::fromUtf8(sqlite3_errmsg(engine_.Handle())) + u": "_s + path;
    sqlite3_finalize(statement);
    QString ignored;
    engine_.RunNative(ok ? QStringLiteral("RELEASE zk_load")
                         : QStringLiteral("ROLLBACK TO zk_load"),
                      {}, nullptr, ignored);
    if (!ok)
        return false;
    const QFileInfo info(path);
    table.rows.clear();
    loaded_.insert(file, {info.lastModified(), info.size(), std::move(table)});
    return true;
}

bool TextBackend::EnsureLoaded(const QString& file, QString& error)
{
    const QString path = folder_ + file;
    const QFileInfo info(path);
    const auto found = loaded_.constFind(file);
    if (!info.isFile()) {
        // A file that went away takes its table with it; the statement then names no table.
        if (found != loaded_.constEnd()) {
            loaded_.remove(file);
            return engine_.RunNative(u"DROP TABLE IF EXISTS "_s + Quoted(file), {}, nullptr, error);
        }
        return true;
    }
    if (found != loaded_.constEnd() && found->modified == info.lastModified() &&
        found->size == info.size())
        return true;
    return Load(file, path, error);
}

bool TextBackend::AppendInserted(const QString& file, qint64 lastRowid, QString& error)
{
    RowSet rows;
    if (!engine_.RunNative(u"SELECT * FROM "_s + Quoted(file) +
                               u" WHERE rowid > ? ORDER BY rowid"_s,
                           {QString::number(lastRowid)}, &rows, error))
        return false;
    QList<QStringList> records;
    for (qsizetype r = 0; r < rows.rowCount; ++r) {
        QStringList record;
        for (qsizetype c = 0; c < rows.ColumnCount(); ++c)
            record.append(rows.Text(r, c));
        records.append(record);
    }
    Loaded& loaded = loaded_[file];
    const QString path = folder_ + file;
    if (!AppendTextTableRows(path, loaded.format, records, error))
        return false;
    loaded.format.endsWithNewline = true;
    const QFileInfo info(path);
    loaded.modified = info.lastModified();
    loaded.size = info.size();
    return true;
}

bool TextBackend::RunOne(const QString& statement, const QStringList& files,
                         const QVariantList& params, RowSet* rows, QString& error)
{
    QStringList named;
    for (const QString& file : files) {
        if (statement.contains(u'[' + file + u']'))
            named.append(file);
    }
    auto run = [&] {
        return rows ? engine_.Query(statement, params, *rows, error)
                    : engine_.Execute(statement, params, error);
    };
    if (named.isEmpty())
        return run();
    const sql::Word first = FirstWord(statement);
    if (first != sql::Word::Select && first != sql::Word::Insert && first != sql::Word::With) {
        error =
            QStringLiteral("文本文件表只能查询和添加记录，不能修改或删除: ") + named.join(u", "_s);
        return false;
    }
    const InsertTarget target = ReadInsertTarget(statement);
    const QString into = target.isInsert ? Unbracketed(target.table) : QString();
    if (!named.contains(into))
        return run();
    RowSet last;
    if (!engine_.RunNative(u"SELECT coalesce(max(rowid), 0) FROM "_s + Quoted(into), {}, &last,
                           error))
        return false;
    const qint64 lastRowid = last.Text(0, 0).toLongLong();
    return run() && AppendInserted(into, lastRowid, error);
}

bool TextBackend::Run(const QString& sql, const QVariantList& params, RowSet* rows, QString& error)
{
    const TextTableRefs refs =
        FindTextTables(sql, [this](const QString& name) { return ResolveFile(name); });
    for (const QString& file : refs.files) {
        if (!EnsureLoaded(file, error))
            return false;
    }
    const QStringList statements = SplitStatements(refs.sql);
    if (!params.isEmpty() && statements.size() != 1) {
        error = QStringLiteral("参数个数与语句不符");
        return false;
    }
    for (const QString& statement : statements) {
        if (!RunOne(statement, refs.files, params, rows, error))
            return false;
    }
    return true;
}

bool TextBackend::Execute(const QString& sql, const QVariantList& params, QString& error)
{
    return Run(sql, params, nullptr, error);
}

bool TextBackend::Query(const QString& sql, const QVariantList& params, RowSet& rows,
                        QString& error)
{
    return Run(sql, params, &rows, error);
}

bool TextBackend::Begin(QString&)
{
    return true;
}

bool TextBackend::Commit(QString&)
{
    return true;
}

bool TextBackend::Rollback(QString&)
{
    return true;
}

QStringList TextBackend::RowKey(const QString&)
{
    return {QStringLiteral("rowid")};
}

bool TextBackend::ColumnKinds(const QString& table, const QStringList& names,
                              QList<ColumnKind>& kinds, QString& error)
{
    const TextTableRefs refs =
        FindTextTables(table, [this](const QString& name) { return ResolveFile(name); });
    for (const QString& file : refs.files) {
        if (!EnsureLoaded(file, error))
            return false;
    }
    return engine_.ColumnKinds(refs.sql, names, kinds, error);
}

bool TextBackend::LastInsertId(const QString& table, QString& id, QString& error)
{
    return engine_.LastInsertId(table, id, error);
}

} // namespace zk
