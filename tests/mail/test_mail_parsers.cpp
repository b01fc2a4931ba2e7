#include "mail/header_extraction.h"
#include "mail/header_text.h"
#include "mail/mail_date.h"
#include "mail/mail_list_events.h"
#include "mail/pop3_endpoint.h"
#include "mail/reply_assembler.h"

#include <QTest>

using namespace chronolien;
using Kind = ReplyAssembler::Kind;

namespace {

// A TOP reply as the dialogue hands it over: status line, headers, blank line, body.
QByteArray reply(
    const QByteArray& headers, const QByteArray& body = "Bonjour,\r\nFrom: someone in the body\r\n")
{
    QByteArray r = "+OK\r\n" + headers + "\r\n" + body;
    r.replace("\n", "\r\n");
    r.replace("\r\r\n", "\r\n");
    return r;
}

// The entry made of a reply's header block, read as the check dialogue reads it.
std::optional<MailEntry> entryOf(const QByteArray& r)
{
    QStringList lines = cutReplyLines(r, MaxReplyLines, true);
    for (QString& line : lines)
        line = line.toLower();
    return makeMailEntry(readHeaderFields(lines), 2, 7);
}

const QByteArray Filler = "Received: from a by b\nMessage-ID: <1@x>\nMIME-Version: 1.0\n";

struct CountingEvents final : MailListEvents {
    void refreshMailState() override { }
    void fillMailList() override { ++fills; }
    int fills = 0;
};

} // namespace

