#include "data/sql/sql_translate.h"

#include "data/sql/sql_rewriter.h"
#include "data/sql/sql_tokenizer.h"

namespace zk::sql {

QString TranslateSql(const QString& sql, Dialect target)
{
    const std::vector<Token> tokens = Tokenize(sql);
    const int n = static_cast<int>(tokens.size());
    QString out;
    out.reserve(sql.size() + 32);
    int start = 0;
    for (int k = 0; k <= n; ++k) {
        if (k < n && tokens[k].kind != TokenKind::Semicolon)
            continue;
        const QString statement = Rewriter(sql, tokens, start, k, target).Translate();
        if (statement.isNull()) {
            // Nothing left of it: it goes with its separator (the one before it when last).
            if (k == n && start > 0 && out.endsWith(u';'))
                out.chop(1);
        } else {
            out += statement;
            if (k < n)
                out += u';';
        }
        start = k + 1;
    }
    return out;
}

} // namespace zk::sql
