// The mail window's lines, scroll bar, clicks and menu, and the detail window, with real widgets.
#include "mail/mail_list_logic.h"
#include "mail/recording_mail_view.h"
#include "support/fake_sound_player.h"
#include "ui/detail_window.h"
#include "ui/floating_window.h"
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

MailEntry entry(const QString& name, const QString& subject, int number)
{
    MailEntry e;
    e.senderName = name;
    e.senderAddress = QStringLiteral("jean@exemple.fr");
    e.recipient = QStringLiteral("moi@ici.fr");
    e.subject = subject;
    e.messageNumber = qint16(number);
    e.account = 1;
    return e;
}

} // namespace

class TestMailListDisplay : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowRig> m_rig;
    std::unique_ptr<FakeSoundPlayer> m_sound;
    std::unique_ptr<RecordingDeletionStarter> m_deletion;
    std::unique_ptr<MailListDisplay> m_display;
    std::unique_ptr<MailListLogic> m_logic;

    AppState& state() { return m_rig->state; }
    MailWindow& fl_mail() { return m_rig->windows.mailWindow(); }
    DetailWindow& fl_detmail() { return m_display->detailWindow(); }
    QLabel* lst_mail(int k) { return child<QLabel>(fl_mail(), QStringLiteral("lst_mail_%1").arg(k)); }
    QScrollBar* defil() { return child<QScrollBar>(fl_mail(), "defil"); }
    QString line(int k) { return lst_mail(k)->text(); }

    // The check has found count messages, subjects "message 1" onwards.
    void findMail(int count)
    {
        state().mailList.count = 0;
        for (int e = 1; e <= count; ++e) {
            state().mailList.entry(e)
                = entry(QStringLiteral("jean"), QStringLiteral("message ") + QString::number(e), e);
            state().mailList.count = qint16(e);
            m_logic->refreshMailState();
        }
    }

