#pragma once

#include "accounting/time_accounting.h"
#include "config_dialog/about_box.h"
#include "config_dialog/config_dialog.h"
#include "config_dialog/config_dialog_launcher.h"
#include "config_dialog/config_page.h"
#include "config_dialog/file_chooser.h"
#include "config_dialog/section_tree_view.h"
#include "connection/connection_monitor.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/logic_rig.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QQueue>
#include <QTest>
#include <QTreeWidgetItem>

namespace chronolien::test {

// Answers the file choosers from a script; an empty script answers as a cancelled dialog.
class ScriptedFileChooser final : public FileChooser {
public:
    QString getOpenFileName(const FileChoice& choice) override
    {
        asked.append(choice);
        return answers.isEmpty() ? QString() : answers.dequeue();
    }
    QQueue<QString> answers;
    QList<FileChoice> asked;
};

// The keys of config.ini whose 92-byte records differ between two copies of the file.
inline QStringList changedKeys(const QByteArray& before, const QByteArray& after)
{
    QStringList keys;
    const qsizetype records = std::max(before.size(), after.size()) / SettingsFile::RecordSize;
    for (qsizetype i = 0; i < records; ++i) {
        const QByteArray a = before.mid(i * SettingsFile::RecordSize, SettingsFile::RecordSize);
        const QByteArray b = after.mid(i * SettingsFile::RecordSize, SettingsFile::RecordSize);
        if (a != b) {
            const QByteArray record = b.isEmpty() ? a : b;
            keys.append(QString::fromLatin1(record.mid(2, SettingsFile::KeySize)).trimmed());
        }
    }
    return keys;
}

// A program's worth of state over fakes and a real config.ini, and the configuration dialog on it.
struct DialogRig : LogicRig {
    int skinReloads = 0;
    ScriptedFileChooser chooser;
    AboutBoxOpener about { fakes.processes };
    // What NetworkManager lists; nothing: NetworkManager does not answer.
    std::optional<QStringList> networkManagerNames;
    ConfigDialogLauncher launcher { ConfigDialogContext { state, settings, fakes.messages, fakes.sound,
        fakes.processes, accounting, windows, chooser, about, [this] { ++skinReloads; },
        [this] { return networkManagerNames; } } };

    DialogRig()
    {
        state.appFolder = folder.path();
        loadSettings(state.settings, file, folder.path(), fakes.clock.today());
    }

    QByteArray config() const { return folder.readBytes(QStringLiteral("config.ini")); }

    ConfigDialog& open()
    {
        launcher.openConfiguration();
        ConfigDialog* d = launcher.dialog();
        Q_ASSERT(d);
        QApplication::setActiveWindow(d);
        if (!QTest::qWaitForWindowActive(d))
            qWarning("the configuration dialog did not become active");
        return *d;
    }
    ConfigDialog& dialog() const { return *launcher.dialog(); }

    QTreeWidgetItem* entry(const QString& text) const
    {
        const QList<QTreeWidgetItem*> found = dialog().rubriques()->findItems(
            text, Qt::MatchExactly | Qt::MatchRecursive | Qt::MatchCaseSensitive);
        return found.isEmpty() ? nullptr : found.first();
    }

    // Clicks a tree entry with the mouse, opening its section first as a user would.
    bool click(const QString& text)
    {
        QTreeWidgetItem* item = entry(text);
        if (!item)
            return false;
        SectionTreeView* tree = dialog().rubriques();
        if (item->parent())
            item->parent()->setExpanded(true);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        return true;
    }

    template <typename T = QWidget> T* find(const QString& name) const
    {
        ConfigPage* page = dialog().visiblePage();
        return page ? page->findChild<T*>(name) : nullptr;
    }

    // Opens the dialog and clicks the entry.
    bool openAt(const QString& text)
    {
        open();
        return click(text);
    }

    // Clicks a page's button (its "Valider") and gives the keys of config.ini the click changed.
    QStringList validate(const QString& button)
    {
        const QByteArray before = config();
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
        return changedKeys(before, config());
    }

    // Ticks a box or a radio button with the mouse, on its mark.
    static void tick(QAbstractButton* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }

    // Types into a field as a user would: focus, select everything, then the keys.
    static void retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }

    int visibleFrame() const
    {
        ConfigPage* page = dialog().visiblePage();
        return page ? page->frame() : -1;
    }
};

} // namespace chronolien::test
