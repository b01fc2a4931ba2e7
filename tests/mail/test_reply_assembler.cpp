#include "mail/reply_assembler.h"

#include <QTest>

using namespace chronolien;
using Kind = ReplyAssembler::Kind;

class TestReplyAssembler : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wholeRepliesWhateverTheCuts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("rest");
        QTest::newRow("single line") << int(Kind::SingleLine) << QByteArray("+OK ready\r\n+OK") << QByteArray("+OK ready\r\n") << QByteArray("+OK");
        QTest::newRow("multi-line") << int(Kind::MultiLine) << QByteArray("+OK\r\nA: b\r\n\r\nbody\r\n.\r\n")
                                    << QByteArray("+OK\r\nA: b\r\n\r\nbody\r\n") << QByteArray();
        QTest::newRow("dot-stuffed") << int(Kind::MultiLine) << QByteArray("+OK\r\n..x\r\n...\r\n.\r\n")
                                     << QByteArray("+OK\r\n.x\r\n..\r\n") << QByteArray();
        QTest::newRow("empty listing") << int(Kind::MultiLine) << QByteArray("+OK\r\n.\r\n") << QByteArray("+OK\r\n") << QByteArray();
        QTest::newRow("refusal is one line") << int(Kind::MultiLine) << QByteArray("-ERR no such message\r\n+OK")
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
};

QTEST_GUILESS_MAIN(TestReplyAssembler)
#include "test_reply_assembler.moc"
