#include "mail/account_page.h"

#include "mail/accounts_file.h"
#include "platform/message_box.h"

namespace chronolien {

AccountPage::AccountPage(MailboxAccounts& accounts, QString accountsPath, MessageBox& messages)
    : m_accounts(accounts)
    , m_path(std::move(accountsPath))
    , m_messages(messages)
{
}

void AccountPage::showAccountPage(int n)
{
    if (n < 1 || n > MailboxAccounts::Count)
        return;
    m_pageAccount = n;
    const MailboxAccount& account = m_accounts.account(n);
    fields.login = account.login;
    fields.password = account.password;
    fields.server = account.server;
    fields.notUsedTicked = !account.inUse;
    fields.textsEnabled = account.inUse;
    switch (account.state) {
    case MailboxAccount::StateNotTested:
        showNotTested();
        break;
    case MailboxAccount::StateOk:
        fields.light = Qt::green;
        fields.stateText = QStringLiteral("testé OK");
        break;
    case MailboxAccount::StateError:
        fields.light = Qt::red;
        fields.stateText = QStringLiteral("Erreur");
        break;
    default:
        break; // a state the file should not hold leaves the display as it was
    }
    fields.frameShown = true;
}

void AccountPage::applyUseCheckbox()
{
    MailboxAccount& account = m_accounts.account(m_pageAccount);
    account.inUse = !fields.notUsedTicked;
    fields.textsEnabled = account.inUse;
    showNotTested();
}

void AccountPage::validateAccountPage()
{
    // Every account is written back: they must all be in memory first.
    if (!m_accounts.loaded)
        loadAccounts(m_accounts, m_path);

    MailboxAccount& account = m_accounts.account(m_pageAccount);
    if (!fields.notUsedTicked) {
        if (fields.server.size() < 4 || fields.login.size() < 4) {
            m_messages.show(
                QStringLiteral("L'adresse du serveur pop ou votre login est incorrect."), StyleWarning);
            fields.notUsedTicked = true;
            applyUseCheckbox();
            return;
        }
        account.inUse = true;
    } else {
        account.inUse = false;
    }
    account.number = qint16(m_pageAccount);
    account.login = fields.login;
    account.password = fields.password;
    account.server = fields.server;
    account.state = MailboxAccount::StateNotTested;
    showNotTested();
    // Reading back gives the texts as the file holds them (cut, trailing spaces gone); after a
    // failed write the file holds the old accounts, so memory keeps what was typed instead.
    if (saveAccounts(m_accounts, m_path, m_messages))
        loadAccounts(m_accounts, m_path);
}

void AccountPage::mailCheckingSwitchedOn()
{
    if (!m_accounts.loaded)
        loadAccounts(m_accounts, m_path);
}

void AccountPage::showNotTested()
{
    fields.light = Qt::black;
    fields.stateText = QStringLiteral("Non testé");
}

} // namespace chronolien
