#include "mail/mail_list_content.h"
#include "mail/mail_list_logic.h"
#include "recording_mail_view.h"
#include "state/app_state.h"
#include "support/fake_sound_player.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <QFileInfo>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

MailEntry entry(const QString& name, const QString& subject, float sizeKo = 0, int number = 1)
{
    return { "moi@ici.fr", name + "@exemple.fr", name, zeroMailDate(), sizeKo, subject, qint16(number), 1 };
}

// A list of count entries whose subjects are "message 1" to "message <count>".
MailList numberedList(int count)
{
    MailList list;
    for (int e = 1; e <= count; ++e)
        list.entry(e) = entry(QStringLiteral("jean"), QStringLiteral("message ") + QString::number(e), 0, e);
    list.count = qint16(count);
    return list;
}

// The mail list's logic with the line up, mail checking on, and the two sounds it plays in place.
struct Rig {
    Rig()
    {
        state.appFolder = folder.path();
        state.connectedFlag = true;
        state.settings.courrier = true;
        for (const char* name : { "mail.wav", "deconnect.wav" })
            folder.writeBytes(QLatin1String(name), "RIFF");
        state.settings.son_mail = folder.file(QStringLiteral("mail.wav"));
        state.settings.son_deconnect = folder.file(QStringLiteral("deconnect.wav"));
    }
    TempAppFolder folder;
    AppState state;
    RecordingWindows windows { state };
    FakeSoundPlayer sound;
    RecordingMailView view;
    RecordingDeletionStarter deletion;
    MailListLogic logic { state, windows, sound, view, deletion };
};

} // namespace