private Q_SLOTS:
    void init()
    {
        m_rig = std::make_unique<WindowRig>();
        state().connectedFlag = true;
        state().settings.courrier = true;
        m_rig->folder.writeBytes(QStringLiteral("mail.wav"), "RIFF");
        state().settings.son_mail = m_rig->folder.file(QStringLiteral("mail.wav"));
        m_sound = std::make_unique<FakeSoundPlayer>();
        m_deletion = std::make_unique<RecordingDeletionStarter>();
        m_display = std::make_unique<MailListDisplay>(fl_mail());
        m_logic = std::make_unique<MailListLogic>(state(), m_rig->windows, *m_sound, *m_display, *m_deletion);
        m_display->connectTo(*m_logic);
        m_rig->windows.setMailListFill([this] { m_logic->fillMailList(); });
        m_rig->windows.showFloatingWindow();
    }
    void cleanup()
    {
        m_rig->windows.closeAllWindows();
        m_logic.reset();
        m_display.reset();
        m_rig.reset();
    }

    // The logic's lines and scroll bar reach the window's labels and bar, and the bar scrolls them.
    void linesAndScrollBar()
    {
        findMail(3);
        QVERIFY(fl_mail().isVisible());
        QCOMPARE(line(2), QStringLiteral("jean : message 3"));
        QCOMPARE(line(3), QString());
        QVERIFY(!lst_mail(0)->toolTip().isEmpty());
        QVERIFY(lst_mail(3)->toolTip().isEmpty());
        QVERIFY(!defil()->isVisible());
        QCOMPARE(m_sound->played.size(), 1); // once, when the window opened

        findMail(7);
        QScrollBar* scroll = defil();
        QVERIFY(scroll->isVisible());
        QCOMPARE(scroll->minimum(), 1);
        QCOMPARE(scroll->maximum(), 4);
        scroll->setValue(4);
        QCOMPARE(line(0), QStringLiteral("jean : message 4"));
        QCOMPARE(line(3), QStringLiteral("jean : message 7"));

        // Emptied: the window closes, and shown again it has nothing left from before.
        state().mailList.count = 0;
        m_logic->refreshMailState();
        QVERIFY(!fl_mail().isVisible());
        m_logic->fillMailList();
        for (int k = 0; k < 4; ++k)
            QCOMPARE(line(k), QString());
        QVERIFY(!defil()->isVisible());
    }

    void captionCuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("caption");
        QTest::newRow("sender of 10") << "abcdefghij"
                                      << "x"
                                      << "abcdefghij : x";
        QTest::newRow("sender of 11") << "abcdefghijk"
                                      << "x"
                                      << "abcdefghij. : x";
        QTest::newRow("caption of 25") << "jean"
                                       << "123456789012345678"
                                       << "jean : 123456789012345678";
        QTest::newRow("markup stays text") << "<b>x</b>"
                                           << "<i>y"
                                           << "<b>x</b> : <i>y";
    }
    void captionCuts()
    {
        QFETCH(QString, name);
        QFETCH(QString, subject);
        state().mailList.entry(1) = entry(name, subject, 1);
        state().mailList.count = 1;
        m_logic->refreshMailState();
        QTEST(line(0), "caption");
        QCOMPARE(lst_mail(0)->textFormat(), Qt::PlainText);
    }

    void doubleClickShowsTheDetail()
    {
        findMail(2);
        QVERIFY(QTest::qWaitForWindowExposed(&fl_mail()));
        QTest::mouseDClick(lst_mail(3), Qt::LeftButton); // a line without entry
        QVERIFY(!fl_detmail().isVisible());
        QTest::mouseDClick(lst_mail(0), Qt::LeftButton);
        QVERIFY(fl_detmail().isVisible());
        QCOMPARE(fl_detmail().value("date")->text(), QStringLiteral("samedi 30 décembre 1899 à 00:00:00"));
        QCOMPARE(fl_detmail().value("sujet")->text(), QStringLiteral("message 1"));
        QTest::mouseClick(child<QPushButton>(fl_detmail(), "ok"), Qt::LeftButton);
        QVERIFY(!fl_detmail().isVisible());
        QVERIFY(m_deletion->targets.isEmpty());
    }

    void rightButtonMenu()
    {
        findMail(7);
        defil()->setValue(3);
        QTest::mousePress(lst_mail(1), Qt::RightButton);
        QTRY_VERIFY(m_display->menu()->isVisible());
        child<QAction>(*m_display->menu(), "menu3detail")->trigger();
        m_display->menu()->close();
        QCOMPARE(fl_detmail().value("sujet")->text(), QStringLiteral("message 4"));

        child<QAction>(*m_display->menu(), "menu3supr")->trigger();
        QCOMPARE(m_deletion->targets.size(), 1);
        QCOMPARE(m_deletion->targets.first().messageNumber, qint16(4));
        QVERIFY(!fl_mail().isVisible());
    }

    void deleteFromTheDetailWindow()
    {
        findMail(5);
        QTest::mouseDClick(lst_mail(2), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(fl_detmail(), "supr"), Qt::LeftButton);
        QVERIFY(!fl_detmail().isVisible());
        QCOMPARE(m_deletion->targets.size(), 1);
        QCOMPARE(m_deletion->targets.first().messageNumber, qint16(3));
        QVERIFY(!fl_mail().isVisible());
    }

    void detailWindowDragsByItsBackground()
    {
        findMail(1);
        QTest::mouseDClick(lst_mail(0), Qt::LeftButton);
        DetailWindow& window = fl_detmail();
        window.move(100, 100);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint start = window.pos();
        // Pressed on a label, which is part of the background for the drag.
        const QPoint press = window.value("sujet")->geometry().center();
        const auto moveTo = [&](QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent move(
                QEvent::MouseMove, QPointF(at), window.mapToGlobal(QPointF(at)), Qt::NoButton, buttons, {});
            QApplication::sendEvent(&window, &move);
        };
        QTest::mousePress(&window, Qt::LeftButton, {}, press);
        moveTo(press + QPoint(30, 12), Qt::LeftButton);
        QCOMPARE(window.pos(), start + QPoint(30, 12));
        QTest::mouseRelease(&window, Qt::LeftButton, {}, press);
        moveTo(press + QPoint(50, 50), Qt::NoButton);
        QCOMPARE(window.pos(), start + QPoint(30, 12));
    }
};

QTEST_MAIN(TestMailListDisplay)
#include "test_mail_list_display.moc"
