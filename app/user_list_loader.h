#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>

namespace zk {

// What the login dialog's worker found.
struct UserListResult {
    bool opened = false; // false: the database could not be opened
    QStringList ids;     // login ids of the active users, in the database's order
    QString serverHost;  // the server as the worker's session resolved it
    int serverPort = 0;
    QString dbKind; // the database type text
};

// The short-lived thread that fills the login dialog's user list. It works with a session
// of its own (the dialog logs in with another one, so the two never share a connection)
// and hands the result to `receiver` on that object's thread; nothing arrives when the
// receiver is gone by then.
class UserListLoader : public QThread {
    Q_OBJECT
public:
    using Done = std::function<void(const UserListResult&)>;
    UserListLoader(QObject* receiver, Done done);
    ~UserListLoader() override;

protected:
    void run() override;

private:
    QPointer<QObject> receiver_;
    Done done_;
};

// The worker's whole job, callable on any thread.
UserListResult LoadUserList();

} // namespace zk
