#include "core/app_state.h"
#include "fake_check_sockets.h"
#include "mail/check_dialogue.h"
#include "mail/header_extraction.h"
#include "mail/mail_date.h"
#include "mail/reply_assembler.h"
#include "support/fake_sound_player.h"
#include "support/message_box_recorder.h"
#include "support/recording_mail_list_events.h"
#include "support/temp_app_folder.h"

#include <QRandomGenerator>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// Random bytes biased towards what the parsers look for, so that the inputs reach deep paths.
QByteArray randomInput(QRandomGenerator& random, int maxSize)
{
    static const QList<QByteArray> pieces {
        "\r\n", "\r", "\n", ".\r\n", "\r\n.\r\n", "+OK ", "-ERR", "+ok 12 octets", "From: ", "To: ",
        "Date: ", "Subject: ", "Reply-To: ", "Return-Path: ", "X-Apparently-To: ", "<", ">", "\"",
        "=?utf-8?q?", "=?iso-8859-1?b?", "?=", "=C3=A9", ", ", " feb ", " 2004 ", "10:15:00", " +0100",
        " gmt", "(utc)", "99999999999", "1 2048", "\t", " ", QByteArray(1, '\0'), "\xff\xfe", "\xc3\xa9",
    };
    QByteArray out;
    const int size = int(random.bounded(maxSize));
    while (out.size() < size) {
        if (random.bounded(3) == 0)
            out += char(random.bounded(256));
        else
            out += pieces.at(random.bounded(pieces.size()));
    }
    return out;
}

struct NoEvents final : MailListEvents {
    void RefreshMailState() override {}
    void FillMailList() override {}
};

} // namespace

// Long runs of random input through every parser of server data: none may crash, read out of
// bounds (the sanitizers watch) or break its limits.
class TestMailRandomInput : public QObject {
    Q_OBJECT

    static constexpr int Rounds = 10000;

private Q_SLOTS:
    void headersDatesAndListings()
    {
        QRandomGenerator random(20040203);
        NoEvents events;
        for (int round = 0; round < Rounds; ++round) {
            const QByteArray input = randomInput(random, 2000);
            QStringList lines = CutReplyLines(input, MaxReplyLines, true);
            QVERIFY(lines.size() <= MaxReplyLines);
            for (QString& line : lines) {
                QVERIFY(line.size() <= 100);
                line = line.toLower();
            }
            const HeaderFields f = ReadHeaderFields(lines);
            if (const std::optional<MailEntry> e = MakeMailEntry(f, 1, 1)) {
                QVERIFY(!e->senderName.isEmpty());
                QVERIFY(e->subject.size() <= 91);
            }
            QVERIFY(ParseMailDate(QString::fromLatin1(input.left(60)).toLower()).isValid());
            MailList list;
            list.count = 3;
            list.entry(2).account = 1;
            list.entry(2).messageNumber = 1;
            ApplyListSizes(input, 1, list, events);
            QVERIFY(list.entry(2).sizeKo >= 0);
        }
    }

    void replyAssembler()
    {
        QRandomGenerator random(3816);
        for (int round = 0; round < Rounds; ++round) {
            ReplyAssembler a;
            a.expect(random.bounded(2) == 0 ? ReplyAssembler::Kind::SingleLine : ReplyAssembler::Kind::MultiLine);
            const QByteArray input = randomInput(random, 3000);
            qsizetype taken = 0;
            for (qsizetype at = 0; at < input.size();) {
                const qsizetype piece = 1 + random.bounded(200);
                a.append(input.mid(at, piece));
                at += piece;
                while (const std::optional<ReplyAssembler::Reply> reply = a.take()) {
                    QVERIFY(reply->raw.endsWith("\r\n"));
                    QVERIFY(reply->text.size() <= reply->raw.size());
                    taken += reply->raw.size();
                }
            }
            QVERIFY(taken <= input.size());
        }
    }

    void wholeDialogues()
    {
        QRandomGenerator random(110);
        TempAppFolder folder;
        AppState state;
        state.appFolder = folder.path();
        state.settings.courrier = true;
        state.connectedFlag = true;
        FakeSoundPlayer sound;
        MessageBoxRecorder messages;
        FakeCheckSockets sockets;
        RecordingMailListEvents events(state);
        CheckDialogue dialogue(state, sound, messages, sockets, events, [&] { return random.generateDouble(); });
        MailboxAccount& a = state.mailboxAccounts.account(1);
        a.server = QStringLiteral("pop.exemple.fr");
        a.login = QStringLiteral("jean");
        a.inUse = true;
        for (int round = 0; round < Rounds / 10; ++round) {
            dialogue.StartMailCheck();
            sockets.connected[0] = true;
            for (int k = 0; k < 40 && sockets.connected[0]; ++k) {
                QByteArray reply = randomInput(random, 400);
                if (random.bounded(2) == 0)
                    reply.prepend("+OK ");
                dialogue.DataArrival(0, reply);
                if (random.bounded(20) == 0)
                    dialogue.SocketError(0, int(random.bounded(3)) == 0 ? ErrorConnectionRefused : 7, QStringLiteral("x"));
                QVERIFY(state.mailList.count >= 0 && state.mailList.count <= MailList::Capacity);
                QVERIFY(a.AccountStep >= 0 && a.AccountStep <= 6);
                QVERIFY(a.currentMessage <= CheckDialogue::MaxMessages + 1);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestMailRandomInput)
#include "test_mail_random_input.moc"
