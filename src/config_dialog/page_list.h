#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace chronolien {

class ConfigPage;
struct ConfigDialogContext;
struct Settings;

// Which setting must be true for an entry to be in the tree.
enum class ShownWhen { Always, Plan, Sounds, Mail };

using PageMaker = std::function<ConfigPage*(ConfigDialogContext& context, QWidget* parent)>;

// One entry of the tree of sections, rubriques, and the page it shows.
struct PageEntry {
    QString id; // carried by the entry's tree item; a section root's id is the section's key
    QString parent; // the section root's id; empty for a root
    QString caption; // the entry's text in the tree
    int frame; // the page is the frame fl<frame>; entries with one frame share one page
    QString frameCaption;
    int image; // a child's picture in the tree; a root shows a closed folder, open while selected
    ShownWhen shownWhen;
    PageMaker make;
    int number = 0; // the account of an address entry, told to the shared page when it loads
};

// The dialog's pages, in the order of the tree, each section's children right after it. Adding a
// page to the dialog is adding its entry here.
const QList<PageEntry>& pageList();

// The entries in the tree for these settings.
QList<PageEntry> shownEntries(const Settings& settings);

// The entry with this identifier, or none.
const PageEntry* pageEntry(const QString& id);

} // namespace chronolien
