#include "config_dialog/auto_open_choices.h"
#include "config_dialog/file_choices.h"
#include "config_dialog/mailto_link.h"
#include "config_dialog/section_tree.h"
#include "config_dialog/time_field_rules.h"
#include "support/fake_process_starter.h"
#include "support/message_box_recorder.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

class ScriptedChooser final : public FileChooser {
public:
    QString getOpenFileName(const FileChoice& choice) override
    {
        asked.append(choice);
        return answer;
    }
    QString answer;
    QList<FileChoice> asked;
};

QString boxesText(const AutoOpenBoxes& boxes)
{
    QString text;
    for (const AutoOpenBox& box : boxes)
        text += box.enabled ? u'E' : u'-';
    return text;
}

} // namespace

class TestConfigRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textAfterChange_data()
    {
        QTest::addColumn<int>("field"); // 0 minutes, 1 day
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << 0 << ""
                               << "0";
        QTest::newRow("empty day") << 1 << ""
                                   << "1";
        QTest::newRow("lone minus") << 0 << "-"
                                    << "0";
        QTest::newRow("letter") << 0 << "5a"
                                << "0";
        QTest::newRow("decimal point is no French number") << 0 << "1.5"
                                                           << "0";
        QTest::newRow("comma being typed") << 0 << "0,"
                                           << "0,";
        QTest::newRow("no bound while typing") << 0 << "75"
                                               << "75";
        QTest::newRow("pasted negative") << 0 << "-3"
                                         << "-3";
        QTest::newRow("other digits") << 0 << QString::fromUtf16(u"\u0663") << "0";
    }
    void textAfterChange()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(chronolien::textAfterChange(field == 0 ? kMinutesField : kDayField, typed), shown);
    }

    void textOnLeave_data()
    {
        QTest::addColumn<int>("field"); // 0 hours, 1 minutes, 2 day
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("minutes over") << 1 << "75"
                                      << "59";
        QTest::newRow("minutes fraction over") << 1 << "59,5"
                                               << "59";
        QTest::newRow("negative") << 1 << "-3"
                                  << "0";
        QTest::newRow("day zero") << 2 << "0"
                                  << "1";
        QTest::newRow("day over") << 2 << "32"
                                  << "31";
        QTest::newRow("hours top") << 0 << "999"
                                   << "999";
    }
    void textOnLeave()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        const TimeFieldRule rules[] = { kHoursField, kMinutesField, kDayField };
        QCOMPARE(chronolien::textOnLeave(rules[field], typed), left);
    }

    void secondsFromFields_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("m");
        QTest::addColumn<QString>("s");
        QTest::addColumn<int>("seconds");
        QTest::newRow("default plan") << "29"
                                      << "50"
                                      << "0" << 107400;
        QTest::newRow("largest") << "999"
                                 << "59"
                                 << "59" << 3599999;
        QTest::newRow("half an hour") << "0,5"
                                      << "0"
                                      << "0" << 1800;
        QTest::newRow("half second rounds to even 0") << "0"
                                                      << "0"
                                                      << "0,5" << 0;
        QTest::newRow("two and a half rounds to even 2") << "0"
                                                         << "0"
                                                         << "2,5" << 2;
    }
    void secondsFromFields()
    {
        QFETCH(QString, h);
        QFETCH(QString, m);
        QFETCH(QString, s);
        QFETCH(int, seconds);
        QCOMPARE(chronolien::secondsFromFields(h, m, s), seconds);
    }

    void dayRoundsHalvesToEven()
    {
        QCOMPARE(dayFromField(QStringLiteral("1,5")), qint16(2));
        QCOMPARE(dayFromField(QStringLiteral("2,5")), qint16(2));
    }

    void autoOpenChoices_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("forfait");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("connected only") << "01000" << true << "EE--E";
        QTest::newRow("always keeps ticks, disables rest") << "11000" << true << "E----";
        QTest::newRow("as last time") << "00001" << true << "----E";
        QTest::newRow("always beats as last time") << "10001" << true << "E----";
        QTest::newRow("nothing ticked") << "00000" << true << "EEEEE";
        QTest::newRow("no plan disables plan box") << "00000" << false << "EEE-E";
        QTest::newRow("no plan with always") << "10000" << false << "E----";
    }
    void autoOpenChoices()
    {
        QFETCH(QString, flags);
        QFETCH(bool, forfait);
        QFETCH(QString, enabled);
        AutoOpenBoxes boxes = autoOpenBoxesFromFlags(flags);
        updateAutoOpenChoices(boxes, forfait);
        QCOMPARE(boxesText(boxes), enabled);
        QCOMPARE(autoOpenFlagsFromBoxes(boxes), flags);
    }

    // The whole tree in its order; the dialog's test shows it with the sections off.
    void sectionTree_data()
    {
        QTest::addColumn<bool>("forfait");
        QTest::addColumn<bool>("sons");
        QTest::addColumn<bool>("courrier");
        QTest::addColumn<QStringList>("texts");
        const QStringList plan = { "Votre temps actuel", "Durée du forfait", "Alerte", "Remise à zéro" };
        const QStringList sounds = { "Connexion", "Déconnexion", "Courrier" };
        const QStringList addresses
            = { "Adresse n°1", "Adresse n°2", "Adresse n°3", "Adresse n°4", "Adresse n°5" };
        const QStringList events
            = { "EVENEMENTS", "Connecté", "Déconnecté", "Connexion permanente", "Ligne" };
        QTest::newRow("everything") << true << true << true
                                    << QStringList { "FORFAIT" } + plan
                + QStringList { "APPARENCE", "Ouverture automatique", "Habillage", "Position",
                      "Mode du compteur", "SONS" }
                + sounds + QStringList { "COURRIER" } + addresses + events;
    }
    void sectionTree()
    {
        QFETCH(bool, forfait);
        QFETCH(bool, sons);
        QFETCH(bool, courrier);
        QFETCH(QStringList, texts);
        QStringList got;
        for (const SectionEntry& entry : sectionTreeEntries(forfait, sons, courrier))
            got.append(entry.text);
        QCOMPARE(got, texts);
    }

    // The page switch goes by the exact text: the sound entry and the mail section are two pages.
    void entryForText()
    {
        QCOMPARE(chronolien::entryForText(QStringLiteral("Courrier"))->frame, 13);
        QCOMPARE(chronolien::entryForText(QStringLiteral("Courrier"))->number, 3);
        QCOMPARE(chronolien::entryForText(QStringLiteral("COURRIER"))->frame, 14);
        QCOMPARE(chronolien::entryForText(QStringLiteral("Adresse n°4"))->number, 4);
        QVERIFY(!chronolien::entryForText(QStringLiteral("courrier")));
        QVERIFY(!chronolien::entryForText(QStringLiteral("Adresse n°6")));
    }

    void mailtoLink_data()
    {
        QTest::addColumn<QStringList>("parts"); // address, subject, body, copy, blind copy
        QTest::addColumn<QString>("link");
        QTest::newRow("address only")
            << QStringList { "a@example.org", "", "", "", "" } << "mailto:a@example.org";
        QTest::newRow("copy only") << QStringList { "a@example.org", "", "", "c@example.org", "" }
                                   << "mailto:a@example.org?CC=c@example.org";
        QTest::newRow("subject and blind copy") << QStringList { "a@example.org", "Salut", "", "",
            "b@example.org" } << "mailto:a@example.org?Subject=\"Salut\"&BCC=b@example.org";
        QTest::newRow("ampersand passed unchanged") << QStringList { "a@example.org", "Pierre & Marie", "",
            "", "" } << "mailto:a@example.org?Subject=\"Pierre & Marie\"";
        QTest::newRow("everything, accents as they are")
            << QStringList { "a@example.org", "Été", "Bonjour à tous", "c@example.org", "b@example.org" }
            << "mailto:a@example.org?Subject=\"Été\"&Body=\"Bonjour à "
               "tous\"&CC=c@example.org&BCC=b@example.org";
    }
    void mailtoLink()
    {
        QFETCH(QStringList, parts);
        QFETCH(QString, link);
        QCOMPARE(chronolien::mailtoLink(parts[0], parts[1], parts[2], parts[3], parts[4]), link);
        FakeProcessStarter processes;
        openMailto(processes, parts[0], parts[1], parts[2], parts[3], parts[4]);
        QCOMPARE(processes.opened, QStringList { link });
    }

    // The quotation mark would break the quoted line of the stored command list.
    void commandChooser()
    {
        ScriptedChooser chooser;
        MessageBoxRecorder messages;
        chooser.answer = QStringLiteral("/usr/bin/xterm");
        QCOMPARE(
            chooseCommand(2, chooser, messages), std::optional<QString>(QStringLiteral("/usr/bin/xterm")));
        QCOMPARE(chooser.asked.last().initialFolder, QStringLiteral("/usr/bin"));
        chooser.answer.clear();
        QVERIFY(!chooseCommand(1, chooser, messages));
        QVERIFY(messages.shown.isEmpty());
        chooser.answer = QStringLiteral("/tmp/a\"b");
        QVERIFY(!chooseCommand(1, chooser, messages));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].style, StyleWarning);
    }
};

QTEST_GUILESS_MAIN(TestConfigRules)
#include "test_config_rules.moc"
