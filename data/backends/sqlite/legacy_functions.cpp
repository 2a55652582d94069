// TEMPORARY STAND-IN until the dialect translator is merged: registers nothing. The merge
// replaces this file.
#include "data/backends/sqlite/legacy_functions.h"

namespace zk {

bool RegisterLegacyFunctions(sqlite3*)
{
    return true;
}

} // namespace zk
