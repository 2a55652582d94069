#include "data/sql/sql_words.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace zk::sql {

namespace {

struct Entry {
    const char* name; // upper case
    Word word;
};

// Sorted by name (strcmp order): LookupWord searches it by bisection.
constexpr Entry kWords[] = {
    {"AFTER", Word::After},
    {"ALL", Word::All},
    {"ALTER", Word::Alter},
    {"AND", Word::And},
    {"AS", Word::As},
    {"ASC", Word::Asc},
    {"AVG", Word::FnAvg},
    {"BEFORE", Word::Before},
    {"BEGIN", Word::Begin},
    {"BETWEEN", Word::Between},
    {"BY", Word::By},
    {"CASE", Word::Case},
    {"CAST", Word::FnCast},
    {"CHARINDEX", Word::FnCharindex},
    {"COLLATE", Word::Collate},
    {"CONFLICT", Word::Conflict},
    {"CONVERT", Word::FnConvert},
    {"COUNT", Word::FnCount},
    {"CREATE", Word::Create},
    {"CROSS", Word::Cross},
    {"CSTR", Word::FnCstr},
    {"CURRENT_DATE", Word::CurrentDate},
    {"CURRENT_TIME", Word::CurrentTime},
    {"CURRENT_TIMESTAMP", Word::CurrentTimestamp},
    {"DATE", Word::FnDate},
    {"DATEADD", Word::FnDateadd},
    {"DATEDIFF", Word::FnDatediff},
    {"DATEPART", Word::FnDatepart},
    {"DAY", Word::FnDay},
    {"DBO", Word::Dbo},
    {"DEFAULT", Word::Default},
    {"DELETE", Word::Delete},
    {"DESC", Word::Desc},
    {"DISTINCT", Word::Distinct},
    {"DISTINCTROW", Word::DistinctRow},
    {"DO", Word::Do},
    {"DROP", Word::Drop},
    {"ELSE", Word::Else},
    {"END", Word::End},
    {"ESCAPE", Word::Escape},
    {"EXCEPT", Word::Except},
    {"EXEC", Word::Exec},
    {"EXECUTE", Word::Execute},
    {"EXISTS", Word::Exists},
    {"FALSE", Word::False},
    {"FOR", Word::For},
    {"FROM", Word::From},
    {"FULL", Word::Full},
    {"GETDATE", Word::FnGetdate},
    {"GROUP", Word::Group},
    {"HAVING", Word::Having},
    {"IDENTITY_INSERT", Word::IdentityInsert},
    {"IIF", Word::FnIif},
    {"ILIKE", Word::Ilike},
    {"IN", Word::In},
    {"INNER", Word::Inner},
    {"INSERT", Word::Insert},
    {"INSTEAD", Word::Instead},
    {"INSTR", Word::FnInstr},
    {"INTERSECT", Word::Intersect},
    {"INTO", Word::Into},
    {"IS", Word::Is},
    {"ISNULL", Word::FnIsnull},
    {"JOIN", Word::Join},
    {"LCASE", Word::FnLcase},
    {"LEFT", Word::Left},
    {"LEN", Word::FnLen},
    {"LENGTH", Word::FnLength},
    {"LIKE", Word::Like},
    {"LIMIT", Word::Limit},
    {"LOCALTIME", Word::LocalTime},
    {"LOCALTIMESTAMP", Word::LocalTimestamp},
    {"LOWER", Word::FnLower},
    {"LTRIM", Word::FnLtrim},
    {"MID", Word::FnMid},
    {"MOD", Word::Mod},
    {"MONTH", Word::FnMonth},
    {"NATURAL", Word::Natural},
    {"NEWID", Word::FnNewid},
    {"NOCOUNT", Word::NoCount},
    {"NOT", Word::Not},
    {"NOTHING", Word::Nothing},
    {"NOW", Word::FnNow},
    {"NULL", Word::Null},
    {"NZ", Word::FnNz},
    {"OF", Word::Of},
    {"OFFSET", Word::Offset},
    {"ON", Word::On},
    {"OR", Word::Or},
    {"ORDER", Word::Order},
    {"OUTER", Word::Outer},
    {"OVER", Word::Over},
    {"PERCENT", Word::Percent},
    {"REPLACE", Word::FnReplace},
    {"RETURNING", Word::Returning},
    {"RIGHT", Word::Right},
    {"RTRIM", Word::FnRtrim},
    {"SCOPE_IDENTITY", Word::FnScopeIdentity},
    {"SELECT", Word::Select},
    {"SET", Word::Set},
    {"SUBSTRING", Word::FnSubstring},
    {"SUM", Word::FnSum},
    {"TABLE", Word::Table},
    {"THEN", Word::Then},
    {"TIES", Word::Ties},
    {"TIME", Word::FnTime},
    {"TOP", Word::Top},
    {"TRIM", Word::FnTrim},
    {"TRUE", Word::True},
    {"TRUNCATE", Word::Truncate},
    {"UCASE", Word::FnUcase},
    {"UNION", Word::Union},
    {"UPDATE", Word::Update},
    {"UPPER", Word::FnUpper},
    {"USING", Word::Using},
    {"VAL", Word::FnVal},
    {"VALUES", Word::Values},
    {"WHEN", Word::When},
    {"WHERE", Word::Where},
    {"WINDOW", Word::Window},
    {"WITH", Word::With},
    {"YEAR", Word::FnYear},
};

constexpr int kLongestWord = 17; // CURRENT_TIMESTAMP

} // namespace

Word LookupWord(QStringView name)
{
    if (name.size() < 2 || name.size() > kLongestWord)
        return Word::None;
    char key[kLongestWord + 1];
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 'a' && c <= 'z')
            key[i] = static_cast<char>(c - 'a' + 'A');
        else if ((c >= 'A' && c <= 'Z') || c == '_')
            key[i] = static_cast<char>(c);
        else
            return Word::None;
    }
    key[name.size()] = '\0';
    const auto* end = std::end(kWords);
    const auto* it =
        std::lower_bound(std::begin(kWords), end, key,
                         [](const Entry& e, const char* k) { return std::strcmp(e.name, k) < 0; });
    return (it != end && std::strcmp(it->name, key) == 0) ? it->word : Word::None;
}

} // namespace zk::sql
