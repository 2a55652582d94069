#include "data/session/script_pieces.h"

using namespace Qt::StringLiterals;

namespace zk {

QStringList ScriptPieces(const QString& script)
{
    QStringList pieces;
    for (const QString& part : script.split(u';')) {
        qsizetype start = 0;
        while (start < part.size() && part[start] == u'\n')
            ++start;
        const QString piece = part.mid(start);
        if (piece.size() < 6 || piece.startsWith(u"--"_s))
            continue;
        pieces.append(piece);
    }
    return pieces;
}

} // namespace zk
