#pragma once

#include "config_dialog/about_box.h"
#include "config_dialog/config_dialog.h"
#include "config_dialog/config_dialog_launcher.h"
#include "config_dialog/config_page.h"
#include "config_dialog/file_chooser.h"
#include "config_dialog/section_tree_view.h"
#include "support/logic_rig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidgetItem>

namespace chronolien::test {

struct CancelledFileChooser final : FileChooser {
    QString getOpenFileName(const FileChoice&) override { return {}; }
};

// A program's worth of state over fakes and a real config.ini, and the configuration dialog on it.
struct DialogRig : LogicRig {
    int skinReloads = 0;
    CancelledFileChooser chooser;
    AboutBoxOpener about { fakes.processes };
    // What NetworkManager lists; nothing: NetworkManager does not answer.
    std::optional<QStringList> networkManagerNames;
    ConfigDialogLauncher launcher { ConfigDialogContext { state, settings, fakes.messages, fakes.sound,
        fakes.processes, accounting, windows, chooser, about, [this] { ++skinReloads; },
        [this] { return networkManagerNames; } } };

    // Starts as the program does, from a config.ini that holds these "key=value" records.
    explicit DialogRig(const QStringList& stored = {})
    {
        state.appFolder = folder.path();
        for (const QString& record : stored)
            file.writeKey(record.section(u'=', 0, 0), record.section(u'=', 1));
        loadSettings(state.settings, file, folder.path(), fakes.clock.today());
    }

    QByteArray config() const { return folder.readBytes(QStringLiteral("config.ini")); }

    // The "key=value" records of config.ini that differ from an earlier copy of the file.
    QStringList changedRecords(const QByteArray& before) const
    {
        const QByteArray after = config();
        QStringList records;
        for (qsizetype at = 0; at < std::max(before.size(), after.size()); at += SettingsFile::RecordSize) {
            if (before.mid(at, SettingsFile::RecordSize) == after.mid(at, SettingsFile::RecordSize))
                continue;
            const QString key = QString::fromLatin1(after.mid(at + 2, SettingsFile::KeySize)).trimmed();
            records.append(key + u'=' + file.readKey(key));
        }
        return records;
    }

    ConfigDialog& dialog() const { return *launcher.dialog(); }
    ConfigDialog& open()
    {
        launcher.openConfiguration();
        QApplication::setActiveWindow(&dialog());
        if (!QTest::qWaitForWindowActive(&dialog()))
            qWarning("the configuration dialog did not become active");
        return dialog();
    }
    bool openAt(const QString& caption)
    {
        open();
        return click(caption);
    }

    QTreeWidgetItem* entry(const QString& caption) const
    {
        const auto flags = Qt::MatchExactly | Qt::MatchRecursive | Qt::MatchCaseSensitive;
        return dialog().rubriques()->findItems(caption, flags).value(0);
    }

    // Clicks a tree entry with the mouse, opening its section first as a user would.
    bool click(const QString& caption)
    {
        QTreeWidgetItem* item = entry(caption);
        if (!item)
            return false;
        if (item->parent())
            item->parent()->setExpanded(true);
        SectionTreeView* tree = dialog().rubriques();
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        return true;
    }

    // A control of the page shown, by its object name; the page's own name, empty when none shows.
    template <typename T = QWidget> T* find(const QString& name) const
    {
        return dialog().visiblePage() ? dialog().visiblePage()->findChild<T*>(name) : nullptr;
    }
    QString shownFrame() const
    {
        return dialog().visiblePage() ? dialog().visiblePage()->objectName() : QString();
    }

    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    static void clickRow(QListWidget* list, int row)
    {
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
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

    // A skin folder skin/<name>, with its counter picture or without.
    void makeSkin(const QString& name, bool complete = true) const
    {
        QDir(folder.path()).mkpath(QStringLiteral("skin/") + name);
        QImage picture(150, 90, QImage::Format_RGB32);
        picture.fill(QColor(0x30, 0x50, 0x90));
        picture.save(folder.file(QStringLiteral("skin/%1/centre.jpg").arg(name)), "JPG");
        if (complete)
            picture.save(folder.file(QStringLiteral("skin/%1/compteur.jpg").arg(name)), "JPG");
    }
};

} // namespace chronolien::test
