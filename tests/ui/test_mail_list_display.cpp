// The mail window and the detail window with real widgets.
#include "mail/mail_list_logic.h"
#include "mail/recording_mail_view.h"
#include "support/fakes.h"
#include "ui/detail_window.h"
#include "ui/mail_list_display.h"
#include "ui/mail_window.h"
#include "window_rig.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// The windows with the mail list's logic on them, the line up and mail checking on.
struct MailRig : WindowRig {
    FakeSoundPlayer sound;
    RecordingDeletionStarter deletion;
    MailListDisplay display { windows.mailWindow() };
    MailListLogic logic { state, windows, sound, display, deletion };

    MailRig()
    {
        state.connectedFlag = true;
        state.settings.courrier = true;
        display.connectTo(logic);
        windows.setMailListFill([this] { logic.fillMailList(); });
        windows.showFloatingWindow();
    }
    ~MailRig() { windows.closeAllWindows(); }

    QLabel* lst_mail(int k) const
    {
        return child<QLabel>(windows.mailWindow(), QStringLiteral("lst_mail_%1").arg(k));
    }
    QString line(int k) const { return lst_mail(k)->text(); }
    QScrollBar* defil() const { return child<QScrollBar>(windows.mailWindow(), "defil"); }

    // The check finds the messages one by one: these senders and subjects, then "jean" and
    // "message <n>" up to count.
    void findMail(int count, const QList<std::pair<const char*, const char*>>& first = {})
    {
        state.mailList.count = 0;
        for (int e = 1; e <= count; ++e) {
            MailEntry& entry = state.mailList.entry(e);
            entry.senderName = e <= first.size() ? first[e - 1].first : "jean";
            entry.subject
                = e <= first.size() ? QString(first[e - 1].second) : "message " + QString::number(e);
            entry.messageNumber = qint16(e);
            entry.account = 1;
            state.mailList.count = qint16(e);
            logic.refreshMailState();
        }
    }
};

} // namespace

class TestMailListDisplay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The logic's lines reach the labels as plain text, cut at 10 and 25 characters, with their
    // tooltips, and the bar scrolls them; emptied, the window closes and keeps nothing from before.
    void linesAndScrollBar()
    {
        MailRig rig;
        rig.findMail(3);
        QCOMPARE(rig.line(2), QStringLiteral("jean : message 3"));
        QCOMPARE(rig.line(3), QString());
        QVERIFY(!rig.lst_mail(0)->toolTip().isEmpty() && rig.lst_mail(3)->toolTip().isEmpty());
        QVERIFY(!rig.defil()->isVisible());

        rig.findMail(7,
            { { "abcdefghij", "x" }, { "abcdefghijk", "x" }, { "jean", "123456789012345678" },
                { "<b>x</b>", "<i>y" } });
        QCOMPARE(QStringList({ rig.line(0), rig.line(1), rig.line(2), rig.line(3) }),
            QStringList(
                { "abcdefghij : x", "abcdefghij. : x", "jean : 123456789012345678", "<b>x</b> : <i>y" }));
        QCOMPARE(rig.lst_mail(3)->textFormat(), Qt::PlainText);
        QVERIFY(rig.defil()->isVisible());
        QCOMPARE(rig.defil()->minimum(), 1);
        QCOMPARE(rig.defil()->maximum(), 4);
        rig.defil()->setValue(4);
        QCOMPARE(rig.line(3), QStringLiteral("jean : message 7"));

        rig.state.mailList.count = 0;
        rig.logic.refreshMailState();
        QVERIFY(!rig.windows.mailWindow().isVisible());
        rig.logic.fillMailList();
        QCOMPARE(rig.line(0) + rig.line(1) + rig.line(2) + rig.line(3), QString());
        QVERIFY(!rig.defil()->isVisible());
    }

    // A double click on a line shows its message in the detail window (nothing on an empty line);
    // "OK" closes it.
    void doubleClickShowsTheDetail()
    {
        MailRig rig;
        rig.findMail(2);
        QVERIFY(QTest::qWaitForWindowExposed(&rig.windows.mailWindow()));
        QTest::mouseDClick(rig.lst_mail(3), Qt::LeftButton);
        DetailWindow& window = rig.display.detailWindow();
        QVERIFY(!window.isVisible());
        QTest::mouseDClick(rig.lst_mail(1), Qt::LeftButton);
        QVERIFY(window.isVisible());
        QCOMPARE(window.value("date")->text(), QStringLiteral("samedi 30 décembre 1899 à 00:00:00"));
        QCOMPARE(window.value("sujet")->text(), QStringLiteral("message 2"));

        QTest::mouseClick(child<QPushButton>(window, "ok"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QVERIFY(rig.deletion.targets.isEmpty());
    }

    // A line's menu on a scrolled list shows that line's message; "Supprimer", from the menu or
    // from the detail window, deletes it and closes the mail window.
    void menuAndDeletion()
    {
        for (const bool fromMenu : { true, false }) {
            MailRig rig;
            rig.findMail(7);
            rig.defil()->setValue(3);
            QTest::mousePress(rig.lst_mail(1), Qt::RightButton);
            QMenu* menu = rig.display.menu();
            QTRY_VERIFY(menu->isVisible());
            child<QAction>(*menu, "menu3detail")->trigger();
            menu->close();
            QCOMPARE(rig.display.detailWindow().value("sujet")->text(), QStringLiteral("message 4"));
            if (fromMenu)
                child<QAction>(*menu, "menu3supr")->trigger();
            else
                QTest::mouseClick(child<QPushButton>(rig.display.detailWindow(), "supr"), Qt::LeftButton);
            QCOMPARE(rig.deletion.targets.size(), 1);
            QCOMPARE(rig.deletion.targets.first().messageNumber, qint16(4));
            QVERIFY(!rig.windows.mailWindow().isVisible());
        }
    }
};

QTEST_MAIN(TestMailListDisplay)
#include "test_mail_list_display.moc"
