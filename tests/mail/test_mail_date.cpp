#include "mail/mail_date.h"
#include "mail/mail_list.h"

#include <QTest>

using namespace chronolien;

class TestMailDate : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QDateTime>("date");
        auto at = [](int y, int mo, int d, int h, int mi, int s) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
        };
        QTest::newRow("rfc with offset") << "tue, 3 feb 2004 10:15:00 +0100" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("gmt") << "3 aug 2004 08:00:00 gmt" << at(2004, 8, 3, 8, 0, 0);
        QTest::newRow("two-digit year 20xx") << "mon, 5 jan 04 01:02:03 +0000" << at(2004, 1, 5, 1, 2, 3);
        QTest::newRow("two-digit year 19xx") << "5 jan 99 01:02:03 +0000" << at(1999, 1, 5, 1, 2, 3);
        QTest::newRow("full month name") << "3 february 2004 10:15:00 +0100" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("zone name edt") << "thu, 1 jul 2004 12:00:00 edt" << at(2004, 7, 1, 12, 0, 0);
        QTest::newRow("zone comment") << "fri, 2 jul 2004 12:00:00 (utc)" << at(2004, 7, 2, 12, 0, 0);
        QTest::newRow("zone z") << "2 jul 2004 12:00:00 z" << at(2004, 7, 2, 12, 0, 0);
        QTest::newRow("weekday without comma") << "fri 2 jul 2004 12:00:00" << at(2004, 7, 2, 12, 0, 0);
        QTest::newRow("no seconds") << "2 jul 2004 12:30 +0200" << at(2004, 7, 2, 12, 30, 0);
        QTest::newRow("french words") << "3 février 2004 10:15:00" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("no time") << "3 mar 2004" << at(2004, 3, 3, 0, 0, 0);
        QTest::newRow("garbage") << "demain matin" << ZeroMailDate();
        QTest::newRow("31 february") << "31 feb 2004 10:00:00" << ZeroMailDate();
        QTest::newRow("hour 25") << "3 feb 2004 25:00:00" << ZeroMailDate();
        QTest::newRow("iso form") << "2004-02-03 10:15:00" << ZeroMailDate();
        QTest::newRow("huge number") << "99999999999999999999 feb 2004" << ZeroMailDate();
    }

    void parse()
    {
        QFETCH(QString, value);
        QTEST(ParseMailDate(value), "date");
    }

    void displayForms_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortText");
        QTest::newRow("example") << QDateTime(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC)
                                 << "mardi 3 février 2004 à 10:15:00" << "03/02/2004 10:15:00";
        QTest::newRow("zero date") << ZeroMailDate() << "samedi 30 décembre 1899 à 00:00:00" << "00:00:00";
        QTest::newRow("august midnight") << QDateTime(QDate(2021, 8, 15), QTime(0, 0), Qt::UTC)
                                         << "dimanche 15 août 2021 à 00:00:00" << "15/08/2021";
    }

    void displayForms()
    {
        QFETCH(QDateTime, date);
        QTEST(MailDateText(date), "text");
        QTEST(MailDateShortText(date), "shortText");
    }

    void sizeForm_data()
    {
        QTest::addColumn<float>("ko");
        QTest::addColumn<QString>("text");
        QTest::newRow("fraction") << 0.5f << "0,50 Ko";
        QTest::newRow("rounded") << 1234.0f / 1024.0f << "1,21 Ko";
        QTest::newRow("large") << 12345.678f << "12345,68 Ko";
    }

    void sizeForm()
    {
        QFETCH(float, ko);
        QTEST(MailSizeText(ko), "text");
    }
};

QTEST_GUILESS_MAIN(TestMailDate)
#include "test_mail_date.moc"
