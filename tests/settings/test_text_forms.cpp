#include "settings/text_forms.h"
#include "settings/win1252.h"

#include <QTest>

using namespace chronolien;

namespace {

// A value's text read as a boolean ('b'), a date ('d') or a number ('n'); "-" when it is refused.
QString readAs(char form, const QString& text)
{
    if (form == 'b') {
        const std::optional<bool> value = textToBool(text);
        return value ? (*value ? QStringLiteral("true") : QStringLiteral("false")) : QStringLiteral("-");
    }
    if (form == 'd') {
        const std::optional<QDate> value = textToDate(text);
        return value ? value->toString(Qt::ISODate) : QStringLiteral("-");
    }
    return QString::number(roundHalfEven(leadingNumber(text)));
}

} // namespace

class TestTextForms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reading_data()
    {
        QTest::addColumn<char>("form");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        const auto row = [](char form, const char* text, const char* value) {
            QTest::addRow("%c \"%s\"", form, text)
                << form << QString::fromUtf8(text) << QString::fromLatin1(value);
        };
        for (const char* text : { "Vrai", "VRAI", "True", "-1", "1", "2.5" })
            row('b', text, "true");
        for (const char* text : { "Faux", "faux", "false", "0" })
            row('b', text, "false");
        for (const char* text : { "oui", "1abc", "" })
            row('b', text, "-");
        row('d', "06/12/2026", "2026-12-06");
        row('d', "1/2/2027", "2027-02-01");
        row('d', "29/02/2028", "2028-02-29");
        for (const char* text : { "31/04/2026", "12/31/2026", "06/12/26", "hier" })
            row('d', text, "-");
        row('n', "5000px", "5000");
        row('n', "  42", "42");
        row('n', "-360", "-360");
        row('n', "abc", "0");
        // Halves go to the even neighbour.
        row('n', "2.5", "2");
        row('n', "3.5", "4");
        row('n', "-2.5", "-2");
        row('n', "2.51", "3");
    }
    void reading()
    {
        QFETCH(char, form);
        QFETCH(QString, text);
        QTEST(readAs(form, text), "value");
    }

    void win1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
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
