#pragma once

#include "state/mail_list.h"

#include <QString>
#include <array>

namespace chronolien {

// One line of the mail window: its text and the tooltip that gives the whole of it.
struct MailLine {
    QString caption;
    QString tooltip;
};

// What the mail window shows for the list at a scroll position.
struct MailListContent {
    static constexpr int LineCount = 4;

    std::array<MailLine, LineCount> lines;
    // The scroll bar defil is there only while the list holds more than four entries; its last
    // position shows the last four.
    bool scrollShown = false;
    int scrollMinimum = 1;
    int scrollMaximum = 1;
    int scrollValue = 1;
};

// "Expediteur : <name> // Objet : <subject> // Taille : <size> Ko".
QString mailTooltip(const MailEntry& entry);
// "<name> : <subject>", the name cut after 10 characters and the whole after 25, each cut
// marked with ".".
QString mailCaption(const MailEntry& entry);

// The four lines from entry firstShownEntry on, and the scroll bar.
MailListContent computeMailListContent(const MailList& list, int firstShownEntry);

// The texts of the detail window fl_detmail for one entry.
struct MailDetail {
    QString de; // sender name
    QString retour; // sender address
    QString a; // recipient
    QString sujet;
    QString date;
    QString taille;
};

MailDetail mailDetailOf(const MailEntry& entry);

} // namespace chronolien