class TestMailListLogic : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The window's own test shows the 10- and 25-character bounds, 3 and 7 entries and the scroll
    // bar moving the lines; these are the bounds it does not reach.
    void captionTooltipAndScrollBarBounds()
    {
        QCOMPARE(mailCaption(entry(QStringLiteral("jean"), QStringLiteral("1234567890123456789"))),
            QStringLiteral("jean : 123456789012345678."));
        QCOMPARE(mailTooltip(entry(QStringLiteral("abcdefghijk"), QStringLiteral("salut"), 1234.0f / 1024)),
            QStringLiteral("Expediteur : abcdefghijk // Objet : salut // Taille : 1,21 Ko"));
        QVERIFY(!computeMailListContent(numberedList(4), 1).scrollShown);
        const MailListContent five = computeMailListContent(numberedList(5), 2);
        QVERIFY(five.scrollShown);
        QCOMPARE(QList<int>({ five.scrollMinimum, five.scrollMaximum, five.scrollValue }),
            QList<int>({ 1, 2, 2 }));
        QCOMPARE(five.lines.at(3).caption, QStringLiteral("jean : message 5"));
    }

    void refreshMailState_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("courrier");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("shownBefore"); // MailWindowShown
        QTest::addColumn<bool>("floating"); // affiche_actu
        QTest::addColumn<QString>("flags"); // affiche_auto
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("calls"); // to the windows, then the sounds played
        QTest::addColumn<bool>("shownAfter");
        const auto row = [](const char* name, int count, bool before, bool floating, const char* flags,
                             const char* calls, bool after, bool debug = false, bool line = true,
                             bool mail = true) {
            QTest::newRow(name) << line << mail << count << before << floating << QString::fromLatin1(flags)
                                << debug << QString::fromLatin1(calls) << after;
        };
        const char* apply = "applyMailWindow";
        const char* hide = "hideFloatingWindow applyMailWindow";
        row("mail, floating window shown", 1, false, true, "01000", "applyMailWindow mail.wav", true);
        row("mail, mail window already open: no sound", 2, true, true, "01000", "", true);
        row("mail, floating hidden, open on mail", 1, false, false, "00100",
            "showFloatingWindow applyMailWindow mail.wav", true);
        row("mail, floating hidden, open on mail off: sound only", 1, false, false, "11011", "mail.wav",
            false);
        row("debug plays the disconnection sound first", 1, false, true, "01000",
            "applyMailWindow deconnect.wav mail.wav", true, true);
        row("emptied, floating opened for mail closes", 0, true, true, "00100", hide, false);
        row("emptied, fourth position not looked at", 0, true, true, "00110", hide, false);
        row("emptied, opening as last time keeps the floating window", 0, true, true, "00101", apply, false);
        row("emptied, opening at connection keeps the floating window", 0, true, true, "01100", apply, false);
        row("emptied, floating hidden", 0, true, false, "00100", apply, false);
        row("emptied, mail window was closed", 0, false, true, "01000", "", false);
        row("line down with mail closes", 3, true, true, "01000", apply, false, false, false);
        row("mail checking off with mail closes", 3, true, true, "01000", apply, false, false, true, false);
    }
    void refreshMailState()
    {
        QFETCH(bool, connected);
        QFETCH(bool, courrier);
        QFETCH(int, count);
        Rig r;
        r.state.connectedFlag = connected;
        r.state.settings.courrier = courrier;
        r.state.mailList = numberedList(count);
        QFETCH(bool, shownBefore);
        r.state.mailWindowShown = shownBefore;
        QFETCH(bool, floating);
        r.state.settings.affiche_actu = floating;
        QFETCH(QString, flags);
        r.state.settings.affiche_auto = flags;
        QFETCH(bool, debug);
        r.state.debugSwitch = debug;
        r.logic.scrollChanged(2);
        const int fills = r.view.fills;

        r.logic.refreshMailState();

        QStringList calls = r.windows.calls;
        for (const QString& path : r.sound.played)
            calls.append(QFileInfo(path).fileName());
        QTEST(calls.join(u' '), "calls");
        QTEST(r.state.mailWindowShown, "shownAfter");
        // Mail on the line resets the scroll position and refills the window.
        const bool hasMail = connected && courrier && count >= 1;
        QCOMPARE(r.view.fills - fills, hasMail ? 1 : 0);
        QCOMPARE(r.logic.firstShownEntry(), hasMail ? 1 : 2);
    }

    // Lines count from the scroll position: on a list scrolled to entry 5, line 1 is entry 6.
    void detailAndDeletionOfTheSelectedEntry()
    {
        Rig r;
        r.state.mailList = numberedList(7);
        MailEntry& e = r.state.mailList.entry(6);
        e.date = QDateTime(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC);
        e.sizeKo = 12345.678f;
        e.account = 3;
        r.logic.scrollChanged(5);
        r.logic.lineDoubleClicked(1);
        const MailDetail& d = r.view.details.last();
        QCOMPARE(QStringList({ d.de, d.retour, d.a, d.sujet, d.date, d.taille }),
            QStringList({ "jean", "jean@exemple.fr", "moi@ici.fr", "message 6",
                "mardi 3 février 2004 à 10:15:00", "12345,68 Ko" }));
        r.logic.deleteSelectedMail();
        QCOMPARE(r.deletion.targets.size(), 1);
        QCOMPARE(r.deletion.targets.first().account, qint16(3));
        QCOMPARE(r.deletion.targets.first().messageNumber, qint16(6));
    }

    // A check refills the list, in another order, while the detail window is open: "Supprimer"
    // still deletes the message the user chose, not what now stands on its line.
    void deletionKeepsTheMessageChosenAcrossACheck()
    {
        Rig r;
        r.state.mailList = numberedList(3);
        r.logic.lineDoubleClicked(1); // "message 2"
        r.state.mailList.count = 0;
        r.logic.refreshMailState();
        r.state.mailList = numberedList(3);
        std::swap(r.state.mailList.entry(1), r.state.mailList.entry(2));
        r.logic.refreshMailState();
        r.logic.deleteSelectedMail();
        QCOMPARE(r.deletion.targets.size(), 1);
        QCOMPARE(r.deletion.targets.first().entry.subject, QStringLiteral("message 2"));
        QCOMPARE(r.deletion.targets.first().messageNumber, qint16(2));
    }

    // A line below the last entry, or no line: nothing shown, nothing deleted.
    void aLineWithoutEntryOrOffLineDeletesNothing()
    {
        Rig r;
        r.state.mailList = numberedList(20);
        r.state.mailList.count = 2; // slots above the count keep stale entries
        r.state.mailWindowShown = true;
        r.logic.lineDoubleClicked(2);
        r.logic.showMailDetail();
        QVERIFY(r.view.details.isEmpty());
        r.logic.deleteSelectedMail();
        r.state.connectedFlag = false;
        r.logic.linePressed(0);
        r.logic.deleteSelectedMail();
        QVERIFY(r.deletion.targets.isEmpty());
        QCOMPARE(r.state.mailList.count, qint16(2));
        QVERIFY(r.windows.calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMailListLogic)
#include "test_mail_list_logic.moc"
