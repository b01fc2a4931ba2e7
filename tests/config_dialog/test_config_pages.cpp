// What each page does beyond storing its settings: its fields' rules, its choices, its lists.
#include "dialog_rig.h"
#include "mail/accounts_file.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace chronolien;
using namespace chronolien::test;

namespace {

void clickLine(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// Accounts 2 and 4 stored in courrier.ini by an earlier run; loaded when mail checking is on.
void storeAccounts(DialogRig& rig)
{
    MailboxAccounts stored;
    stored.account(2) = MailboxAccount { 2, "pop.deux.example", "login2", "secret2", 0, true };
    stored.account(4) = MailboxAccount { 4, "pop.quatre.example", "login4", "secret4", 1, true };
    QVERIFY(saveAccounts(stored, rig.folder.file("courrier.ini"), rig.fakes.messages));
    if (rig.state.settings.courrier)
        loadAccounts(rig.state.mailboxAccounts, rig.folder.file("courrier.ini"));
}

MailboxAccount storedAccount(const DialogRig& rig, int n)
{
    MailboxAccounts reread;
    loadAccounts(reread, rig.folder.file("courrier.ini"));
    return reread.account(n);
}

} // namespace

class TestConfigPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Typing goes through a field's rules at each key, and leaving it through its bounds; the field
    // holds three characters at most, and its arrows step within the bounds.
    void timeFieldKeys()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Durée du forfait"));
        auto* hours = rig.find<QLineEdit>("txt_fh");
        auto* minutes = rig.find<QLineEdit>("txt_fm");
        const auto arrow = [&rig](const char* name) {
            QTest::mouseClick(rig.find<QWidget>("pm_fm")->findChild<QToolButton*>(name), Qt::LeftButton);
        };
        arrow("up");
        QCOMPARE(minutes->text(), QStringLiteral("51"));
        DialogRig::retype(minutes, "75");
        QCOMPARE(minutes->text(), QStringLiteral("75"));
        DialogRig::press(Qt::Key_Tab);
        QCOMPARE(minutes->text(), QStringLiteral("59"));
        arrow("up");
        QCOMPARE(minutes->text(), QStringLiteral("59"));
        DialogRig::retype(hours, "1x");
        QCOMPARE(hours->text(), QStringLiteral("0"));
        DialogRig::retype(hours, "1234");
        QCOMPARE(hours->text(), QStringLiteral("123"));
    }

    // "Enregistrer" stores the window's place for the fixed place only, and only that place.
    void positionCanBeSavedForTheFixedPlace()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Position"));
        auto* save = rig.find<QPushButton>("bt_pos");
        QVERIFY(rig.find<QRadioButton>("opt_pos0")->isChecked() && !save->isEnabled());
        DialogRig::tick(rig.find<QRadioButton>("opt_pos1"));
        QVERIFY(save->isEnabled());
        // The window was dropped elsewhere since the last save.
        rig.state.settings.pos_x = 1234;
        rig.state.settings.pos_y = 4321;
        const QByteArray before = rig.config();
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(rig.changedRecords(before), (QStringList { "pos_x=1234", "pos_y=4321" }));
    }

    // Without a skin folder the page is not shown and the user is told. The preview follows the
    // current skin, reached by the arrow keys or the mouse; a skin without both pictures offers no
    // "Valider", and Enter stores nothing for it either.
    void skinPage()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Habillage"));
        QCOMPARE(rig.shownFrame(), QString());
        QCOMPARE(rig.fakes.messages.texts(), QStringList { "Erreur de listage des skins." });
        QCOMPARE(rig.fakes.messages.shown[0].style, StyleCritical);

        rig.makeSkin("bois");
        rig.makeSkin("moitie", false);
        QVERIFY(rig.click("Position") && rig.click("Habillage"));
        const QByteArray before = rig.config();
        auto* list = rig.find<QListWidget>("lst_skin");
        auto* counter = rig.find<QLabel>("img_skin2");
        list->setFocus();
        for (const Qt::Key key : { Qt::Key_Home, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down }) {
            DialogRig::press(key);
            const bool half = list->currentItem()->text() == "moitie";
            QVERIFY(!rig.find<QLabel>("img_skin")->isHidden());
            QCOMPARE(counter->isHidden(), half);
            QCOMPARE(rig.find<QPushButton>("bt8_ok")->isHidden(), half);
        }
        DialogRig::press(Qt::Key_Return);
        QCOMPARE(rig.config(), before);

        clickLine(list, list->row(list->findItems("bois", Qt::MatchExactly).value(0)));
        QVERIFY(!counter->isHidden());
        DialogRig::press(Qt::Key_Return);
        QCOMPARE(rig.changedRecords(before), QStringList { "nomskin=bois" });
        QCOMPARE(rig.skinReloads, 1);
    }

    // "Ne pas utiliser de son pour cet évenement" greys the path out and shows the default sound in
    // it; "Jouer" plays the page's path when the file is there.
    void soundPage()
    {
        DialogRig rig({ "son_mail=0" });
        rig.folder.writeBytes("autre.wav", "RIFF");
        QVERIFY(rig.openAt("Courrier"));
        auto* path = rig.find<QLineEdit>("chem_sons");
        auto* play = rig.find<QPushButton>("bt_jouer");
        QVERIFY(rig.find<QCheckBox>("vf_chsons")->isChecked() && !path->isEnabled() && !play->isEnabled());
        QCOMPARE(path->text(), rig.folder.path() + "/sons/mail.wav");
        DialogRig::tick(rig.find<QCheckBox>("vf_chsons"));
        for (const QString sound : { "autre.wav", "absent.wav" }) {
            DialogRig::retype(path, rig.folder.file(sound));
            QTest::mouseClick(play, Qt::LeftButton);
        }
        QCOMPARE(rig.fakes.sound.played, QStringList { rig.folder.file("autre.wav") });
    }

    // The detail shows the selected line whole; "Supprimer" removes it, and nothing without a
    // selection. A cancelled chooser adds nothing, nor does a path the list's file could not hold.
    void commandListPage()
    {
        DialogRig rig;
        const QString longPath
            = "/opt/un/chemin/tres/long/vers/un/programme/de/demarrage/automatique/lanceur";
        rig.state.commandLists[1].entries = QStringList { longPath };
        QVERIFY(rig.openAt("Déconnecté"));
        auto* list = rig.find<QListWidget>("lst_even2");
        auto* detail = rig.find<QLabel>("txt_even2");
        auto* remove = rig.find<QPushButton>("bt_supr2");
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        clickLine(list, 0);
        QCOMPARE(detail->text(), longPath);

        rig.chooser.answers << QString() << "/tmp/a\"b";
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(rig.find<QPushButton>("Bt_ajouter2"), Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        QCOMPARE(rig.fakes.messages.shown.size(), 1);
        QCOMPARE(rig.fakes.messages.shown[0].style, StyleWarning);

        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(list->count(), 0);
        QCOMPARE(detail->text(), QString());
        QTest::mouseClick(rig.find<QPushButton>("bt18_ok"), Qt::LeftButton);
        QVERIFY(rig.folder.exists("even2.ini"));
        QCOMPARE(rig.folder.readBytes("even2.ini"), QByteArray());
        QVERIFY(rig.state.commandLists[1].entries.isEmpty());
    }

    // The five addresses share one page that shows the account of the entry: a text edit is gone
    // with the account left, a change of use stays in memory. A server or login shorter than 4
    // characters is refused with its message, and a server cut to 60 characters. Mail checking
    // switched on in a run that started without it reads the stored accounts first, so that
    // validating one does not write empty ones over the others.
    void addressPages()
    {
        DialogRig rig;
        storeAccounts(rig);
        QVERIFY(rig.openAt("COURRIER"));
        DialogRig::tick(rig.find<QCheckBox>("vf_courrier"));
        const QByteArray stored = rig.folder.readBytes("courrier.ini");
        QVERIFY(rig.click("Adresse n°4"));
        QCOMPARE(rig.shownFrame(), QStringLiteral("fl15"));
        auto* password = rig.find<QLineEdit>("txt_pass");
        QCOMPARE(password->text(), QStringLiteral("secret4"));
        QCOMPARE(
            password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password), int('X'));
        QCOMPARE(rig.find<QLabel>("txt_etat")->text(), QStringLiteral("testé OK"));
        QCOMPARE(rig.find<QFrame>("led_etat")->property("colour").value<QColor>(), QColor(Qt::green));
        QVERIFY(rig.click("Adresse n°3"));
        auto* unused = rig.find<QCheckBox>("vf_pop");
        QVERIFY(unused->isChecked() && !rig.find<QLineEdit>("txt_pop")->isEnabled());

        QVERIFY(rig.click("Adresse n°2"));
        DialogRig::retype(rig.find<QLineEdit>("txt_login"), "autre");
        DialogRig::tick(unused);
        QVERIFY(!rig.state.mailboxAccounts.account(2).inUse);
        QVERIFY(rig.click("Adresse n°3"));
        QVERIFY(rig.click("Adresse n°2"));
        QCOMPARE(rig.find<QLineEdit>("txt_login")->text(), QStringLiteral("login2"));
        QVERIFY(unused->isChecked());
        QCOMPARE(rig.folder.readBytes("courrier.ini"), stored);

        QVERIFY(rig.click("Adresse n°1"));
        const QByteArray config = rig.config();
        const QList<std::pair<QString, QString>> tries = { { "pop", "login" }, { "pop.example", "abc" },
            { "pop1", "abcd" }, { QString(61, u'p'), "abcd" } };
        for (const auto& [server, login] : tries) {
            if (unused->isChecked())
                DialogRig::tick(unused);
            DialogRig::retype(rig.find<QLineEdit>("txt_pop"), server);
            DialogRig::retype(rig.find<QLineEdit>("txt_login"), login);
            QTest::mouseClick(rig.find<QPushButton>("bt15_ok"), Qt::LeftButton);
            const bool refused = server.size() < 4 || login.size() < 4;
            QCOMPARE(unused->isChecked(), refused);
            QCOMPARE(rig.fakes.messages.texts(),
                refused ? QStringList { "L'adresse du serveur pop ou votre login est incorrect." }
                        : QStringList());
            rig.fakes.messages.shown.clear();
            QCOMPARE(storedAccount(rig, 1).server, refused ? QString() : server.left(60));
        }
        QCOMPARE(rig.config(), config);
        QCOMPARE(storedAccount(rig, 2).server, QStringLiteral("pop.deux.example"));
        QCOMPARE(storedAccount(rig, 4).password, QStringLiteral("secret4"));
        QVERIFY(rig.click("Adresse n°2"));
        QVERIFY(rig.click("Adresse n°1"));
        QCOMPARE(rig.find<QLineEdit>("txt_pop")->text(), QString(60, u'p'));
    }
};

QTEST_MAIN(TestConfigPages)
#include "test_config_pages.moc"
