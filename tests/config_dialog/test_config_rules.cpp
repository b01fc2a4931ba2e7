#include "config_dialog/auto_open_choices.h"
#include "config_dialog/mailto_link.h"
#include "config_dialog/time_field_rules.h"
#include "support/fake_process_starter.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

Q_DECLARE_METATYPE(TimeFieldRule)

namespace {

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
    // A text typed or pasted into a field, what the field shows then, and once the field is left.
    void timeFieldRules_data()
    {
        QTest::addColumn<TimeFieldRule>("rule");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("left");
        const QList<std::tuple<const char*, TimeFieldRule, QString, QString, QString>> rows = {
            { "decimal point is no French number", kMinutesField, "1.5", "0", "0" },
            { "other digits", kMinutesField, QString::fromUtf16(u"\u0663"), "0", "0" },
            { "comma being typed", kMinutesField, "0,", "0,", "0," },
            { "no bound while typing", kMinutesField, "75", "75", "59" },
            { "fraction over", kMinutesField, "59,5", "59,5", "59" },
            { "pasted negative", kSecondsField, "-3", "-3", "0" },
            { "hours top", kHoursField, "999", "999", "999" },
            { "day emptied", kDayField, "", "1", "1" },
            { "day zero", kDayField, "0", "0", "1" },
            { "day over", kDayField, "32", "32", "31" },
        };
        for (const auto& [name, rule, typed, whileTyping, left] : rows)
            QTest::newRow(name) << rule << typed << whileTyping << left;
    }
    void timeFieldRules()
    {
        QFETCH(TimeFieldRule, rule);
        QFETCH(QString, typed);
        const QString shown = textAfterChange(rule, typed);
        QTEST(shown, "whileTyping");
        QTEST(textOnLeave(rule, shown), "left");
    }

    // Hours, minutes and seconds to the seconds stored, halves rounding to the even neighbour.
    void secondsFromFields_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("seconds");
        QTest::newRow("default plan") << QStringList { "29", "50", "0" } << 107400;
        QTest::newRow("largest") << QStringList { "999", "59", "59" } << 3599999;
        QTest::newRow("half an hour") << QStringList { "0,5", "0", "0" } << 1800;
        QTest::newRow("half second rounds to even 0") << QStringList { "0", "0", "0,5" } << 0;
        QTest::newRow("two and a half rounds to even 2") << QStringList { "0", "0", "2,5" } << 2;
    }
    void secondsFromFields()
    {
        QFETCH(QStringList, fields);
        QTEST(chronolien::secondsFromFields(fields[0], fields[1], fields[2]), "seconds");
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
        QTest::newRow("one character") << "1" << true << "E----";
    }
    void autoOpenChoices()
    {
        QFETCH(QString, flags);
        QFETCH(bool, forfait);
        QFETCH(QString, enabled);
        AutoOpenBoxes boxes = autoOpenBoxesFromFlags(flags);
        updateAutoOpenChoices(boxes, forfait);
        QCOMPARE(boxesText(boxes), enabled);
        QCOMPARE(autoOpenFlagsFromBoxes(boxes), flags.leftJustified(5, u'0'));
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
};

QTEST_GUILESS_MAIN(TestConfigRules)
#include "test_config_rules.moc"
