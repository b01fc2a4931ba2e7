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

// The five automatic-opening boxes: 1 or 0 for the tick, E or - for enabled.
QString autoOpenStates(const DialogRig& rig)
{
    QStringList states;
    for (int i = 0; i < 5; ++i) {
        const auto* box = rig.find<QCheckBox>(QStringLiteral("vf_ouv%1").arg(i));
        states.append(QString(box->isChecked() ? u'1' : u'0') + (box->isEnabled() ? u'E' : u'-'));
    }
    return states.join(u' ');
}

// Moves the skin list's current entry with the arrow keys until it is the named skin.
void arrowTo(DialogRig& rig, const QString& skin)
{
    auto* list = rig.find<QListWidget>("lst_skin");
    list->setFocus();
    DialogRig::press(Qt::Key_Home);
    for (int i = 0; i < list->count() && list->currentItem()->text() != skin; ++i)
        DialogRig::press(Qt::Key_Down);
}

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

} // namespace

class TestConfigPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Typing goes through the field's rules at each key, leaving it through its bounds; the
    // field holds so many characters at most. "\b" is the backspace key on the selected text.
    void timeFieldKeys_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("left");
        const QList<std::array<const char*, 6>> rows = {
            { "minutes over", "Durée du forfait", "txt_fm", "75", "75", "59" },
            { "a lone minus", "Durée du forfait", "txt_fs", "-3", "03", "03" },
            { "a letter", "Votre temps actuel", "txt_ah", "1x", "0", "0" },
            { "three digits at most", "Votre temps actuel", "txt_ah", "1234", "123", "123" },
            { "day emptied", "Remise à zéro", "txt_raz", "\b", "1", "1" },
        };
        for (const auto& [name, entry, field, typed, whileTyping, left] : rows)
            QTest::newRow(name) << entry << field << typed << whileTyping << left;
    }
    void timeFieldKeys()
    {
        QFETCH(QString, entry);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        DialogRig rig;
        QVERIFY(rig.openAt(entry));
        auto* edit = rig.find<QLineEdit>(field);
        DialogRig::retype(edit, typed);
        QTEST(edit->text(), "whileTyping");
        DialogRig::press(Qt::Key_Tab);
        QTEST(edit->text(), "left");
    }

    void arrowsStepWithinBounds()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Durée du forfait"));
        auto* minutes = rig.find<QLineEdit>("txt_fm");
        auto* up = rig.find<QWidget>("pm_fm")->findChild<QToolButton*>("up");
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(minutes->text(), QStringLiteral("51"));
        DialogRig::retype(minutes, "59");
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(minutes->text(), QStringLiteral("59"));
        QVERIFY(rig.click("Remise à zéro"));
        QTest::mouseClick(rig.find<QWidget>("pm_raz")->findChild<QToolButton*>("down"), Qt::LeftButton);
        QCOMPARE(rig.find<QLineEdit>("txt_raz")->text(), QStringLiteral("1"));
    }

    void autoOpenBoxesFollowTheirRules()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Ouverture automatique"));
        QCOMPARE(autoOpenStates(rig), QStringLiteral("0E 1E 0- 0- 0E"));
        DialogRig::tick(rig.find<QCheckBox>("vf_ouv0"));
        QCOMPARE(autoOpenStates(rig), QStringLiteral("1E 1- 0- 0- 0-"));
        DialogRig::tick(rig.find<QCheckBox>("vf_ouv0"));
        DialogRig::tick(rig.find<QCheckBox>("vf_ouv1"));
        QCOMPARE(autoOpenStates(rig), QStringLiteral("0E 0E 0E 0E 0E"));
    }

    void positionCanBeSavedForTheFixedPlace()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Position"));
        auto* save = rig.find<QPushButton>("bt_pos");
        QVERIFY(rig.find<QRadioButton>("opt_pos0")->isChecked());
        QVERIFY(!save->isEnabled());
        DialogRig::tick(rig.find<QRadioButton>("opt_pos1"));
        QVERIFY(save->isEnabled());

        // The window was dropped elsewhere since the last save; only its place is stored.
        rig.state.settings.pos_x = 1234;
        rig.state.settings.pos_y = 4321;
        const QByteArray before = rig.config();
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(rig.changedRecords(before), (QStringList { "pos_x=1234", "pos_y=4321" }));
        DialogRig::tick(rig.find<QRadioButton>("opt_pos0"));
        QVERIFY(!save->isEnabled());
    }

    // The preview follows the current skin, reached by keys or mouse; a skin without both pictures
    // offers no "Valider", and Enter stores nothing for it either.
    void skinPreviewFollowsTheCurrentSkin()
    {
        DialogRig rig;
        rig.makeSkin("bois");
        rig.makeSkin("moitie", false);
        QVERIFY(rig.openAt("Habillage"));
        const QByteArray before = rig.config();
        auto* counter = rig.find<QLabel>("img_skin2");
        auto* validate = rig.find<QPushButton>("bt8_ok");
        for (const QString skin : { "moitie", "bois", "moitie" }) {
            arrowTo(rig, skin);
            QVERIFY(!rig.find<QLabel>("img_skin")->isHidden());
            QCOMPARE(counter->isHidden(), skin == "moitie");
            QCOMPARE(validate->isHidden(), skin == "moitie");
        }
        DialogRig::press(Qt::Key_Return);
        QCOMPARE(rig.config(), before);

        auto* list = rig.find<QListWidget>("lst_skin");
        clickLine(list, list->row(list->findItems("bois", Qt::MatchExactly).value(0)));
        QVERIFY(!counter->isHidden());
        DialogRig::press(Qt::Key_Return);
        QCOMPARE(rig.changedRecords(before), QStringList { "nomskin=bois" });
        QCOMPARE(rig.skinReloads, 1);
    }

    void skinPageWithoutSkinFolder()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Habillage"));
        QCOMPARE(rig.shownFrame(), QString());
        QCOMPARE(rig.fakes.messages.texts(), QStringList { "Erreur de listage des skins." });
        QCOMPARE(rig.fakes.messages.shown[0].style, StyleCritical);
    }

    // "Ne pas utiliser de son pour cet évenement" greys the path out and puts the default sound in
    // it; unticked, the path stays and can be changed.
    void noSoundBoxShowsTheDefaultSound()
    {
        DialogRig rig({ "son_mail=0" });
        QVERIFY(rig.openAt("Courrier"));
        auto* box = rig.find<QCheckBox>("vf_chsons");
        auto* path = rig.find<QLineEdit>("chem_sons");
        const QString defaultPath = rig.folder.path() + "/sons/mail.wav";
        QVERIFY(box->isChecked());
        QVERIFY(!path->isEnabled() && !rig.find<QPushButton>("bt_jouer")->isEnabled());
        QCOMPARE(path->text(), defaultPath);
        DialogRig::tick(box);
        QVERIFY(path->isEnabled() && rig.find<QPushButton>("bt_parc")->isEnabled());
        QCOMPARE(path->text(), defaultPath);
        DialogRig::retype(path, "/mes/sons/ding.wav");
        DialogRig::tick(box);
        QVERIFY(!path->isEnabled());
        QCOMPARE(path->text(), defaultPath);
    }

    void playAndBrowseUseThePageText()
    {
        DialogRig rig;
        QDir(rig.folder.path()).mkpath("sons");
        rig.folder.writeBytes("sons/autre.wav", "RIFF");
        QVERIFY(rig.openAt("Déconnexion"));
        auto* path = rig.find<QLineEdit>("chem_sons");
        DialogRig::retype(path, rig.folder.file("sons/autre.wav"));
        QTest::mouseClick(rig.find<QPushButton>("bt_jouer"), Qt::LeftButton);
        QCOMPARE(rig.fakes.sound.played, QStringList { rig.folder.file("sons/autre.wav") });
        DialogRig::retype(path, rig.folder.file("sons/absent.wav"));
        QTest::mouseClick(rig.find<QPushButton>("bt_jouer"), Qt::LeftButton);
        QCOMPARE(rig.fakes.sound.played.size(), 1);

        rig.chooser.answers.enqueue(rig.folder.file("sons/choisi.wav"));
        QTest::mouseClick(rig.find<QPushButton>("bt_parc"), Qt::LeftButton);
        QCOMPARE(rig.chooser.asked.last().initialFolder, rig.folder.path() + "/sons");
        QTest::mouseClick(rig.find<QPushButton>("bt_parc"), Qt::LeftButton); // cancelled: the text stays
        QCOMPARE(path->text(), rig.folder.file("sons/choisi.wav"));
        QCOMPARE(rig.state.settings.son_deconnect, rig.folder.path() + "/sons/deconnect.wav");
    }

    void commandListKeepsTenLines()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Connecté"));
        for (int i = 1; i <= 12; ++i) {
            rig.chooser.answers.enqueue(QStringLiteral("/usr/bin/programme%1").arg(i));
            QTest::mouseClick(rig.find<QPushButton>("bt_ajouter1"), Qt::LeftButton);
        }
        QCOMPARE(rig.find<QListWidget>("lst_even1")->count(), 12);
        const QByteArray config = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt17_ok"), Qt::LeftButton);
        QCOMPARE(rig.config(), config);
        QCOMPARE(rig.state.commandLists[0].entries.size(), 10);
        const QByteArray file = rig.folder.readBytes("even1.ini");
        QCOMPARE(file.count("\r\n"), 10);
        QVERIFY(file.startsWith("\"/usr/bin/programme1\"\r\n"));
        QVERIFY(!file.contains("programme11"));
    }

    void removingALineAndItsDetail()
    {
        DialogRig rig;
        const QString longPath
            = "/opt/un/chemin/tres/long/vers/un/programme/de/demarrage/automatique/lanceur";
        rig.state.commandLists[1].entries = QStringList { longPath };
        QVERIFY(rig.openAt("Déconnecté"));
        auto* list = rig.find<QListWidget>("lst_even2");
        auto* detail = rig.find<QLabel>("txt_even2");
        auto* remove = rig.find<QPushButton>("bt_supr2");
        QCOMPARE(detail->text(), QString());
        // Nothing selected: nothing removed.
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        clickLine(list, 0);
        QCOMPARE(detail->text(), longPath);

        // A cancelled chooser adds nothing, nor does a path with a quotation mark, which the list's
        // file could not hold; the detail still shows the selected line.
        rig.chooser.answers << QString() << "/tmp/a\"b";
        QTest::mouseClick(rig.find<QPushButton>("Bt_ajouter2"), Qt::LeftButton);
        QTest::mouseClick(rig.find<QPushButton>("Bt_ajouter2"), Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        QCOMPARE(detail->text(), longPath);
        QCOMPARE(rig.chooser.asked.last().initialFolder, QStringLiteral("/usr/bin"));
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

    // Mail checking switched on in a run that started without it: the stored accounts are read
    // before one is validated, so the others are not written over with empty ones.
    void switchingMailOnKeepsStoredAccounts()
    {
        DialogRig rig;
        storeAccounts(rig);
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
        DialogRig::press(Qt::Key_Return);
        MailboxAccounts reread;
        loadAccounts(reread, rig.folder.file("courrier.ini"));
        QCOMPARE(reread.account(1).server, QStringLiteral("pop.un.example"));
        QCOMPARE(reread.account(2).server, QStringLiteral("pop.deux.example"));
        QCOMPARE(reread.account(4).password, QStringLiteral("secret4"));
    }

    // The five entries share one page that shows the account of the entry; a text edit is gone
    // with the account left, a change of use stays in memory.
    void addressPageShowsTheEntrysAccount()
    {
        DialogRig rig({ "courrier=Vrai" });
        storeAccounts(rig);
        const QByteArray stored = rig.folder.readBytes("courrier.ini");
        QVERIFY(rig.openAt("Adresse n°4"));
        QCOMPARE(rig.shownFrame(), QStringLiteral("fl15"));
        auto* password = rig.find<QLineEdit>("txt_pass");
        QCOMPARE(password->text(), QStringLiteral("secret4"));
        QCOMPARE(
            password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password), int('X'));
        QCOMPARE(rig.find<QLabel>("txt_etat")->text(), QStringLiteral("testé OK"));
        QCOMPARE(rig.find<QFrame>("led_etat")->property("colour").value<QColor>(), QColor(Qt::green));
        QVERIFY(rig.click("Adresse n°3"));
        QVERIFY(rig.find<QCheckBox>("vf_pop")->isChecked());
        QVERIFY(!rig.find<QLineEdit>("txt_pop")->isEnabled());

        QVERIFY(rig.click("Adresse n°2"));
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

    void addressValidation_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("login");
        QTest::addColumn<bool>("accepted");
        const QList<std::tuple<const char*, QString, QString, bool>> rows = {
            { "server of 3", "pop", "login", false },
            { "login of 3", "pop.example", "abc", false },
            { "4 and 4", "pop1", "abcd", true },
            { "61-character server", QString(61, u'p'), "abcd", true },
        };
        for (const auto& [name, server, login, accepted] : rows)
            QTest::newRow(name) << server << login << accepted;
    }
    void addressValidation()
    {
        QFETCH(QString, server);
        QFETCH(QString, login);
        QFETCH(bool, accepted);
        DialogRig rig({ "courrier=Vrai" });
        storeAccounts(rig);
        const QByteArray stored = rig.folder.readBytes("courrier.ini");
        const QByteArray config = rig.config();
        QVERIFY(rig.openAt("Adresse n°1"));
        DialogRig::tick(rig.find<QCheckBox>("vf_pop"));
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

QTEST_MAIN(TestConfigPages)
#include "test_config_pages.moc"
