#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace chronolien {

// Which setting must be true for an entry to be in the tree.
enum class EntryCondition { Always, Forfait, Sons, Courrier };

// One entry of the tree of sections, rubriques, and the page behind it.
struct SectionEntry {
    QString text; // the entry's literal text; the page switch goes by it
    QString parentKey; // empty for a section root
    QString key; // only the five section roots have one
    int image; // index in the tree's image list
    int selectedImage; // the image while selected
    EntryCondition condition;
    int frame; // fl0 to fl20
    int number; // account 1 to 5 on fl15, sound event 1 to 3 on fl11 to fl13; 0 elsewhere
};

// Every entry in the order the tree adds them, each section's children right after it.
const QList<SectionEntry>& sectionTable();

// The entries that buildSectionTree adds for these values of forfait, sons and courrier.
QList<SectionEntry> sectionTreeEntries(bool forfait, bool sons, bool courrier);

// The entry whose text equals the clicked text exactly, with case; the first in table order wins.
std::optional<SectionEntry> entryForText(const QString& text);

// The caption of frame fl<frame>.
QString frameCaption(int frame);

} // namespace chronolien
