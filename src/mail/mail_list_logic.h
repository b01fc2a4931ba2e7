#pragma once

#include "mail/mail_list_events.h"
#include "state/mail_list.h"

#include <QtGlobal>
#include <optional>

namespace chronolien {

struct AppState;
class DeletionStarter;
class MailWindowView;
class SoundPlayer;
class ProgramView;

// The mail list as the windows show it: which entries the four lines of fl_mail show, the line
// last clicked, opening and closing the windows and playing the mail sound as mail comes and goes,
// and the user's actions on a line (detail, deletion).
class MailListLogic final : public MailListEvents {
public:
    static constexpr int LineCount = 4;

    MailListLogic(AppState& state, ProgramView& windows, SoundPlayer& sound, MailWindowView& view,
        DeletionStarter& deletion);

    void refreshMailState() override;
    void fillMailList() override;

    // Events of fl_mail: the scroll bar defil moved; lst_mail(k) double-clicked or pressed.
    void scrollChanged(int value);
    void lineDoubleClicked(int line);
    void linePressed(int line);

    // The selected entry in fl_detmail; nothing for a line without an entry.
    void showMailDetail();
    // Deletes the selected entry's message on its server; nothing off line or for a line without
    // an entry.
    void deleteSelectedMail();

    int firstShownEntry() const { return m_firstShownEntry; }

private:
    // The entry on the selected line; null when that line shows none.
    const MailEntry* selectedEntry() const;
    void playSoundFile(const QString& path);

    AppState& m_state;
    ProgramView& m_windows;
    SoundPlayer& m_sound;
    MailWindowView& m_view;
    DeletionStarter& m_deletion;
    qint16 m_firstShownEntry = 1; // the entry on the top line: the scroll position
    qint16 m_selectedLine = 0; // 0 to 3
    std::optional<MailEntry> m_chosen; // the message on the selected line when it was chosen
};

} // namespace chronolien
