#include "mail/header_extraction.h"
#include "mail/header_text.h"
#include "mail/mail_list_events.h"

#include <QTest>

using namespace chronolien;

namespace {

// A TOP reply as the dialogue hands it over: status line, headers, blank line, body.
QByteArray reply(const QByteArray& headers, const QByteArray& body = "Bonjour,\r\nFrom: someone in the body\r\n")
{
    QByteArray r = "+OK\r\n" + headers + "\r\n" + body;
    r.replace("\n", "\r\n");
    r.replace("\r\r\n", "\r\n");
    return r;
}

// The entry made of a reply's header block, read as the check dialogue reads it.
std::optional<MailEntry> entryOf(const QByteArray& r)
{
    QStringList lines = CutReplyLines(r, MaxReplyLines, true);
    for (QString& line : lines)
        line = line.toLower();
    return MakeMailEntry(ReadHeaderFields(lines), 2, 7);
}

const QByteArray Filler = "Received: from a by b\nMessage-ID: <1@x>\nMIME-Version: 1.0\n";

struct CountingEvents final : MailListEvents {
    void RefreshMailState() override {}
    void FillMailList() override { ++fills; }
    int fills = 0;
};

} // namespace

class TestHeaderExtraction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void extract_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QDateTime>("date");

        const QDateTime d(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC);
        QTest::newRow("quoted display name")
            << reply(Filler + "From: \"Jean Dupont\" <Jean.Dupont@Exemple.FR>\nTo: moi@ici.fr\nSubject: Réunion\nDate: Tue, 3 Feb 2004 10:15:00 +0100\n")
            << true << "jean dupont" << "jean.dupont@exemple.fr" << "moi@ici.fr" << "réunion" << d;
        QTest::newRow("return-path only")
            << reply(Filler + "Return-Path: <bounce@liste.org>\nSubject: x\n")
            << true << "bounce@liste.org" << "bounce@liste.org" << "" << "x" << ZeroMailDate();
        QTest::newRow("two addresses in to keep the comma")
            << reply(Filler + "From: a@b.fr\nTo: un@x.fr, deux@y.fr\n")
            << true << "a@b.fr" << "a@b.fr" << "un@x.fr," << "" << ZeroMailDate();
        QTest::newRow("x-apparently-to wins over to")
            << reply(Filler + "X-Apparently-To: vrai@ici.fr via 1.2.3.4\nTo: autre@ici.fr\nFrom: a@b.fr\n")
            << true << "a@b.fr" << "a@b.fr" << "vrai@ici.fr" << "" << ZeroMailDate();
        QTest::newRow("reply-to when no from")
            << reply(Filler + "Reply-To: Service Client <sc@shop.fr>\n")
            << true << "service client" << "sc@shop.fr" << "" << "" << ZeroMailDate();
        QTest::newRow("second from wins")
            << reply(Filler + "From: Premier Nom <p@x.fr>\nFrom: Second Nom <s@x.fr>\n")
            << true << "second nom" << "s@x.fr" << "" << "" << ZeroMailDate();
        QTest::newRow("no sender dropped")
            << reply(Filler + "To: moi@ici.fr\nSubject: anonyme\n") << false << "" << "" << "" << "" << QDateTime();
        QTest::newRow("no space after colon matches nothing")
            << reply(Filler + "From:a@b.fr\nReturn-Path: <r@b.fr>\n")
            << true << "r@b.fr" << "r@b.fr" << "" << "" << ZeroMailDate();
        QTest::newRow("folded subject keeps its first line")
            << reply(Filler + "From: a@b.fr\nSubject: premier morceau\n\tsecond morceau\n")
            << true << "a@b.fr" << "a@b.fr" << "" << "premier morceau" << ZeroMailDate();

        QByteArray many;
        for (int k = 0; k < 30; ++k)
            many += "Received: from relay" + QByteArray::number(k) + ".example.net by mx\n";
        QTest::newRow("subject after the 20th line is read")
            << reply(many + "From: Nom Long <n@x.fr>\nSubject: tard\nDate: 3 aug 2004 08:00:00 gmt\n")
            << true << "nom long" << "n@x.fr" << "" << "tard" << QDateTime(QDate(2004, 8, 3), QTime(8, 0), Qt::UTC);
        QTest::newRow("from in the body is not a header")
            << reply(Filler + "From: vrai@x.fr\n", "texte\nFrom: faux@y.fr\n")
            << true << "vrai@x.fr" << "vrai@x.fr" << "" << "" << ZeroMailDate();
        QTest::newRow("encoded words decoded then lower-cased")
            << reply(Filler + "From: =?iso-8859-1?q?Ren=E9?= Dupr\xc3\xa9 <r@x.fr>\nSubject: =?utf-8?b?UsOpdW5pb24=?= =?utf-8?q?_demain?=\n")
            << true << "rené dupré" << "r@x.fr" << "" << "réunion demain" << ZeroMailDate();
    }

    void extract()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, listed);
        const std::optional<MailEntry> e = entryOf(reply);
        QCOMPARE(e.has_value(), listed);
        if (!listed)
            return;
        QTEST(e->senderName, "name");
        QTEST(e->senderAddress, "address");
        QTEST(e->recipient, "recipient");
        QTEST(e->subject, "subject");
        QTEST(e->date, "date");
    }

    void linesAreCutAndBounded()
    {
        const QByteArray r = "+OK\r\n" + QByteArray(150, 'a') + "\r\n\t\t  indented\r\n" + QByteArray(25, ' ')
            + "b\r\n\r\nbody\r\n";
        QCOMPARE(CutReplyLines(r, MaxReplyLines, true),
            QStringList({ "+OK", QString(100, u'a'), "indented", QString(25, u' ') + u'b' })); // blanks past 20 stay
        QCOMPARE(CutReplyLines(r, MaxReplyLines, false).size(), 6);
        QCOMPARE(CutReplyLines(r, 3, false).size(), 3);
    }

    void splitAndClean_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::newRow("no angle") << "a@b.fr" << "a@b.fr" << "a@b.fr";
        QTest::newRow("quoted name") << "\"jean d\" <j@d.fr>" << "jean d" << "j@d.fr";
        QTest::newRow("name of 4") << "anne <a@b.fr>" << "anne" << "a@b.fr";
        QTest::newRow("name of 3") << "bob <b@b.fr>" << "" << "b@b.fr";
        QTest::newRow("only angle") << "<x@y.fr>" << "" << "x@y.fr";
        QTest::newRow("address cut at 50") << "nom long <" + QString(60, u'a') + ">" << "nom long" << "" + QString(49, u'a');
    }

    void splitAndClean()
    {
        QFETCH(QString, value);
        QString name = SplitAddress(1, value);
        QString address = SplitAddress(2, value);
        QTEST(CleanAddress(name), "name");
        QTEST(CleanAddress(address), "address");
        QTEST(address, "address"); // the argument is cleaned too
    }

    void decodeHeaderLine_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8 raw") << QByteArray("Subject: caf\xc3\xa9") << QStringLiteral("Subject: café");
        QTest::newRow("windows-1252 raw") << QByteArray("Subject: caf\xe9 \x80") << QStringLiteral("Subject: café €");
        QTest::newRow("q iso-8859-1") << QByteArray("=?ISO-8859-1?Q?caf=E9_cr=E8me?=") << QStringLiteral("café crème");
        QTest::newRow("q iso-8859-15 euro") << QByteArray("=?iso-8859-15?q?=A4?=") << QStringLiteral("€");
        QTest::newRow("b windows-1252") << QByteArray("=?windows-1252?b?gA==?=") << QStringLiteral("€");
        QTest::newRow("unknown charset stays") << QByteArray("=?x-nothing?q?abc?=") << QStringLiteral("=?x-nothing?q?abc?=");
        QTest::newRow("bad base64 stays") << QByteArray("=?utf-8?b?***?=") << QStringLiteral("=?utf-8?b?***?=");
    }

    void decodeHeaderLine()
    {
        QFETCH(QByteArray, raw);
        QTEST(DecodeHeaderLine(raw), "text");
    }

    void listSizesForTheAccountsEntries()
    {
        MailList list;
        list.count = 3; // the fourth slot is stale
        const int owners[4][2] = { { 1, 2 }, { 2, 2 }, { 1, 25 }, { 1, 1 } }; // account, message
        for (int e = 1; e <= 4; ++e) {
            list.entry(e).account = qint16(owners[e - 1][0]);
            list.entry(e).messageNumber = qint16(owners[e - 1][1]);
        }
        QByteArray r = "+OK 30 messages\r\n";
        for (int n = 1; n <= 30; ++n)
            r += QByteArray::number(n) + ' ' + QByteArray::number(n * 1024) + "\r\n";
        r += "abc def\r\n";
        CountingEvents events;
        ApplyListSizes(r, 1, list, events);
        QCOMPARE(list.entry(1).sizeKo, 2.0f);
        QCOMPARE(list.entry(2).sizeKo, 0.0f);
        QCOMPARE(list.entry(3).sizeKo, 25.0f); // beyond the 20th line
        QCOMPARE(list.entry(4).sizeKo, 0.0f);
        QCOMPARE(events.fills, 2);
    }
};

QTEST_GUILESS_MAIN(TestHeaderExtraction)
#include "test_header_extraction.moc"
