#include "config_dialog/auto_open_choices.h"
#include "config_dialog/mailto_link.h"
#include "config_dialog/time_field_rules.h"

#include <QTest>

using namespace chronolien;

Q_DECLARE_METATYPE(TimeFieldRule)

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
            { "fraction over", kMinutesField, "59,5", "59,5", "59" },
            { "pasted negative", kSecondsField, "-3", "-3", "0" },
            { "hours top", kHoursField, "999", "999", "999" },
            { "day emptied", kDayField, "", "1", "1" },
            { "day zero", kDayField, "0", "0", "1" },
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

    // The pages' values stored: halves round to the even neighbour.
    void halvesRoundToEven()
    {
        QCOMPARE(secondsFromFields("0", "0", "0,5"), 0);
        QCOMPARE(secondsFromFields("0", "0", "2,5"), 2);
        QCOMPARE(dayFromField("1,5"), qint16(2));
        QCOMPARE(dayFromField("2,5"), qint16(2));
    }

    // The boxes enabled (E) or not (-) for the ticks of affiche_auto, which they give back.
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
        AutoOpenBoxes boxes = autoOpenBoxesFromFlags(flags);
        updateAutoOpenChoices(boxes, forfait);
        QString enabled;
        for (const AutoOpenBox& box : boxes)
            enabled += box.enabled ? u'E' : u'-';
        QTEST(enabled, "enabled");
        QCOMPARE(autoOpenFlagsFromBoxes(boxes), flags.leftJustified(5, u'0'));
    }

    // Every part but the address optional, and passed as it is; the about box's link, which has a
    // subject only, is the dialog's test.
    void mailtoLink()
    {
        const QString a = QStringLiteral("a@example.org");
        QCOMPARE(chronolien::mailtoLink(a, {}, {}, {}, {}), "mailto:" + a);
        QCOMPARE(chronolien::mailtoLink(a, {}, {}, "c@example.org", {}), "mailto:" + a + "?CC=c@example.org");
        QCOMPARE(chronolien::mailtoLink(a, "Été & co", "Bonjour à tous", "c@example.org", "b@example.org"),
            "mailto:" + a
                + "?Subject=\"Été & co\"&Body=\"Bonjour à tous\"&CC=c@example.org&BCC=b@example.org");
    }
};

QTEST_GUILESS_MAIN(TestConfigRules)
#include "test_config_rules.moc"
