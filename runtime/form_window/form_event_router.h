#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The form window's routing table: the signals of each control kind become
// the event names the scripts are found by ("CLICK", "DCLICK", "RCLICK",
// "EN_CHANGE", "EN_KILLFOCUS"). A control is connected only to the signals
// whose events it has scripts for: most controls of a form have none, and a
// form of hundreds of controls opens quicker without their connections.

namespace zk {

class D_T1;
struct FormBody;

class FormEventRouter : public QObject {
public:
    explicit FormEventRouter(D_T1& form);

    // Connects every control the form registered to the events the body's
    // definitions give it scripts for.
    void ConnectControls(const FormBody& body);

private:
    void Connect(QWidget* control, int windowId, unsigned events);
    void Run(int windowId, const QString& eventName);
    void RunScriptOnly(int windowId, const QString& eventName);
    void TextChanged(QWidget* control, int windowId);
    void DropListFocusLost(QWidget* control, int windowId);

    D_T1& form_;
};

} // namespace zk
