#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The form window's routing table: the signals of each control kind become
// the event names the scripts are found by ("CLICK", "DCLICK", "RCLICK",
// "EN_CHANGE", "EN_KILLFOCUS").

namespace zk {

class D_T1;

class FormEventRouter : public QObject {
public:
    explicit FormEventRouter(D_T1& form);

    // Connects every control the form registered.
    void ConnectControls();

private:
    void Connect(QWidget* control, int windowId);
    void Run(int windowId, const QString& eventName);
    void RunScriptOnly(int windowId, const QString& eventName);
    void TextChanged(QWidget* control, int windowId);
    void DropListFocusLost(QWidget* control, int windowId);

    D_T1& form_;
};

} // namespace zk
