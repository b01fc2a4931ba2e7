// What each page does beyond storing its settings: its fields' rules, its choices, its lists.
#include "config_dialog/auto_open_choices.h"
#include "dialog_rig.h"
#include "mail/accounts_file.h"
#include "settings/line_choice.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace chronolien;
using namespace chronolien::test;

namespace {

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
    // A text pasted into a field, or its up arrow clicked, what the field shows then, and once Enter
    // has left the field and stored the page: halves of a day round to the even neighbour.
    void timeFields_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("ups");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("stored"); // the record changed from 29:50:00, or from day 3
        const char* plan = "Durée du forfait";
        const char* day = "Remise à zéro";
        const QList<std::tuple<const char*, const char*, const char*, QString, int, const char*, const char*,
            const char*>>
            rows = {
                { "decimal point", plan, "fm", "1.5", 0, "0", "0", "cpt_limite=104400" },
                { "other digits", plan, "fm", QString::fromUtf16(u"\u0663"), 0, "0", "0",
                    "cpt_limite=104400" },
                { "comma", plan, "fm", "0,", 0, "0,", "0,", "cpt_limite=104400" },
                { "over", plan, "fm", "75", 0, "75", "59", "cpt_limite=107940" },
                { "arrows", plan, "fm", "50", 2, "52", "52", "cpt_limite=107520" },
                { "arrow at top", plan, "fm", "58", 3, "59", "59", "cpt_limite=107940" },
                { "negative", plan, "fs", "-3", 0, "-3", "0", "" },
                { "hours top", plan, "fh", "999", 0, "999", "999", "cpt_limite=3599400" },
                { "three characters", plan, "fh", "1234", 0, "123", "123", "cpt_limite=445800" },
                { "day emptied", day, "raz", "", 0, "1", "1", "j_raz=1" },
                { "day zero", day, "raz", "0", 0, "0", "1", "j_raz=1" },
                { "day 1,5", day, "raz", "1,5", 0, "1,5", "1,5", "j_raz=2" },
                { "day 2,5", day, "raz", "2,5", 0, "2,5", "2,5", "j_raz=2" },
            };
        for (const auto& [name, entry, field, pasted, ups, shown, left, stored] : rows)
            QTest::newRow(name) << QString(entry) << QString(field) << pasted << ups << QString(shown)
                                << QString(left) << QString(stored);
    }
    void timeFields()
    {
        QFETCH(QString, entry);
        QFETCH(QString, field);
        QFETCH(QString, pasted);
        QFETCH(int, ups);
        QFETCH(QString, stored);
        DialogRig rig({ "j_raz=3" });
        QVERIFY(rig.openAt(entry));
        auto* edit = rig.find<QLineEdit>("txt_" + field);
        const QByteArray before = rig.config();
        edit->setFocus();
        edit->selectAll();
        edit->insert(pasted);
        for (; ups > 0; --ups)
            QTest::mouseClick(
                rig.find<QWidget>("pm_" + field)->findChild<QToolButton*>("up"), Qt::LeftButton);
        QTEST(edit->text(), "shown");
        DialogRig::press(Qt::Key_Return);
        QTEST(edit->text(), "left");
        QCOMPARE(rig.changedRecords(before), stored.isEmpty() ? QStringList() : QStringList { stored });
    }

    // The boxes enabled (E) or not (-) for the ticks of affiche_auto, which they give back.
    void autoOpenChoices_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("forfait");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("connected only") << "01000" << true << "EE--E";
        QTest::newRow("as last time") << "00001" << true << "----E";
        QTest::newRow("always beats as last time") << "10001" << true << "E----";
        QTest::newRow("no plan disables plan box") << "00000" << false << "EEE-E";
        QTest::newRow("one character") << "1" << true << "E----";
    }
    void autoOpenChoices()
    {
        QFETCH(QString, flags);
        QFETCH(bool, forfait);
        AutoOpenBoxes boxes = autoOpenBoxesFromFlags(flags);
        updateAutoOpenChoices(boxes, forfait);
        QString enabled;
        for (const AutoOpenBox& box : boxes)
            enabled += box.enabled ? u'E' : u'-';
        QTEST(enabled, "enabled");
        QCOMPARE(autoOpenFlagsFromBoxes(boxes), flags.leftJustified(5, u'0'));
    }

    // "Enregistrer" stores the window's place for the fixed place only, and only that place.
    void positionCanBeSavedForTheFixedPlace()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Position"));
        auto* save = rig.find<QPushButton>("bt_pos");
        QVERIFY(!save->isEnabled());
        DialogRig::tick(rig.find<QRadioButton>("opt_pos1"));
        rig.state.settings.pos_x = 1234; // the window dropped elsewhere since the last save
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

        DialogRig::clickRow(list, list->row(list->findItems("bois", Qt::MatchExactly).value(0)));
        QVERIFY(!counter->isHidden());
        DialogRig::press(Qt::Key_Return);
        QCOMPARE(rig.changedRecords(before), QStringList { "nomskin=bois" });
        QCOMPARE(rig.skinReloads, 1);
    }

    // "Ne pas utiliser de son pour cet évenement" greys the path out; "Jouer" plays the page's path
    // when the file is there.
    void soundPage()
    {
        DialogRig rig({ "son_mail=0" });
        rig.folder.writeBytes("autre.wav", "RIFF");
        QVERIFY(rig.openAt("Courrier"));
        auto* path = rig.find<QLineEdit>("chem_sons");
        auto* play = rig.find<QPushButton>("bt_jouer");
        QVERIFY(!path->isEnabled() && !play->isEnabled());
        DialogRig::tick(rig.find<QCheckBox>("vf_chsons"));
        for (const QString sound : { "autre.wav", "absent.wav" }) {
            DialogRig::retype(path, rig.folder.file(sound));
            QTest::mouseClick(play, Qt::LeftButton);
        }
        QCOMPARE(rig.fakes.sound.played, QStringList { rig.folder.file("autre.wav") });
    }

    // The detail shows the selected line whole; "Supprimer" removes it, and nothing without a
    // selection; Enter on it presses it, not the page's "Valider"; the list emptied is stored empty.
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
        DialogRig::clickRow(list, 0);
        QCOMPARE(detail->text(), longPath);
        remove->setFocus();
        DialogRig::press(Qt::Key_Enter);
        QVERIFY(!rig.folder.exists("even2.ini"));
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
        DialogRig rig; // mail checking off, accounts 2 and 4 stored by an earlier run
        MailboxAccounts stored;
        stored.account(2) = MailboxAccount { 2, "pop.deux.example", "login2", "secret2", 0, true };
        stored.account(4) = MailboxAccount { 4, "pop.quatre.example", "login4", "secret4", 1, true };
        QVERIFY(saveAccounts(stored, rig.folder.file("courrier.ini"), rig.fakes.messages));
        QVERIFY(rig.openAt("COURRIER"));
        DialogRig::tick(rig.find<QCheckBox>("vf_courrier"));
        const QByteArray accounts = rig.folder.readBytes("courrier.ini");
        QVERIFY(rig.click("Adresse n°4"));
        auto* password = rig.find<QLineEdit>("txt_pass");
        QCOMPARE(password->text(), QStringLiteral("secret4"));
        QCOMPARE(rig.find<QLabel>("txt_etat")->text(), QStringLiteral("testé OK"));
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
        QCOMPARE(rig.folder.readBytes("courrier.ini"), accounts);

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
    }
    // The line page lists what NetworkManager has (nothing: it does not answer, and the page says
    // so), the stored line selected; a stored connection that cannot be found stays selected,
    // marked, so that "Valider" does not drop it unseen.
    void linePage_data()
    {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("selected");
        const QString dialUp = "Ligne téléphonique (pppd)";
        const QStringList two { "Bluetooth", "Mobile" };
        QTest::newRow("no NetworkManager") << QStringList() << QString() << QStringList { dialUp } << 0;
        QTest::newRow("no NetworkManager, a connection stored")
            << QStringList() << "Mobile" << QStringList { dialUp, "Mobile (introuvable)" } << 1;
        QTest::newRow("connection listed") << two << "Mobile" << QStringList { dialUp, two[0], two[1] } << 2;
        QTest::newRow("connection gone")
            << two << "VPN" << QStringList { dialUp, two[0], two[1], "VPN (introuvable)" } << 3;
    }
    void linePage()
    {
        QFETCH(QStringList, listed);
        QFETCH(QString, stored);
        QFETCH(QStringList, shown);
        DialogRig rig({ "ligne=" + LineChoice { stored }.toText() });
        if (!listed.isEmpty())
            rig.networkManagerNames = listed;
        QVERIFY(rig.openAt("Ligne"));
        auto* list = rig.find<QListWidget>("lst_ligne");
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts.append(list->item(row)->text());
        QCOMPARE(texts, shown);
        QTEST(list->currentRow(), "selected");
        QCOMPARE(rig.find<QLabel>("txt_ligne")->isHidden(), !listed.isEmpty());
    }

    // A connection name that config.ini cannot give back is refused with a message; the old choice stays.
    void lineNameTooLongIsRefused()
    {
        DialogRig rig({ "ligne=nm:Mobile" });
        rig.networkManagerNames = QStringList { QString(58, u'x'), "Mobile" };
        QVERIFY(rig.openAt("Ligne"));
        const QByteArray before = rig.config();
        DialogRig::clickRow(rig.find<QListWidget>("lst_ligne"), 1);
        QTest::mouseClick(rig.dialog().visiblePage()->validateButton(), Qt::LeftButton);
        QCOMPARE(rig.changedRecords(before), QStringList());
        QCOMPARE(rig.fakes.messages.shown.size(), 1);
        QVERIFY(rig.fakes.messages.shown[0].text.contains("57 caractères"));
        QCOMPARE(rig.state.settings.ligne.networkManagerConnection, QStringLiteral("Mobile"));
    }
};

QTEST_MAIN(TestConfigPages)
#include "test_config_pages.moc"
