#pragma once

#include "state/mailbox_account.h"

#include <QColor>
#include <QString>

namespace chronolien {

class MessageBox;

// What the mailbox page of the configuration dialog shows: its three text boxes, the check box
// "Ne pas utiliser cette adresse", the state light and text, and whether the page is up.
struct AccountPageFields {
    QString server; // txt_pop
    QString login; // txt_login
    QString password; // txt_pass
    bool notUsedTicked = false; // vf_pop
    bool textsEnabled = true;
    QColor light = Qt::black; // led_etat
    QString stateText; // txt_etat
    bool frameShown = false; // fl15
};

// The mailbox page's logic, on the page's fields; the page widgets copy them in and out.
class AccountPage {
public:
    AccountPage(MailboxAccounts& accounts, QString accountsPath, MessageBox& messages);

    // Shows account n (1 to 5) on the page.
    void showAccountPage(int n);
    // The check box was clicked: the shown account is used or not, in memory only.
    void applyUseCheckbox();
    // "Valider": stores the page's texts and use for the shown account and resets its state.
    void validateAccountPage();
    // Mail checking was switched on: the accounts not read at start-up are read now, so that a
    // later save does not overwrite the stored ones with empty ones.
    void mailCheckingSwitchedOn();

    int pageAccount() const { return m_pageAccount; }
    AccountPageFields fields;

private:
    void showNotTested();

    MailboxAccounts& m_accounts;
    QString m_path;
    MessageBox& m_messages;
    int m_pageAccount = 1;
};

} // namespace chronolien
