#pragma once

#include "app/user_list_loader.h"
#include "data/session/db_session.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zk {

class CMainApp;

// The login dialog: a user list filled by a worker thread, a password, the settings and
// help buttons. OK ("登 录") checks the user against view_c_user, fills the application
// object's login members, writes the login record and remembers the user in cfg.ini.
class Dialog_Login : public QDialog {
    Q_OBJECT
public:
    // Window ids of the controls (also their object names).
    static constexpr int kUserCombo = 1105;
    static constexpr int kPasswordEdit = 1102;
    static constexpr int kSettingsButton = 1081;
    static constexpr int kHelpButton = 1082;

    explicit Dialog_Login(CMainApp& app, QWidget* parent = nullptr);
    ~Dialog_Login() override;

    QComboBox* UserCombo() const { return users_; }
    QLineEdit* PasswordEdit() const { return password_; }
    QPushButton* LoginButton() const { return ok_; }
    // True once the worker's list has arrived.
    bool UserListLoaded() const { return listLoaded_; }

    // One login attempt with the texts of the two controls; true when it logged in.
    bool TryLogin();

signals:
    void userListLoaded();

protected:
    void accept() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnUserList(const UserListResult& result);
    void OpenSettings();
    void OpenHelp();
    void Handshake();

    CMainApp& app_;
    CDbSession session_;
    std::unique_ptr<UserListLoader> loader_;
    QComboBox* users_ = nullptr;
    QLineEdit* password_ = nullptr;
    QPushButton* ok_ = nullptr;
    bool listLoaded_ = false;
};

// The vendor's help page for `place` ("login", "dh"): cfg.ini [SERVER] VENDOR +
// "/help/help.aspx?s=" + place + "&appid=" + app id. Empty when no vendor is configured.
QString VendorHelpUrl(const QString& place, const QString& appId);

} // namespace zk
