#include "settings/text_forms.h"
#include "settings/win1252.h"

#include <QTest>

using namespace chronolien;

class TestTextForms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void booleans_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1: rejected
        QTest::newRow("Vrai") << "Vrai" << 1;
        QTest::newRow("Faux") << "Faux" << 0;
        QTest::newRow("faux lower") << "faux" << 0;
        QTest::newRow("VRAI upper") << "VRAI" << 1;
        QTest::newRow("True") << "True" << 1;
        QTest::newRow("false") << "false" << 0;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("-1") << "-1" << 1;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("2.5") << "2.5" << 1;
        QTest::newRow("oui") << "oui" << -1;
        QTest::newRow("1abc") << "1abc" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void booleans()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto value = textToBool(text);
        if (expected < 0) {
            QVERIFY(!value.has_value());
        } else {
            QVERIFY(value.has_value());
            QCOMPARE(*value, expected == 1);
        }
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected"); // invalid: rejected
        QTest::newRow("padded") << "06/12/2026" << QDate(2026, 12, 6);
        QTest::newRow("short") << "1/2/2027" << QDate(2027, 2, 1);
        QTest::newRow("31 April") << "31/04/2026" << QDate();
        QTest::newRow("29 Feb leap") << "29/02/2028" << QDate(2028, 2, 29);
        QTest::newRow("month first") << "12/31/2026" << QDate();
        QTest::newRow("two-digit year") << "06/12/26" << QDate();
        QTest::newRow("words") << "hier" << QDate();
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        const auto value = textToDate(text);
        QCOMPARE(value.has_value(), expected.isValid());
        if (value)
            QCOMPARE(*value, expected);
    }

    void leadingNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("plain") << "5000" << qint64(5000);
        QTest::newRow("letters after") << "5000px" << qint64(5000);
        QTest::newRow("leading blanks") << "  42" << qint64(42);
        QTest::newRow("negative") << "-360" << qint64(-360);
        QTest::newRow("no number") << "abc" << qint64(0);
        QTest::newRow("half to even down") << "2.5" << qint64(2);
        QTest::newRow("half to even up") << "3.5" << qint64(4);
        QTest::newRow("negative half") << "-2.5" << qint64(-2);
        QTest::newRow("above half") << "2.51" << qint64(3);
    }
    void leadingNumbers()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QCOMPARE(roundHalfEven(leadingNumber(text)), expected);
    }

    void win1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << "pos_x" << QByteArray("pos_x");
        QTest::newRow("accents") << QStringLiteral("évènement à") << QByteArray("\xe9v\xe8nement \xe0");
        QTest::newRow("euro oe") << QStringLiteral("€œ") << QByteArray("\x80\x9c");
        QTest::newRow("not in code page") << QStringLiteral("日本") << QByteArray("??");
        QTest::newRow("outside BMP is one character") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    }
    void win1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toWin1252(text), bytes);
        if (!bytes.contains('?'))
            QCOMPARE(fromWin1252(bytes), text);
    }

    void win1252EveryByteSurvivesARoundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString decoded = fromWin1252(all);
        QCOMPARE(decoded.size(), 256);
        QCOMPARE(toWin1252(decoded), all);
    }
};

QTEST_GUILESS_MAIN(TestTextForms)
#include "test_text_forms.moc"
