#pragma once

#include "config_dialog/config_page.h"
#include "mail/account_page.h"

class QFrame;
class QLineEdit;

namespace chronolien {

// fl15, shared by "Adresse n°1" to "Adresse n°5": one mailbox account, its use and its state.
class MailAddressPage : public ConfigPage {
    Q_OBJECT
public:
    MailAddressPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    // Shows account k (1 to 5), remembered as the page's account.
    void load(int k) override;
    void store() override;

private:
    void takeTexts();
    void showFields();
    void onUseClicked();

    AccountPage m_page;
    QLineEdit* m_server;
    QLineEdit* m_login;
    QLineEdit* m_password;
    QCheckBox* m_notUsed;
    QFrame* m_light;
    QLabel* m_state;
};

} // namespace chronolien