// The parsers of what servers send and of the server text an account holds: whole replies, header
// blocks, dates and their display forms, listing sizes, hosts and transports.
class TestMailParsers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wholeRepliesWhateverTheCuts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("rest");
        QTest::newRow("single line") << int(Kind::SingleLine) << QByteArray("+OK ready\r\n+OK")
                                     << QByteArray("+OK ready\r\n") << QByteArray("+OK");
        QTest::newRow("multi-line") << int(Kind::MultiLine) << QByteArray("+OK\r\nA: b\r\n\r\nbody\r\n.\r\n")
                                    << QByteArray("+OK\r\nA: b\r\n\r\nbody\r\n") << QByteArray();
        QTest::newRow("dot-stuffed") << int(Kind::MultiLine) << QByteArray("+OK\r\n..x\r\n...\r\n.\r\n")
                                     << QByteArray("+OK\r\n.x\r\n..\r\n") << QByteArray();
        QTest::newRow("empty listing")
            << int(Kind::MultiLine) << QByteArray("+OK\r\n.\r\n") << QByteArray("+OK\r\n") << QByteArray();
        QTest::newRow("refusal is one line")
            << int(Kind::MultiLine) << QByteArray("-ERR no such message\r\n+OK")
            << QByteArray("-ERR no such message\r\n") << QByteArray("+OK");
    }

    void wholeRepliesWhateverTheCuts()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, rest);
        // Every cut into two pieces, and byte by byte, gives the same reply.
        for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
            ReplyAssembler a;
            a.expect(Kind(kind));
            a.append(stream.left(cut));
            std::optional<ReplyAssembler::Reply> reply = a.take();
            if (reply) {
                QVERIFY2(cut >= stream.size() - rest.size(), "a reply was taken before its end");
            } else {
                a.append(stream.mid(cut));
                reply = a.take();
            }
            QVERIFY(reply);
            QCOMPARE(reply->text, text);
            QCOMPARE(reply->raw, stream.left(stream.size() - rest.size()));
        }
        ReplyAssembler a;
        a.expect(Kind(kind));
        std::optional<ReplyAssembler::Reply> reply;
        for (const char c : stream) {
            a.append(QByteArray(1, c));
            if (!reply)
                reply = a.take();
        }
        QVERIFY(reply);
        QCOMPARE(reply->text, text);
    }

    void aReplyTooLargeOverflows()
    {
        ReplyAssembler a;
        a.expect(Kind::MultiLine);
        a.append("+OK\r\n");
        const QByteArray block(64 * 1024, 'x');
        for (int k = 0; k < 17 && !a.overflowed(); ++k) {
            a.append(block);
            QVERIFY(!a.take());
        }
        QVERIFY(a.overflowed());
        a.append(".\r\n");
        QVERIFY(!a.take());
        a.clear();
        QVERIFY(!a.overflowed());
    }

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
        QTest::newRow("quoted display name") << reply(Filler
            + "From: \"Jean Dupont\" <Jean.Dupont@Exemple.FR>\nTo: moi@ici.fr\nSubject: Réunion\nDate: Tue, "
              "3 Feb 2004 10:15:00 +0100\n") << true
                                             << "jean dupont"
                                             << "jean.dupont@exemple.fr"
                                             << "moi@ici.fr"
                                             << "réunion" << d;
        QTest::newRow("return-path only")
            << reply(Filler + "Return-Path: <bounce@liste.org>\nSubject: x\n") << true << "bounce@liste.org"
            << "bounce@liste.org"
            << ""
            << "x" << zeroMailDate();
        QTest::newRow("two addresses in to keep the comma")
            << reply(Filler + "From: a@b.fr\nTo: un@x.fr, deux@y.fr\n") << true << "a@b.fr"
            << "a@b.fr"
            << "un@x.fr,"
            << "" << zeroMailDate();
        QTest::newRow("x-apparently-to wins over to")
            << reply(Filler + "X-Apparently-To: vrai@ici.fr via 1.2.3.4\nTo: autre@ici.fr\nFrom: a@b.fr\n")
            << true << "a@b.fr"
            << "a@b.fr"
            << "vrai@ici.fr"
            << "" << zeroMailDate();
        QTest::newRow("reply-to when no from")
            << reply(Filler + "Reply-To: Service Client <sc@shop.fr>\n") << true << "service client"
            << "sc@shop.fr"
            << ""
            << "" << zeroMailDate();
        QTest::newRow("second from wins")
            << reply(Filler + "From: Premier Nom <p@x.fr>\nFrom: Second Nom <s@x.fr>\n") << true
            << "second nom"
            << "s@x.fr"
            << ""
            << "" << zeroMailDate();
        QTest::newRow("no sender dropped")
            << reply(Filler + "To: moi@ici.fr\nSubject: anonyme\n") << false << ""
            << ""
            << ""
            << "" << QDateTime();
        QTest::newRow("no space after colon matches nothing")
            << reply(Filler + "From:a@b.fr\nReturn-Path: <r@b.fr>\n") << true << "r@b.fr"
            << "r@b.fr"
            << ""
            << "" << zeroMailDate();
        QTest::newRow("folded subject is whole")
            << reply(Filler + "From: a@b.fr\nSubject: premier morceau\n\tsecond\n   morceau\n") << true
            << "a@b.fr"
            << "a@b.fr"
            << ""
            << "premier morceau second morceau" << zeroMailDate();
        QTest::newRow("address folded onto the next line, no bounce address")
            << reply(Filler + "Return-Path: <>\nFrom: \"Jean Dupont\"\n <Jean@Exemple.fr>\n") << true
            << "jean dupont"
            << "jean@exemple.fr"
            << ""
            << "" << zeroMailDate();
        QTest::newRow("encoded word cut in a character, over folded lines")
            << reply(
                   Filler + "From: a@b.fr\nSubject: =?UTF-8?Q?R=C3?=\n =?utf-8?q?=A9union_du_comit=C3=A9?=\n")
            << true << "a@b.fr"
            << "a@b.fr"
            << ""
            << "réunion du comité" << zeroMailDate();
        QByteArray many;
        for (int k = 0; k < 30; ++k)
            many += "Received: from relay" + QByteArray::number(k) + ".example.net by mx\n";
        QTest::newRow("subject after the 20th line is read")
            << reply(many + "From: Nom Long <n@x.fr>\nSubject: tard\nDate: 3 aug 2004 08:00:00 gmt\n") << true
            << "nom long"
            << "n@x.fr"
            << ""
            << "tard" << QDateTime(QDate(2004, 8, 3), QTime(8, 0), Qt::UTC);
        QTest::newRow("from in the body is not a header")
            << reply(Filler + "From: vrai@x.fr\n", "texte\nFrom: faux@y.fr\n") << true << "vrai@x.fr"
            << "vrai@x.fr"
            << ""
            << "" << zeroMailDate();
        QTest::newRow("encoded words decoded then lower-cased") << reply(Filler
            + "From: =?iso-8859-1?q?Ren=E9?= Dupr\xc3\xa9 <r@x.fr>\nSubject: =?utf-8?b?UsOpdW5pb24=?= "
              "=?utf-8?q?_demain?=\n") << true << "rené dupré"
                                                                << "r@x.fr"
                                                                << ""
                                                                << "réunion demain" << zeroMailDate();
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
        QCOMPARE(cutReplyLines(r, MaxReplyLines, false),
            QStringList({ "+OK", QString(100, u'a'), "indented", QString(25, u' ') + u'b', "",
                "body" })); // blanks past 20 stay
        QCOMPARE(cutReplyLines(r, 3, false).size(), 3);
        // In a header block, the blank-led lines continue the header above them.
        QCOMPARE(cutReplyLines(r, MaxReplyLines, true), QStringList({ "+OK", QString(100, u'a') }));
        QCOMPARE(cutReplyLines("+OK\r\nSubject: a\r\n" + QByteArray(100000, ' ') + "b\r\n\r\n", 9, true),
            QStringList({ "+OK", "Subject: a b" }));
    }

    void splitAndClean_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::newRow("no angle") << "a@b.fr"
                                  << "a@b.fr"
                                  << "a@b.fr";
        QTest::newRow("quoted name") << "\"jean d\" <j@d.fr>"
                                     << "jean d"
                                     << "j@d.fr";
        QTest::newRow("name of 4") << "anne <a@b.fr>"
                                   << "anne"
                                   << "a@b.fr";
        QTest::newRow("name of 3") << "bob <b@b.fr>"
                                   << ""
                                   << "b@b.fr";
        QTest::newRow("only angle") << "<x@y.fr>"
                                    << ""
                                    << "x@y.fr";
        QTest::newRow("address cut at 50") << "nom long <" + QString(60, u'a') + ">"
                                           << "nom long"
                                           << "" + QString(49, u'a');
    }

    void splitAndClean()
    {
        QFETCH(QString, value);
        QString name = splitAddress(1, value);
        QString address = splitAddress(2, value);
        QTEST(cleanAddress(name), "name");
        QTEST(cleanAddress(address), "address");
        QTEST(address, "address"); // the argument is cleaned too
    }

    void decodeHeaderLine_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8 raw") << QByteArray("Subject: caf\xc3\xa9") << QStringLiteral("Subject: café");
        QTest::newRow("windows-1252 raw")
            << QByteArray("Subject: caf\xe9 \x80") << QStringLiteral("Subject: café €");
        QTest::newRow("q iso-8859-1")
            << QByteArray("=?ISO-8859-1?Q?caf=E9_cr=E8me?=") << QStringLiteral("café crème");
        QTest::newRow("q iso-8859-15 euro") << QByteArray("=?iso-8859-15?q?=A4?=") << QStringLiteral("€");
        QTest::newRow("b windows-1252") << QByteArray("=?windows-1252?b?gA==?=") << QStringLiteral("€");
        QTest::newRow("unknown charset stays")
            << QByteArray("=?x-nothing?q?abc?=") << QStringLiteral("=?x-nothing?q?abc?=");
        QTest::newRow("bad base64 stays")
            << QByteArray("=?utf-8?b?***?=") << QStringLiteral("=?utf-8?b?***?=");
        QTest::newRow("character cut between two words")
            << QByteArray("=?utf-8?b?UsM=?= =?utf-8?b?qXVuaW9u?=") << QStringLiteral("Réunion");
        QTest::newRow("two character sets side by side")
            << QByteArray("=?iso-8859-1?q?caf=E9?= =?utf-8?q?_cr=C3=A8me?=") << QStringLiteral("café crème");
    }

    void decodeHeaderLine()
    {
        QFETCH(QByteArray, raw);
        QTEST(chronolien::decodeHeaderLine(raw), "text");
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
        applyListSizes(r, 1, list, events);
        QCOMPARE(list.entry(1).sizeKo, 2.0f);
        QCOMPARE(list.entry(2).sizeKo, 0.0f);
        QCOMPARE(list.entry(3).sizeKo, 25.0f); // beyond the 20th line
        QCOMPARE(list.entry(4).sizeKo, 0.0f);
        QCOMPARE(events.fills, 2);
    }

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
        QTest::newRow("zone msk") << "sat, 30 dec 2023 23:59:59 msk" << at(2023, 12, 30, 23, 59, 59);
        QTest::newRow("zone aedt") << "mon, 1 jan 2024 09:00:00 aedt" << at(2024, 1, 1, 9, 0, 0);
        QTest::newRow("zone hst and comment")
            << "1 jan 2024 09:00:00 hst (hawaii)" << at(2024, 1, 1, 9, 0, 0);
        QTest::newRow("military zone") << "1 jan 2024 09:00:00 a" << at(2024, 1, 1, 9, 0, 0);
        QTest::newRow("fractional seconds")
            << "tue, 3 feb 2004 10:15:00.123456 +0100" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("asctime") << "tue feb  3 10:15:00 2004" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("asctime, day of two digits")
            << "wed dec 31 23:00:01 2003" << at(2003, 12, 31, 23, 0, 1);
        QTest::newRow("two zones") << "1 jan 2024 09:00:00 cet cest" << zeroMailDate();
        QTest::newRow("a word for a zone") << "1 jan 2024 09:00:00 bientot" << zeroMailDate();
        QTest::newRow("a fraction that is no number") << "1 jan 2024 09:00:00.x" << zeroMailDate();
        QTest::newRow("garbage") << "demain matin" << zeroMailDate();
        QTest::newRow("31 february") << "31 feb 2004 10:00:00" << zeroMailDate();
        QTest::newRow("hour 25") << "3 feb 2004 25:00:00" << zeroMailDate();
        QTest::newRow("iso form") << "2004-02-03 10:15:00" << zeroMailDate();
        QTest::newRow("huge number") << "99999999999999999999 feb 2004" << zeroMailDate();
    }

    void parse()
    {
        QFETCH(QString, value);
        QTEST(parseMailDate(value), "date");
    }

    void displayForms_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortText");
        QTest::newRow("example") << QDateTime(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC)
                                 << "mardi 3 février 2004 à 10:15:00"
                                 << "03/02/2004 10:15:00";
        QTest::newRow("zero date") << zeroMailDate() << "samedi 30 décembre 1899 à 00:00:00"
                                   << "00:00:00";
        QTest::newRow("august midnight")
            << QDateTime(QDate(2021, 8, 15), QTime(0, 0), Qt::UTC) << "dimanche 15 août 2021 à 00:00:00"
            << "15/08/2021";
    }

    void displayForms()
    {
        QFETCH(QDateTime, date);
        QTEST(mailDateText(date), "text");
        QTEST(mailDateShortText(date), "shortText");
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
        QTEST(mailSizeText(ko), "text");
    }

    void serverText_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("secure");
        QTest::newRow("host") << "pop.free.fr"
                              << "pop.free.fr" << 110 << false;
        QTest::newRow("host:port") << "127.0.0.1:2110"
                                   << "127.0.0.1" << 2110 << false;
        QTest::newRow("host:995 is TLS") << "pop.gmail.com:995"
                                         << "pop.gmail.com" << 995 << true;
        QTest::newRow("pop3s://host") << "pop3s://pop.example.org"
                                      << "pop.example.org" << 995 << true;
        QTest::newRow("pop3s://host:port") << "pop3s://127.0.0.1:2995"
                                           << "127.0.0.1" << 2995 << true;
        QTest::newRow("scheme in capitals") << "POP3S://Pop.Example.org"
                                            << "Pop.Example.org" << 995 << true;
        QTest::newRow("bad port stays in the host") << "host:abc"
                                                    << "host:abc" << 110 << false;
        QTest::newRow("port 0") << "host:0"
                                << "host:0" << 110 << false;
        QTest::newRow("port too large") << "host:65536"
                                        << "host:65536" << 110 << false;
        QTest::newRow("bad port over TLS") << "pop3s://host:x"
                                           << "host:x" << 995 << true;
        QTest::newRow("bare IPv6 address") << "::1"
                                           << "::1" << 110 << false;
        QTest::newRow("IPv6 with port") << "[::1]:2110"
                                        << "::1" << 2110 << false;
        QTest::newRow("IPv6 over TLS") << "pop3s://[::1]"
                                       << "::1" << 995 << true;
        QTest::newRow("other scheme is a host") << "pop3://pop.free.fr"
                                                << "pop3://pop.free.fr" << 110 << false;
    }

    void serverText()
    {
        QFETCH(QString, server);
        const Pop3Endpoint endpoint = parsePop3Server(server);
        QTEST(endpoint.host, "host");
        QTEST(int(endpoint.port), "port");
        QTEST(endpoint.secure, "secure");
    }

    void helpTextShowsHowToWriteATlsServer()
    {
        const QString help = secureServerHelpText();
        // The example given is itself a TLS server text.
        const QString example = help.section(QStringLiteral("par exemple "), 1).section(u' ', 0, 0);
        QVERIFY(parsePop3Server(example).secure);
        QCOMPARE(parsePop3Server(example).host, QStringLiteral("pop.example.org"));
    }
};

QTEST_GUILESS_MAIN(TestMailParsers)
#include "test_mail_parsers.moc"
