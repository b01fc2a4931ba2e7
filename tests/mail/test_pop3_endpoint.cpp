#include "mail/pop3_endpoint.h"

#include <QTest>

using namespace chronolien;

// How an account's server text chooses host, port and transport.
class TestPop3Endpoint : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        QTest::newRow("pop3s on port 110") << "pop3s://pop.example.org:110"
                                           << "pop.example.org" << 110 << true;
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
        QTest::newRow("empty port") << "host:"
                                    << "host:" << 110 << false;
        QTest::newRow("bare IPv6 address") << "::1"
                                           << "::1" << 110 << false;
        QTest::newRow("IPv6 in brackets") << "[::1]"
                                          << "::1" << 110 << false;
        QTest::newRow("IPv6 with port") << "[::1]:2110"
                                        << "::1" << 2110 << false;
        QTest::newRow("IPv6 on 995") << "[2001:db8::5]:995"
                                     << "2001:db8::5" << 995 << true;
        QTest::newRow("IPv6 over TLS") << "pop3s://[::1]"
                                       << "::1" << 995 << true;
        QTest::newRow("IPv6, bad port") << "[::1]:x"
                                        << "[::1]:x" << 110 << false;
        QTest::newRow("scheme alone") << "pop3s://"
                                      << "" << 995 << true;
        QTest::newRow("empty") << ""
                               << "" << 110 << false;
        QTest::newRow("other scheme is a host") << "pop3://pop.free.fr"
                                                << "pop3://pop.free.fr" << 110 << false;
        QTest::newRow("60 characters with scheme") << "pop3s://" + QString(44, u'a') + ".example:995"
                                                   << QString(44, u'a') + ".example" << 995 << true;
    }

    void serverText()
    {
        QFETCH(QString, server);
        const Pop3Endpoint endpoint = ParsePop3Server(server);
        QTEST(endpoint.host, "host");
        QTEST(int(endpoint.port), "port");
        QTEST(endpoint.secure, "secure");
    }

    void helpTextShowsHowToWriteATlsServer()
    {
        const QString help = SecureServerHelpText();
        QVERIFY(help.contains(QStringLiteral("pop3s://")));
        // The example given is itself a TLS server text.
        const QString example = help.mid(help.lastIndexOf(QStringLiteral("pop3s://")));
        QVERIFY(ParsePop3Server(example).secure);
        QCOMPARE(ParsePop3Server(example).host, QStringLiteral("pop.example.org"));
    }
};

QTEST_GUILESS_MAIN(TestPop3Endpoint)
#include "test_pop3_endpoint.moc"
