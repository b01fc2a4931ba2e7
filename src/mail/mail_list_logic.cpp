#include "mail/mail_list_logic.h"

#include "effects/event_effects.h"
#include "mail/deletion_dialogue.h"
#include "mail/mail_list_content.h"
#include "state/app_state.h"
#include "state/mail_window_view.h"
#include "state/program_view.h"

namespace chronolien {

MailListLogic::MailListLogic(AppState& state, ProgramView& windows, SoundPlayer& sound, MailWindowView& view,
    DeletionStarter& deletion)
    : m_state(state)
    , m_windows(windows)
    , m_sound(sound)
    , m_view(view)
    , m_deletion(deletion)
{
}

void MailListLogic::refreshMailState()
{
    Settings& settings = m_state.settings;
    if (m_state.debugSwitch)
        playSoundFile(settings.son_deconnect);
    if (m_state.connectedFlag && settings.courrier && m_state.mailList.count >= 1) {
        m_firstShownEntry = 1;
        fillMailList();
        if (m_state.mailWindowShown)
            return;
        if (settings.affiche_actu) {
            m_state.mailWindowShown = true;
            m_windows.applyMailWindow();
        } else if (settings.autoOpen(3)) {
            m_windows.showFloatingWindow();
            m_state.mailWindowShown = true;
            m_windows.applyMailWindow();
        }
        playSoundFile(settings.son_mail);
        return;
    }
    // Only a floating window that opens for mail alone closes with the last mail.
    const QString& flags = settings.affiche_auto;
    if (settings.affiche_actu && flags.startsWith(QStringLiteral("001")) && flags.size() >= 5
        && flags.at(4) == u'0')
        m_windows.hideFloatingWindow();
    if (m_state.mailWindowShown) {
        m_state.mailWindowShown = false;
        m_windows.applyMailWindow();
    }
}

void MailListLogic::fillMailList()
{
    m_view.showMailLines(computeMailListContent(m_state.mailList, m_firstShownEntry));
}

void MailListLogic::scrollChanged(int value)
{
    m_firstShownEntry = qint16(qBound(1, value, MailList::Capacity));
    fillMailList();
}

void MailListLogic::lineDoubleClicked(int line)
{
    linePressed(line);
    showMailDetail();
}

void MailListLogic::linePressed(int line)
{
    m_selectedLine = qint16(qBound(0, line, LineCount - 1));
    // The user chooses the message shown on the line now. A check may empty and refill the list,
    // in another order, before "Détail" or "Supprimer" comes: they act on this message, never on
    // whatever then stands on the line.
    const MailEntry* entry = selectedEntry();
    m_chosen = entry ? std::optional<MailEntry>(*entry) : std::nullopt;
}

void MailListLogic::showMailDetail()
{
    if (m_chosen)
        m_view.showMailDetail(mailDetailOf(*m_chosen));
}

void MailListLogic::deleteSelectedMail()
{
    if (!m_state.connectedFlag || !m_chosen)
        return;
    const MailEntry chosen = *m_chosen;
    m_chosen.reset();
    const DeletionTarget target { chosen.account, chosen.messageNumber, chosen };
    m_state.mailList.count = 0;
    refreshMailState();
    m_deletion.startDeletion(target);
}

const MailEntry* MailListLogic::selectedEntry() const
{
    const int e = m_firstShownEntry + m_selectedLine;
    if (e < 1 || e > m_state.mailList.count || e > MailList::Capacity)
        return nullptr;
    return &m_state.mailList.entry(e);
}

void MailListLogic::playSoundFile(const QString& path)
{
    chronolien::playSoundFile(m_state.settings.sons, m_sound, m_state.appFolder, path);
}

} // namespace chronolien
