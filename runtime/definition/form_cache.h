#pragma once

#include <QHash>
#include <QString>

namespace zk {

// Definition texts of stored forms by menu uid, so that a form opened again
// is not fetched and decoded again. The application object owns the one
// cache of the process and empties it at exit; LoadFormDefinition takes it by
// reference. Used on the user-interface thread only.
class FormCache {
public:
    // True and the text when the uid has an entry.
    bool Find(const QString& uid, QString& text) const;
    void Store(const QString& uid, const QString& text);
    bool Contains(const QString& uid) const { return texts_.contains(uid); }
    qsizetype size() const { return texts_.size(); }
    void Clear() { texts_.clear(); }

private:
    QHash<QString, QString> texts_;
};

} // namespace zk
