#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace zk {

// The text tables a statement names, written the way the Jet text driver takes them:
// [NAME.txt], NAME#txt, NAME.csv, [NAME#csv] (also in double quotes; any letter case).
struct TextTableRefs {
    QString sql;       // the statement with every reference written as [FILE]
    QStringList files; // the file names referenced, each once, as in `sql`
};

// `resolve` turns NAME.txt into the name of the file that exists in the folder (letter case
// may differ on disk); it returns its argument when there is none.
TextTableRefs FindTextTables(const QString& sql,
                             const std::function<QString(const QString&)>& resolve);

} // namespace zk
