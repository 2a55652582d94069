#pragma once

#include <QString>

namespace zk::sql {

enum class Dialect { SQLite, PostgreSQL };

// Rewrites a statement (or a ';'-separated script) written in either legacy dialect (the
// SQL Server one or the Jet one, or a mix of both) into the target's SQL.
//
// Never fails: what it does not understand passes through unchanged, and a statement it
// cannot read at all (an unterminated string, name or comment) is returned as it is.
// Statements already written for the target keep working.
//
// A statement that translates to nothing (SET IDENTITY_INSERT t ON, SET NOCOUNT ON) gives
// an empty string: the caller runs an empty statement as a successful no-op. A script keeps
// its separators; statements that translate to nothing are dropped with theirs. Two T-SQL
// statements written one after the other without ';' come back separated by ';', so the
// result of one statement may be a script that the caller runs statement by statement.
//
// The rules (and the engine functions the output relies on: RegisterLegacyFunctions for
// SQLite, the zk_compat schema for PostgreSQL) are described in docs/ARCHITECTURE.md,
// section "SQL dialects".
QString TranslateSql(const QString& sql, Dialect target);

} // namespace zk::sql
