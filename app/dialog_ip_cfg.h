#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

namespace zk {

class CMainApp;

// The server settings dialog: address, port and key of cfg.ini [SERVER]. "测试并保存"
// tests them (handshake and a session through that server), stores them as typed and
// restarts the program.
class Dialog_IpCfg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAddressEdit = 1119;
    static constexpr int kPortEdit = 1102;
    static constexpr int kKeyEdit = 1185;

    explicit Dialog_IpCfg(CMainApp& app, QWidget* parent = nullptr);

    QLineEdit* AddressEdit() const { return address_; }
    QLineEdit* PortEdit() const { return port_; }
    QLineEdit* KeyEdit() const { return key_; }

    // What happens after a successful save: start the program again and end this
    // process at once (exit code -1, no exit sequence). Tests replace it.
    std::function<void()> restart;

    // One test with the texts of the edits; true when the settings were saved (and the
    // restart was called).
    bool TestAndSave();

protected:
    void accept() override;

private:
    CMainApp& app_;
    QLineEdit* address_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* key_ = nullptr;
};

// Starts the program file again, with the same program folder, and ends this process.
[[noreturn]] void RestartProgram();

} // namespace zk
