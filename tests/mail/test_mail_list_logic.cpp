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

MailEntry entry(
    const QString& name, const QString& subject, float sizeKo = 0, int number = 1, int account = 1)
{
    MailEntry e;
    e.senderName = name;
    e.senderAddress = name + QStringLiteral("@exemple.fr");
    e.recipient = QStringLiteral("moi@ici.fr");
    e.subject = subject;
    e.sizeKo = sizeKo;
    e.messageNumber = qint16(number);
    e.account = qint16(account);
    return e;
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

} // namespace

class TestMailListLogic : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<RecordingWindows> m_windows;
    std::unique_ptr<FakeSoundPlayer> m_sound;
    std::unique_ptr<RecordingMailView> m_view;
    std::unique_ptr<RecordingDeletionStarter> m_deletion;
    std::unique_ptr<MailListLogic> m_logic;

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_state = std::make_unique<AppState>();
        m_state->appFolder = m_folder->path();
        m_state->connectedFlag = true;
        m_state->settings.courrier = true;
        // The sounds are played only when their files exist.
        for (const char* name : { "mail.wav", "deconnect.wav" })
            m_folder->writeBytes(QLatin1String(name), "RIFF");
        m_state->settings.son_mail = m_folder->file(QStringLiteral("mail.wav"));
        m_state->settings.son_deconnect = m_folder->file(QStringLiteral("deconnect.wav"));
        m_windows = std::make_unique<RecordingWindows>(*m_state);
        m_sound = std::make_unique<FakeSoundPlayer>();
        m_view = std::make_unique<RecordingMailView>();
        m_deletion = std::make_unique<RecordingDeletionStarter>();
        m_logic = std::make_unique<MailListLogic>(*m_state, *m_windows, *m_sound, *m_view, *m_deletion);
    }

    // The 10-, 11- and 25-character cases, the tooltip and the 3 and 7 entries are shown on the
    // window itself in the mail list display's test; these are the bounds it does not reach.
    void captionAndTooltip()
    {
        QCOMPARE(mailCaption(entry(QStringLiteral("jean"), QStringLiteral("1234567890123456789"))),
            QStringLiteral("jean : 123456789012345678."));
        QCOMPARE(mailTooltip(entry(QStringLiteral("abcdefghijk"), QStringLiteral("salut"), 1234.0f / 1024)),
            QStringLiteral("Expediteur : abcdefghijk // Objet : salut // Taille : 1,21 Ko"));
    }

    void linesAndScrollBar_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("lines"); // the subjects' numbers on the four lines
        QTest::addColumn<QString>("scroll"); // shown: minimum, maximum, value
        QTest::newRow("4 entries") << 4 << 1 << "1 2 3 4"
                                   << "";
        QTest::newRow("5 entries") << 5 << 1 << "1 2 3 4"
                                   << "1 2 1";
        QTest::newRow("20 entries at the end") << 20 << 17 << "17 18 19 20"
                                               << "1 17 17";
    }
    void linesAndScrollBar()
    {
        QFETCH(int, count);
        QFETCH(int, first);
        const MailListContent content = computeMailListContent(numberedList(count), first);
        QStringList lines;
        for (const MailLine& line : content.lines)
            lines.append(line.caption.mid(line.caption.lastIndexOf(u' ') + 1));
        QTEST(lines.join(u' '), "lines");
        QTEST(content.scrollShown ? QStringLiteral("%1 %2 %3")
                                        .arg(content.scrollMinimum)
                                        .arg(content.scrollMaximum)
                                        .arg(content.scrollValue)
                                  : QString(),
            "scroll");
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
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("sounds");
        QTest::addColumn<bool>("shownAfter");

        const QStringList none;
        const QStringList mail { "mail.wav" };
        const QStringList apply { "applyMailWindow" };
        QTest::newRow("mail, floating window shown")
            << true << true << 1 << false << true << "01000" << false << apply << mail << true;
        QTest::newRow("mail, mail window already open: no sound")
            << true << true << 2 << true << true << "01000" << false << none << none << true;
        QTest::newRow("mail, floating hidden, open on mail")
            << true << true << 1 << false << false << "00100" << false
            << QStringList { "showFloatingWindow", "applyMailWindow" } << mail << true;
        QTest::newRow("mail, floating hidden, open on mail off: sound only")
            << true << true << 1 << false << false << "11011" << false << none << mail << false;
        QTest::newRow("debug plays the disconnection sound first")
            << true << true << 1 << false << true << "01000" << true << apply
            << QStringList { "deconnect.wav", "mail.wav" } << true;
        QTest::newRow("emptied, floating opened for mail closes")
            << true << true << 0 << true << true << "00100" << false
            << QStringList { "hideFloatingWindow", "applyMailWindow" } << none << false;
        QTest::newRow("emptied, fourth position not looked at")
            << true << true << 0 << true << true << "00110" << false
            << QStringList { "hideFloatingWindow", "applyMailWindow" } << none << false;
        QTest::newRow("emptied, opening as last time keeps the floating window")
            << true << true << 0 << true << true << "00101" << false << apply << none << false;
        QTest::newRow("emptied, opening at connection keeps the floating window")
            << true << true << 0 << true << true << "01100" << false << apply << none << false;
        QTest::newRow("emptied, floating hidden")
            << true << true << 0 << true << false << "00100" << false << apply << none << false;
        QTest::newRow("emptied, mail window was closed")
            << true << true << 0 << false << true << "01000" << false << none << none << false;
        QTest::newRow("line down with mail closes")
            << false << true << 3 << true << true << "01000" << false << apply << none << false;
        QTest::newRow("mail checking off with mail closes")
            << true << false << 3 << true << true << "01000" << false << apply << none << false;
    }
    void refreshMailState()
    {
        QFETCH(int, count);
        QFETCH(bool, connected);
        QFETCH(bool, courrier);
        QFETCH(bool, shownBefore);
        QFETCH(bool, floating);
        QFETCH(QString, flags);
        QFETCH(bool, debug);
        QFETCH(QStringList, sounds);
        m_state->connectedFlag = connected;
        m_state->settings.courrier = courrier;
        m_state->mailList = numberedList(count);
        m_state->mailWindowShown = shownBefore;
        m_state->settings.affiche_actu = floating;
        m_state->settings.affiche_auto = flags;
        m_state->debugSwitch = debug;
        m_logic->scrollChanged(2);
        const int fills = m_view->fills;

        m_logic->refreshMailState();

        QTEST(m_windows->calls, "calls");
        QStringList played;
        for (const QString& path : m_sound->played)
            played.append(QFileInfo(path).fileName());
        QCOMPARE(played, sounds);
        QTEST(m_state->mailWindowShown, "shownAfter");
        // Mail on the line resets the scroll position and refills the window.
        const bool hasMail = connected && courrier && count >= 1;
        QCOMPARE(m_view->fills - fills, hasMail ? 1 : 0);
        QCOMPARE(m_logic->firstShownEntry(), hasMail ? 1 : 2);
    }

    // Lines count from the scroll position: on a list scrolled to entry 5, line 1 is entry 6.
    void detailAndDeletionOfTheSelectedEntry()
    {
        m_state->mailList = numberedList(7);
        MailEntry& e = m_state->mailList.entry(6);
        e.date = QDateTime(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC);
        e.sizeKo = 2.25f;
        e.account = 3;
        m_logic->scrollChanged(5);
        m_logic->lineDoubleClicked(0); // entry 5, never dated
        QCOMPARE(m_view->details.last().date, QStringLiteral("samedi 30 décembre 1899 à 00:00:00"));
        m_logic->lineDoubleClicked(1);
        const MailDetail& d = m_view->details.last();
        QCOMPARE(QStringList({ d.de, d.retour, d.a, d.sujet, d.date, d.taille }),
            QStringList({ "jean", "jean@exemple.fr", "moi@ici.fr", "message 6",
                "mardi 3 février 2004 à 10:15:00", "2,25 Ko" }));
        m_logic->deleteSelectedMail();
        QCOMPARE(m_deletion->targets.size(), 1);
        QCOMPARE(m_deletion->targets.first().account, qint16(3));
        QCOMPARE(m_deletion->targets.first().messageNumber, qint16(6));
    }

    // A check refills the list, in another order, while the detail window is open: "Supprimer"
    // still deletes the message the user chose, not what now stands on its line.
    void deletionKeepsTheMessageChosenAcrossACheck()
    {
        m_state->mailList = numberedList(3);
        m_logic->lineDoubleClicked(1); // "message 2"
        m_state->mailList.count = 0;
        m_logic->refreshMailState();
        m_state->mailList = numberedList(3);
        std::swap(m_state->mailList.entry(1), m_state->mailList.entry(2));
        m_logic->refreshMailState();
        m_logic->deleteSelectedMail();
        QCOMPARE(m_deletion->targets.size(), 1);
        QCOMPARE(m_deletion->targets.first().entry.subject, QStringLiteral("message 2"));
        QCOMPARE(m_deletion->targets.first().messageNumber, qint16(2));
    }

    // A line below the last entry, or no line: nothing shown, nothing deleted.
    void aLineWithoutEntryOrOffLineDeletesNothing()
    {
        m_state->mailList = numberedList(20);
        m_state->mailList.count = 2; // slots above the count keep stale entries
        m_state->mailWindowShown = true;
        m_logic->lineDoubleClicked(2);
        m_logic->showMailDetail();
        QVERIFY(m_view->details.isEmpty());
        m_logic->deleteSelectedMail();
        m_state->connectedFlag = false;
        m_logic->linePressed(0);
        m_logic->deleteSelectedMail();
        QVERIFY(m_deletion->targets.isEmpty());
        QCOMPARE(m_state->mailList.count, qint16(2));
        QVERIFY(m_windows->calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMailListLogic)
#include "test_mail_list_logic.moc"
