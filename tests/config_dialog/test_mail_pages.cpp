#include "config_dialog/mail_pages.h"
#include "dialog_rig.h"
#include "mail/accounts_file.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// Accounts stored in courrier.ini by an earlier run.
void storeAccounts(DialogRig& rig)
{
    MailboxAccounts stored;
    stored.account(2) = MailboxAccount { 2, "pop.deux.example", "login2", "secret2", 0, true };
    stored.account(4) = MailboxAccount { 4, "pop.quatre.example", "login4", "secret4", 1, true };
    QVERIFY(saveAccounts(stored, rig.folder.file("courrier.ini"), rig.fakes.messages));
}

} // namespace

class TestMailPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void switchingMailOffClosesTheMailWindow()
    {
        DialogRig rig;
        rig.state.settings.courrier = true;
        rig.file.writeKey("courrier", true);
        rig.state.mailWindowShown = true;
        rig.open();
        QVERIFY(rig.entry("Adresse n°5"));
        QVERIFY(rig.click("COURRIER"));
        auto* box = rig.find<QCheckBox>("vf_courrier");
        QVERIFY(!box->isChecked());
        const QByteArray before = rig.config();
        DialogRig::tick(box);
        QVERIFY(!rig.state.settings.courrier);
        QVERIFY(!rig.state.mailWindowShown);
        QCOMPARE(rig.windows.callsOf("applyMailWindow"), QStringList { "applyMailWindow" });
        QCOMPARE(rig.dialog().rubriques()->sectionItem("courrier")->childCount(), 0);
        QCOMPARE(rig.visibleFrame(), 14);
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "courrier" });
    }

    void switchingMailOnKeepsStoredAccounts()
    {
        DialogRig rig;
        storeAccounts(rig);
        const QByteArray stored = rig.folder.readBytes("courrier.ini");
        QVERIFY(rig.openAt("COURRIER"));
        DialogRig::tick(rig.find<QCheckBox>("vf_courrier"));
        QVERIFY(rig.click("Adresse n°2"));
        QCOMPARE(rig.find<QLineEdit>("txt_pop")->text(), QStringLiteral("pop.deux.example"));
        // The page tells how to write a server reached over TLS.
        QVERIFY(
            rig.find<QLineEdit>("txt_pop")->toolTip().contains(QStringLiteral("pop3s://pop.example.org")));

        QVERIFY(rig.click("Adresse n°1"));
        DialogRig::tick(rig.find<QCheckBox>("vf_pop"));
        DialogRig::retype(rig.find<QLineEdit>("txt_pop"), "pop.un.example");
        DialogRig::retype(rig.find<QLineEdit>("txt_login"), "login1");
        QTest::mouseClick(rig.find<QPushButton>("bt15_ok"), Qt::LeftButton);
        QVERIFY(rig.folder.readBytes("courrier.ini") != stored);
        MailboxAccounts reread;
        loadAccounts(reread, rig.folder.file("courrier.ini"));
        QCOMPARE(reread.account(1).server, QStringLiteral("pop.un.example"));
        QCOMPARE(reread.account(2).server, QStringLiteral("pop.deux.example"));
        QCOMPARE(reread.account(4).password, QStringLiteral("secret4"));
    }

    void addressPageShowsAccount()
    {
        DialogRig rig;
        rig.state.settings.courrier = true;
        storeAccounts(rig);
        loadAccounts(rig.state.mailboxAccounts, rig.folder.file("courrier.ini"));
        QVERIFY(rig.openAt("Adresse n°4"));
        QCOMPARE(rig.visibleFrame(), 15);
        auto* password = rig.find<QLineEdit>("txt_pass");
        QCOMPARE(password->text(), QStringLiteral("secret4"));
        QCOMPARE(
            password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password), int('X'));
        QCOMPARE(rig.find<QLabel>("txt_etat")->text(), QStringLiteral("testé OK"));
        QCOMPARE(rig.find<QFrame>("led_etat")->property("colour").value<QColor>(), QColor(Qt::green));
        QVERIFY(!rig.find<QCheckBox>("vf_pop")->isChecked());

        QVERIFY(rig.click("Adresse n°3"));
        QVERIFY(rig.find<QCheckBox>("vf_pop")->isChecked());
        QVERIFY(!rig.find<QLineEdit>("txt_pop")->isEnabled());
    }

    void unvalidatedTextsGoButUseChangeStays()
    {
        DialogRig rig;
        rig.state.settings.courrier = true;
        storeAccounts(rig);
        loadAccounts(rig.state.mailboxAccounts, rig.folder.file("courrier.ini"));
        const QByteArray stored = rig.folder.readBytes("courrier.ini");
        QVERIFY(rig.openAt("Adresse n°2"));
        DialogRig::retype(rig.find<QLineEdit>("txt_login"), "autre");
        DialogRig::tick(rig.find<QCheckBox>("vf_pop"));
        QVERIFY(!rig.state.mailboxAccounts.account(2).inUse);
        QVERIFY(!rig.find<QLineEdit>("txt_login")->isEnabled());
        QVERIFY(rig.click("Adresse n°3"));
        QVERIFY(rig.click("Adresse n°2"));
        QCOMPARE(rig.find<QLineEdit>("txt_login")->text(), QStringLiteral("login2"));
        QVERIFY(rig.find<QCheckBox>("vf_pop")->isChecked());
        QCOMPARE(rig.folder.readBytes("courrier.ini"), stored);
    }

    void validation_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("login");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("server of 3") << "pop"
                                     << "login" << false;
        QTest::newRow("login of 3") << "pop.example"
                                    << "abc" << false;
        QTest::newRow("4 and 4") << "pop1"
                                 << "abcd" << true;
        QTest::newRow("61-character server") << QString(61, u'p') << "abcd" << true;
    }
    void validation()
    {
        QFETCH(QString, server);
        QFETCH(QString, login);
        QFETCH(bool, accepted);
        DialogRig rig;
        rig.state.settings.courrier = true;
        storeAccounts(rig);
        loadAccounts(rig.state.mailboxAccounts, rig.folder.file("courrier.ini"));
        const QByteArray stored = rig.folder.readBytes("courrier.ini");
        const QByteArray config = rig.config();
        QVERIFY(rig.openAt("Adresse n°1"));
        DialogRig::tick(rig.find<QCheckBox>("vf_pop"));
        QVERIFY(rig.find<QLineEdit>("txt_pop")->isEnabled());
        DialogRig::retype(rig.find<QLineEdit>("txt_pop"), server);
        DialogRig::retype(rig.find<QLineEdit>("txt_login"), login);
        QTest::mouseClick(rig.find<QPushButton>("bt15_ok"), Qt::LeftButton);
        QCOMPARE(rig.config(), config);
        if (!accepted) {
            QCOMPARE(rig.fakes.messages.texts(),
                QStringList { "L'adresse du serveur pop ou votre login est incorrect." });
            QCOMPARE(rig.fakes.messages.shown[0].style, StyleWarning);
            QVERIFY(rig.find<QCheckBox>("vf_pop")->isChecked());
            QCOMPARE(rig.folder.readBytes("courrier.ini"), stored);
            return;
        }
        QVERIFY(rig.fakes.messages.shown.isEmpty());
        MailboxAccounts reread;
        loadAccounts(reread, rig.folder.file("courrier.ini"));
        QCOMPARE(reread.account(1).server, server.left(60));
        QVERIFY(reread.account(1).inUse);
        QCOMPARE(reread.account(2).server, QStringLiteral("pop.deux.example"));
        QVERIFY(rig.click("Adresse n°2"));
        QVERIFY(rig.click("Adresse n°1"));
        QCOMPARE(rig.find<QLineEdit>("txt_pop")->text(), server.left(60));
    }
};

QTEST_MAIN(TestMailPages)
#include "test_mail_pages.moc"
