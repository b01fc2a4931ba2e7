#include "mail/header_extraction.h"
#include "mail/header_text.h"
#include "mail/mail_date.h"
#include "mail/pop3_endpoint.h"
#include "mail/reply_assembler.h"

#include <QTest>

using namespace chronolien;
using Kind = ReplyAssembler::Kind;

namespace {

// The entry the check makes of a TOP reply with these headers, read as the check reads them:
// "name|address|recipient|subject", then "|date" when a date was read; empty when it is not listed.
// The body carries a header-like line.
QString entryOf(const QByteArray& headers)
{
    QByteArray reply = "+OK\n" + headers + "\nBonjour,\nFrom: faux@corps.fr\n";
    QStringList lines = cutReplyLines(reply.replace("\n", "\r\n"), MaxReplyLines, true);
    for (QString& line : lines)
        line = line.toLower();
    const std::optional<MailEntry> e = makeMailEntry(readHeaderFields(lines), 2, 7);
    if (!e)
        return {};
    QStringList parts { e->senderName, e->senderAddress, e->recipient, e->subject };
    if (e->date != zeroMailDate())
        parts.append(e->date.toString(Qt::ISODate));
    return parts.join(u'|');
}

} // namespace

// The parsers of what servers send and of the server text an account holds: whole replies, header
// blocks, dates and their display forms, hosts and transports.
class TestMailParsers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wholeRepliesWhateverTheCuts_data()
    {
        QTest::addColumn<bool>("multiLine");
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("rest"); // bytes of the next reply at the stream's end
        QTest::newRow("single line") << false << QByteArray("+OK ready\r\n+OK") << QByteArray("+OK ready\r\n")
                                     << 3;
        QTest::newRow("multi-line") << true << QByteArray("+OK\r\nA: b\r\n\r\nbody\r\n.\r\n")
                                    << QByteArray("+OK\r\nA: b\r\n\r\nbody\r\n") << 0;
        QTest::newRow("dot-stuffed") << true << QByteArray("+OK\r\n..x\r\n...\r\n.\r\n")
                                     << QByteArray("+OK\r\n.x\r\n..\r\n") << 0;
        QTest::newRow("empty listing") << true << QByteArray("+OK\r\n.\r\n") << QByteArray("+OK\r\n") << 0;
        QTest::newRow("refusal is one line") << true << QByteArray("-ERR no such message\r\n+OK")
                                             << QByteArray("-ERR no such message\r\n") << 3;
    }
    // Cut anywhere, then fed byte by byte: the reply is taken as soon as it is whole, never before.
    void wholeRepliesWhateverTheCuts()
    {
        QFETCH(bool, multiLine);
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, text);
        QFETCH(int, rest);
        const qsizetype end = stream.size() - rest;
        for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
            ReplyAssembler a;
            a.expect(multiLine ? Kind::MultiLine : Kind::SingleLine);
            a.append(stream.left(cut));
            qsizetype appended = cut;
            std::optional<ReplyAssembler::Reply> reply = a.take();
            while (!reply && appended < stream.size()) {
                a.append(stream.mid(appended++, 1));
                reply = a.take();
            }
            QVERIFY(reply);
            QCOMPARE(appended, qMax(cut, end));
            QCOMPARE(reply->text, text);
            QCOMPARE(reply->raw, stream.left(end));
        }
    }

    void extract_data()
    {
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<QString>("entry");
        const auto row = [](const char* name, const QByteArray& headers, const char* entry) {
            QTest::newRow(name) << headers << QString::fromUtf8(entry);
        };
        row("quoted display name",
            "From: \"Jean Dupont\" <Jean.Dupont@Exemple.FR>\nTo: moi@ici.fr\nSubject: Réunion\n"
            "Date: Tue, 3 Feb 2004 10:15:00 +0100\n",
            "jean dupont|jean.dupont@exemple.fr|moi@ici.fr|réunion|2004-02-03T10:15:00Z");
        row("return-path only", "Return-Path: <bounce@liste.org>\nSubject: x\n",
            "bounce@liste.org|bounce@liste.org||x");
        row("two addresses in to keep the comma", "From: a@b.fr\nTo: un@x.fr, deux@y.fr\n",
            "a@b.fr|a@b.fr|un@x.fr,|");
        row("x-apparently-to wins over to",
            "X-Apparently-To: vrai@ici.fr via 1.2.3.4\nTo: autre@ici.fr\nFrom: a@b.fr\n",
            "a@b.fr|a@b.fr|vrai@ici.fr|");
        row("reply-to when no from", "Reply-To: Service Client <sc@shop.fr>\n",
            "service client|sc@shop.fr||");
        row("a name of four characters", "From: anne <a@b.fr>\n", "anne|a@b.fr||");
        row("no name under four characters", "From: bob <b@b.fr>\n", "b@b.fr|b@b.fr||");
        row("only an address in angles, a block of one line", "From: <x@y.fr>\n", "x@y.fr|x@y.fr||");
        row("address cut at 50", "From: nom long <" + QByteArray(60, 'a') + ">\n",
            QByteArray("nom long|" + QByteArray(49, 'a') + "||").constData());
        row("no sender dropped", "To: moi@ici.fr\nSubject: anonyme\n", "");
        row("no space after colon matches nothing", "From:a@b.fr\nReturn-Path: <r@b.fr>\n",
            "r@b.fr|r@b.fr||");
        row("folded subject is whole", "From: a@b.fr\nSubject: premier morceau\n\tsecond\n   morceau\n",
            "a@b.fr|a@b.fr||premier morceau second morceau");
        row("address folded onto the next line, no bounce address",
            "Return-Path: <>\nFrom: \"Jean Dupont\"\n <Jean@Exemple.fr>\n", "jean dupont|jean@exemple.fr||");
        row("encoded word cut in a character, over folded lines",
            "From: a@b.fr\nSubject: =?UTF-8?Q?R=C3?=\n =?utf-8?q?=A9union_du_comit=C3=A9?=\n",
            "a@b.fr|a@b.fr||réunion du comité");
        row("encoded words decoded then lower-cased",
            "From: =?iso-8859-1?q?Ren=E9?= Dupr\xc3\xa9 <r@x.fr>\nSubject: =?utf-8?b?UsOpdW5pb24=?= "
            "=?utf-8?q?_demain?=\n",
            "rené dupré|r@x.fr||réunion demain");
        QByteArray many;
        for (int k = 0; k < 30; ++k)
            many += "Received: from relay" + QByteArray::number(k) + ".example.net by mx\n";
        row("subject after the 20th line is read",
            many + "From: Nom Long <n@x.fr>\nSubject: tard\nDate: 3 aug 2004 08:00:00 gmt\n",
            "nom long|n@x.fr||tard|2004-08-03T08:00:00Z");
    }
    void extract()
    {
        QFETCH(QByteArray, headers);
        QTEST(entryOf(headers), "entry");
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

    void decodeHeaderLine_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("windows-1252 raw")
            << QByteArray("Subject: caf\xe9 \x80") << QStringLiteral("Subject: café €");
        QTest::newRow("q iso-8859-15 euro") << QByteArray("=?iso-8859-15?q?=A4?=") << QStringLiteral("€");
        QTest::newRow("unknown charset stays") << QByteArray("=?x-nothing?q?abc?=") << "=?x-nothing?q?abc?=";
        QTest::newRow("bad base64 stays") << QByteArray("=?utf-8?b?***?=") << "=?utf-8?b?***?=";
        QTest::newRow("two character sets side by side")
            << QByteArray("=?iso-8859-1?q?caf=E9?= =?utf-8?q?_cr=C3=A8me?=") << QStringLiteral("café crème");
    }
    void decodeHeaderLine()
    {
        QFETCH(QByteArray, raw);
        QTEST(chronolien::decodeHeaderLine(raw), "text");
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
        QTest::newRow("full month name") << "3 february 2004 10:15:00 +0100" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("zone name edt") << "thu, 1 jul 2004 12:00:00 edt" << at(2004, 7, 1, 12, 0, 0);
        QTest::newRow("zone comment") << "fri, 2 jul 2004 12:00:00 (utc)" << at(2004, 7, 2, 12, 0, 0);
        QTest::newRow("weekday without comma") << "fri 2 jul 2004 12:00:00" << at(2004, 7, 2, 12, 0, 0);
        QTest::newRow("no seconds") << "2 jul 2004 12:30 +0200" << at(2004, 7, 2, 12, 30, 0);
        QTest::newRow("french words") << "3 février 2004 10:15:00" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("no time") << "3 mar 2004" << at(2004, 3, 3, 0, 0, 0);
        QTest::newRow("military zone") << "1 jan 2024 09:00:00 a" << at(2024, 1, 1, 9, 0, 0);
        QTest::newRow("fractional seconds")
            << "tue, 3 feb 2004 10:15:00.123456 +0100" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("asctime") << "tue feb  3 10:15:00 2004" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("two zones") << "1 jan 2024 09:00:00 cet cest" << zeroMailDate();
        QTest::newRow("a word for a zone") << "1 jan 2024 09:00:00 bientot" << zeroMailDate();
        QTest::newRow("garbage") << "demain matin" << zeroMailDate();
        QTest::newRow("31 february") << "31 feb 2004 10:00:00" << zeroMailDate();
        QTest::newRow("iso form") << "2004-02-03 10:15:00" << zeroMailDate();
        QTest::newRow("huge number") << "99999999999999999999 feb 2004" << zeroMailDate();
    }
    void parse()
    {
        QFETCH(QString, value);
        QTEST(parseMailDate(value), "date");
    }

    // The windows' long form (the mail list's test shows an ordinary date) and the trace's short
    // form, which leaves a midnight time out and writes the zero date as a time.
    void dateForms()
    {
        const QDateTime midnight(QDate(2021, 8, 15), QTime(0, 0), Qt::UTC);
        QCOMPARE(mailDateText(midnight), QStringLiteral("dimanche 15 août 2021 à 00:00:00"));
        QCOMPARE(mailDateText(zeroMailDate()), QStringLiteral("samedi 30 décembre 1899 à 00:00:00"));
        QCOMPARE(mailDateShortText(midnight), QStringLiteral("15/08/2021"));
        QCOMPARE(mailDateShortText(zeroMailDate()), QStringLiteral("00:00:00"));
    }

    void serverText_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("endpoint"); // host, port, and "tls" when secure
        const auto row = [](const char* name, const char* server, const char* endpoint) {
            QTest::newRow(name) << QString::fromLatin1(server) << QString::fromLatin1(endpoint);
        };
        row("host", "pop.free.fr", "pop.free.fr 110");
        row("host:port", "127.0.0.1:2110", "127.0.0.1 2110");
        row("host:995 is TLS", "pop.gmail.com:995", "pop.gmail.com 995 tls");
        row("pop3s://host", "pop3s://pop.example.org", "pop.example.org 995 tls");
        row("pop3s://host:port", "pop3s://127.0.0.1:2995", "127.0.0.1 2995 tls");
        row("scheme in capitals", "POP3S://Pop.Example.org", "Pop.Example.org 995 tls");
        row("bad port stays in the host", "host:abc", "host:abc 110");
        row("port too large", "host:65536", "host:65536 110");
        row("IPv6 with port", "[::1]:2110", "::1 2110");
        row("IPv6 over TLS", "pop3s://[::1]", "::1 995 tls");
        row("other scheme is a host", "pop3://pop.free.fr", "pop3://pop.free.fr 110");
        // The example the mailbox page's help gives is itself a TLS server text.
        QTest::newRow("the help's example")
            << secureServerHelpText().section(QStringLiteral("par exemple "), 1).section(u' ', 0, 0)
            << "pop.example.org 995 tls";
    }
    void serverText()
    {
        QFETCH(QString, server);
        const Pop3Endpoint e = parsePop3Server(server);
        QTEST(e.host + u' ' + QString::number(e.port) + (e.secure ? QStringLiteral(" tls") : QString()),
            "endpoint");
    }
};

QTEST_GUILESS_MAIN(TestMailParsers)
#include "test_mail_parsers.moc"
