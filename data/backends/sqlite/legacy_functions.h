#pragma once

struct sqlite3;

namespace zk {

// Registers on an open SQLite connection the functions of the legacy dialects that the
// translator leaves to the engine, under their own names: now, getdate, date() and time()
// without arguments (local time; date(x) and time(x) stay SQLite's), InStr, CHARINDEX,
// CStr, IsNull, Nz, Len, Left, Right, Mid, Trim, UCase, LCase, Val, Year, Month, Day,
// DateAdd, DateDiff, DatePart (both dialects' interval names), newid, concat, and the
// translator's helpers zk_plus, zk_minus, zk_concat, zk_datetime, zk_date, zk_convert.
// Call once per connection after opening it. False when SQLite refused one of them.
//
// Texts are UTF-8 and counted in characters. Times are local time texts
// 'YYYY-MM-DD HH:MM:SS'; date arguments may be such texts (or any form the legacy
// dialects write, see ParseLegacyDateTime) or SQLite julian day numbers.
bool RegisterLegacyFunctions(sqlite3* db);

} // namespace zk
