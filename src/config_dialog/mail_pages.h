#pragma once

#include "config_dialog/config_page.h"
#include "mail/account_page.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace chronolien {

struct ConfigDialogContext;

// fl14 "COURRIER": the section switch "Ne pas verifier mon courrier", ticked when mail is not
// checked.
class MailSectionPage : public ConfigPage {
    Q_OBJECT
public:
    MailSectionPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    QCheckBox* vf_courrier;

Q_SIGNALS:
    // Mail checking was just switched on (before the tree is rebuilt).
    void switchedOn();
    void sectionChanged(const QString& key);

private:
    void onSwitchClicked();
    ConfigDialogContext& m_context;
};

// fl15, shared by "Adresse n°1" to "Adresse n°5": one mailbox account, its use and its state.
class MailAddressPage : public ConfigPage {
    Q_OBJECT
public:
    MailAddressPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    // Shows account k (1 to 5), remembered as the page's account.
    void load(int k);
    // Reads courrier.ini when mail checking is switched on in a run that started without it.
    void mailCheckingSwitchedOn();
    int account() const { return m_page.pageAccount(); }

    QLineEdit* txt_pop;
    QLineEdit* txt_login;
    QLineEdit* txt_pass;
    QCheckBox* vf_pop;
    QFrame* led_etat;
    QLabel* txt_etat;
    QPushButton* bt15_ok;

private:
    void takeTexts();
    void showFields();
    void onUseClicked();
    void validate();
    AccountPage m_page;
};

} // namespace chronolien
