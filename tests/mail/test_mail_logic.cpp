#include "mail/account_page.h"
#include "mail/accounts_file.h"
#include "mail/check_dialogue.h"
#include "mail/check_sockets.h"
#include "mail/debug_log.h"
#include "mail/deletion_dialogue.h"
#include "mail/header_extraction.h"
#include "mail/mail_date.h"
#include "mail/mail_list_content.h"
#include "mail/mail_list_logic.h"
#include "mail/pop3_endpoint.h"
#include "mail/reply_assembler.h"
#include "recording_mail_view.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/recording_mail_list_events.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QtEndian>
#include <sys/stat.h>
#include <utility>

using namespace chronolien;
using namespace chronolien::test;
using Kind = ReplyAssembler::Kind;

namespace {

QByteArray record(qint16 number, const QByteArray& server = {}, const QByteArray& login = {},
    const QByteArray& password = {}, qint16 state = 0, bool inUse = false)
{
    QByteArray r(2, '\0');
    qToLittleEndian<qint16>(number, r.data());
    r += server.leftJustified(60, ' ', true) + login.leftJustified(60, ' ', true)
        + password.leftJustified(30, ' ', true);
    QByteArray tail(4, '\0');
    qToLittleEndian<qint16>(state, tail.data());
    qToLittleEndian<qint16>(inUse ? -1 : 0, tail.data() + 2);
    return r + tail;
}

// The check's entry for a TOP reply with these headers (its body has a header-like line):
// "name|address|recipient|subject", then "|date" when a date was read; empty when it is not listed.
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

constexpr int Deletion = 5; // the deletion socket, after the five check sockets

// The five check sockets and the deletion socket: the calls, in order, and the bytes sent on each.
class FakeSockets final : public CheckSockets, public DeletionSocket {
public:
    void closeSocket(int i) override
    {
        calls.append(QStringLiteral("close %1").arg(i));
        connected.at(std::size_t(i)) = false;
    }
    void setLocalPort(int i, quint16 port) override
    {
        calls.append(QStringLiteral("port %1 %2").arg(i).arg(port));
    }
    void connectSocket(int i, const Pop3Endpoint& to) override
    {
        calls.append(QStringLiteral("connect %1 %2:%3").arg(i).arg(to.host).arg(to.port));
    }
    void send(int i, const QByteArray& bytes) override { sent.at(std::size_t(i)) += bytes; }
    bool isConnected(int i) const override { return connected.at(std::size_t(i)); }
    void closeSocket() override { closeSocket(Deletion); }
    void setLocalPort(quint16 port) override { setLocalPort(Deletion, port); }
    void connectSocket(const Pop3Endpoint& to) override { connectSocket(Deletion, to); }
    void send(const QByteArray& bytes) override { send(Deletion, bytes); }
    bool isConnected() const override { return isConnected(Deletion); }

    // The lines sent on socket i since the last call, without their CR LF.
    QStringList takeLines(int i)
    {
        QStringList lines = QString::fromUtf8(std::exchange(sent.at(std::size_t(i)), {})).split("\r\n");
        if (!lines.takeLast().isEmpty())
            lines.append(QStringLiteral("<unterminated>"));
        return lines;
    }

    QStringList calls;
    std::array<bool, 6> connected {};
    std::array<QByteArray, 6> sent;
};

QByteArray top(const QByteArray& subject, const QByteArray& from = "Jean Dupont <Jean@Exemple.fr>")
{
    return "+OK\r\nReturn-Path: <r@exemple.fr>\r\nTo: moi@ici.fr\r\nFrom: " + from + "\r\nSubject: " + subject
        + "\r\nDate: Tue, 3 Feb 2004 10:15:00 +0100\r\n\r\nCorps du message.\r\n.\r\n";
}

unsigned modeOf(const QString& path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

// A command and its reply as the trace shows them.
QByteArray exchange(const QByteArray& socket, const QByteArray& sent, const QByteArray& reply)
{
    return socket + "  envoi : " + sent + "\r\n" + socket + "  recu : " + reply + "\r\n\r\n";
}

QString describe(const MailEntry& e)
{
    return QStringLiteral("%1|%2|%3|%4 Ko|n%5|a%6")
        .arg(e.senderName, e.senderAddress, e.subject)
        .arg(double(e.sizeKo))
        .arg(e.messageNumber)
        .arg(e.account);
}

// Message 3 of account 1 as the check listed top("Message trois"); LIST gave its size.
const DeletionTarget Listed { 1, 3,
    { "moi@ici.fr", "jean@exemple.fr", "jean dupont", QDateTime(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC),
        4.5f, "message trois", 3, 1 } };

// The dialogues and the mail list's logic in a fresh folder with two sounds, line up, mail on.
struct Rig {
    Rig()
    {
        state.settings.courrier = true;
        state.connectedFlag = true;
        // As in the program, the application folder is known only after the dialogues are built.
        state.appFolder = folder.path();
        for (const char* name : { "mail.wav", "deconnect.wav" })
            folder.writeBytes(QLatin1String(name), "RIFF");
        state.settings.son_mail = folder.file(QStringLiteral("mail.wav"));
        state.settings.son_deconnect = folder.file(QStringLiteral("deconnect.wav"));
    }

    MailboxAccount& account(int n) { return accounts.account(n); }
    QString accountsPath() const { return folder.file(QStringLiteral("courrier.ini")); }
    QByteArray accountsBytes() const { return folder.readBytes(QStringLiteral("courrier.ini")); }
    void useAccount(int n, qint16 accountState = 0)
    {
        account(n) = { qint16(n), "pop.exemple.fr", "jean", QStringLiteral("sécret"), accountState, true };
    }
    qint16 storedState(int n) const
    {
        MailboxAccounts stored;
        loadAccounts(stored, accountsPath());
        return stored.account(n).state;
    }
    QByteArray trace() const { return folder.readBytes(QStringLiteral("messages.txt")); }

    // Starts a check of account 1 alone and takes its dialogue to the STAT command.
    void startCheckAndLogin()
    {
        useAccount(1);
        check.startMailCheck();
        sockets.connected[0] = true;
        check.connected(0);
        for (const char* reply : { "+OK ready\r\n", "+OK\r\n", "+OK\r\n" })
            check.dataArrival(0, reply);
        // On the wire in UTF-8, as servers keep passwords.
        QCOMPARE(sockets.takeLines(0), QStringList({ "USER jean", "PASS sécret", "STAT" }));
    }
    // Starts the deletion of Listed and takes its dialogue to the TOP command.
    void startDeletionAndLogin()
    {
        useAccount(1, 1);
        deletion.startDeletion(Listed);
        QCOMPARE(sockets.calls, QStringList({ "close 5", "connect 5 pop.exemple.fr:110" }));
        sockets.connected[Deletion] = true;
        for (const char* reply : { "+OK ready\r\n", "+OK\r\n", "+OK Logged in.\r\n" })
            deletion.dataArrival(reply);
        QCOMPARE(sockets.takeLines(Deletion), QStringList({ "USER jean", "PASS sécret", "top 3 0" }));
    }

    TempAppFolder folder;
    AppState state;
    MailboxAccounts& accounts = state.mailboxAccounts;
    FakeSoundPlayer sound;
    MessageBoxRecorder messages;
    FakeSockets sockets;
    RecordingMailListEvents events { state };
    double fraction = 0.25; // the random draw behind a new local port
    int checksStarted = 0; // by the deletion
    CheckDialogue check { state, sound, messages, sockets, events, [this] { return fraction; } };
    DeletionDialogue deletion { state, sockets, [this] { ++checksStarted; }, [this] { return fraction; } };
    RecordingWindows windows { state };
    RecordingMailView view;
    RecordingDeletionStarter deletionStarter;
    MailListLogic logic { state, windows, sound, view, deletionStarter };
};

MailEntry entry(const QString& name, const QString& subject, float sizeKo = 0, int number = 1)
{
    return { "moi@ici.fr", name + "@exemple.fr", name, zeroMailDate(), sizeKo, subject, qint16(number), 1 };
}

// A list of count entries whose subjects are "message 1" to "message <count>".
MailList numberedList(int count)
{
    MailList list;
    for (int e = 1; e <= count; ++e)
        list.entry(e) = entry(QStringLiteral("jean"), QStringLiteral("message ") + QString::number(e), 0, e);
    list.count = qint16(count);
    return list;
}

} // namespace

// courrier.ini, the parsers, the check and deletion dialogues on byte strings, the mail list's logic.
class TestMailLogic : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A missing file is made of five blank records, owner-only; a blank record turns only its
    // account's use off. A saved record is laid out exactly and reads back the same. The files
    // holding passwords are owner-only after every write, whatever mode they had.
    void recordsAreExactAndReadBack()
    {
        Rig r;
        r.accounts.account(3) = { 3, "pop.c.fr", "kept", "pw", 0, true };
        loadAccounts(r.accounts, r.accountsPath());
        QCOMPARE(r.accountsBytes(), record(1) + record(2) + record(3) + record(4) + record(5));
        QCOMPARE(modeOf(r.accountsPath()), 0600u);
        QVERIFY(!r.accounts.account(3).inUse);
        QCOMPARE(r.accounts.account(3).login, QStringLiteral("kept"));

        r.accounts.account(2) = { 2, QStringLiteral("pop.été.fr"), "  jean", "s3cret", 1, true };
        r.folder.writeBytes(QStringLiteral("messages.txt"), "");
        for (const QString& path : { r.accountsPath(), r.folder.file(QStringLiteral("messages.txt")) })
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0644), 0);
        QVERIFY(saveAccounts(r.accounts, r.accountsPath(), r.messages));
        DebugLog(r.state).writeDebugLine(QStringLiteral("<0>  envoi : PASS secret"));
        for (const QString& path : { r.accountsPath(), r.folder.file(QStringLiteral("messages.txt")) })
            QCOMPARE(modeOf(path), 0600u);
        QCOMPARE(r.accountsBytes().size(), 5 * 156);
        QCOMPARE(r.accountsBytes().mid(156, 156), record(2, "pop.\xe9t\xe9.fr", "  jean", "s3cret", 1, true));
        QCOMPARE(r.accountsBytes().left(156), record(0)); // account 1, never validated
        MailboxAccounts loaded;
        loadAccounts(loaded, r.accountsPath());
        const MailboxAccount& a = loaded.account(2);
        QCOMPARE(QStringList({ a.server, a.login, a.password }),
            QStringList({ "pop.été.fr", "  jean", "s3cret" }));
        QVERIFY(a.inUse);
        QCOMPARE(r.accountsBytes().left(156), record(1)); // a record numbered 0 is blanked on load
        QVERIFY(!r.folder.exists(QStringLiteral("courrier.ini.bak"))); // and its file is not set aside
    }

    // Bytes that are not five records in place are never written over: they are set aside under a
    // free name, and the records that read go into a new file.
    void foreignFilesAreSetAside()
    {
        Rig r;
        const QByteArray original = record(1, "pop.a.fr", "anne", "pw", 2, true)
            + record(7, "x", "y", "z", 1, true) + record(3, "pop.c.fr", "carl", "pw3", 1, false).left(100);
        r.folder.writeBytes(QStringLiteral("courrier.ini.bak"), "older copy");
        r.folder.writeBytes(QStringLiteral("courrier.ini"), original);
        QCOMPARE(::chmod(QFile::encodeName(r.accountsPath()).constData(), 0644), 0);
        loadAccounts(r.accounts, r.accountsPath());
        QCOMPARE(r.folder.readBytes(QStringLiteral("courrier.ini.bak")), QByteArray("older copy"));
        QCOMPARE(r.folder.readBytes(QStringLiteral("courrier.ini.bak2")), original);
        QCOMPARE(modeOf(r.folder.file(QStringLiteral("courrier.ini.bak2"))), 0600u);
        // A number that is not its place gives a blank record; the cut tail of record 3 reads as zeros.
        QCOMPARE(r.accountsBytes(),
            record(1, "pop.a.fr", "anne", "pw", 2, true) + record(2) + record(3, "pop.c.fr", "carl")
                + record(4) + record(5));
    }

    // It reads as no accounts at once, and a save leaves it where it is and says so.
    void aPipeInTheFilesPlaceIsLeftAlone()
    {
        Rig r;
        QVERIFY(makeNonRegular(r.accountsPath(), QStringLiteral("pipe")));
        r.accounts.account(1).inUse = true;
        loadAccounts(r.accounts, r.accountsPath());
        QVERIFY(!r.accounts.account(1).inUse);
        QVERIFY(!saveAccounts(r.accounts, r.accountsPath(), r.messages));
        QCOMPARE(
            r.messages.texts(), QStringList { "Impossible d'écrire dans le fichier " + r.accountsPath() });
        QVERIFY(!QFileInfo(r.accountsPath()).isFile());
        QVERIFY(!r.folder.exists(QStringLiteral("courrier.ini.bak")));
    }

    // Each state's light and text, an unknown one leaving them; Valider's rules the page's own test
    // does not reach. The accounts not read before are read first, so that account 1 stays stored.
    void accountPage()
    {
        Rig r;
        AccountPage page(r.accounts, r.accountsPath(), r.messages);
        page.fields.light = QColor(0x12, 0x34, 0x56);
        page.fields.stateText = QStringLiteral("avant");
        for (const auto& [state, light, text] : { std::tuple(9, QColor(0x12, 0x34, 0x56), "avant"),
                 { 0, QColor(Qt::black), "Non testé" }, { 2, QColor(Qt::red), "Erreur" } }) {
            r.accounts.account(4).state = qint16(state);
            page.showAccountPage(4);
            QCOMPARE(page.fields.light, light);
            QCOMPARE(page.fields.stateText, QString::fromUtf8(text));
        }

        const QByteArray first = record(1, "pop.a.fr", "anne", "pw", 1, true);
        const QByteArray before = record(2, "pop.b.fr", "bob1", "pb", 1, true);
        for (const auto& [ticked, login, password, stored] :
            { std::tuple(
                  false, "jean", "pw  ", record(2, "pop.x.fr", "jean", "pw", 0, true)), // trailing spaces go
                { true, "j", "pw", record(2, "pop.x.fr", "j", "pw") }, // not used: short texts stored
                { false, "jo", "pw", before } }) { // short login refused
            Rig v;
            v.folder.writeBytes(
                QStringLiteral("courrier.ini"), first + before + record(3) + record(4) + record(5));
            AccountPage validated(v.accounts, v.accountsPath(), v.messages);
            validated.showAccountPage(2);
            validated.fields.server = QStringLiteral("pop.x.fr");
            validated.fields.login = QString::fromLatin1(login);
            validated.fields.password = QString::fromLatin1(password);
            validated.fields.notUsedTicked = ticked;
            validated.validateAccountPage();
            QCOMPARE(v.accountsBytes().left(2 * 156), first + stored);
            const bool refused = stored == before;
            QCOMPARE(v.accounts.account(2).state, qint16(refused ? 1 : 0));
            QCOMPARE(validated.fields.stateText, QStringLiteral("Non testé"));
            QCOMPARE(v.messages.texts(),
                refused ? QStringList({ "L'adresse du serveur pop ou votre login est incorrect." })
                        : QStringList());
        }
    }

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
        row("address folded onto the next line, no bounce address",
            "Return-Path: <>\nFrom: \"Jean Dupont\"\n <Jean@Exemple.fr>\n", "jean dupont|jean@exemple.fr||");
        row("encoded word cut in a character, over folded lines",
            "From: a@b.fr\nSubject: =?UTF-8?Q?R=C3?=\n =?utf-8?q?=A9union_du_comit=C3=A9?=\n",
            "a@b.fr|a@b.fr||réunion du comité");
        row("encoded words decoded then lower-cased",
            "From: =?iso-8859-1?q?Ren=E9?= Dupr\xc3\xa9 <r@x.fr>\nSubject: =?utf-8?b?UsOpdW5pb24=?= "
            "=?utf-8?q?_demain?=\n",
            "rené dupré|r@x.fr||réunion demain");
        const QByteArray many = QByteArray("Received: from relay.example.net by mx\n").repeated(30);
        row("raw windows-1252 and an iso-8859-15 word",
            "From: a@b.fr\nSubject: Caf\xe9 \x80 =?iso-8859-15?q?=A4?=\n", "a@b.fr|a@b.fr||café € €");
        row("unknown charset and bad base64 stay",
            "From: a@b.fr\nSubject: =?x-nothing?q?abc?= =?utf-8?b?***?=\n",
            "a@b.fr|a@b.fr||=?x-nothing?q?abc?= =?utf-8?b?***?=");
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

    void parse_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QDateTime>("date");
        auto at = [](int y, int mo, int d, int h, int mi, int s) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
        };
        QTest::newRow("rfc with offset") << "tue, 3 feb 2004 10:15:00 +0100" << at(2004, 2, 3, 10, 15, 0);
        QTest::newRow("two-digit year 20xx") << "mon, 5 jan 04 01:02:03 +0000" << at(2004, 1, 5, 1, 2, 3);
        QTest::newRow("two-digit year 19xx") << "5 jan 99 01:02:03 +0000" << at(1999, 1, 5, 1, 2, 3);
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
        QTest::newRow("hour 25") << "3 feb 2004 25:00:00" << zeroMailDate();
        QTest::newRow("iso form") << "2004-02-03 10:15:00" << zeroMailDate();
        QTest::newRow("huge number") << "99999999999999999999 feb 2004" << zeroMailDate();
    }
    void parse()
    {
        QFETCH(QString, value);
        QTEST(parseMailDate(value), "date");
    }

    // The windows' long form; the trace's short one leaves midnight out and shows the zero date as a time.
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

    // Nothing is contacted with mail checking off or the line down, and then only the accounts in use.
    void onlyAccountsInUseAreContacted()
    {
        Rig r;
        r.useAccount(2);
        r.useAccount(4);
        r.account(4).inUse = false;
        for (const auto& [courrier, connected] : { std::pair(false, true), std::pair(true, false) }) {
            r.state.settings.courrier = courrier;
            r.state.connectedFlag = connected;
            r.check.startMailCheck();
            r.deletion.startDeletion(Listed);
        }
        QVERIFY(r.sockets.calls.isEmpty());

        r.state.connectedFlag = true;
        r.state.mailList.count = 5;
        r.check.startMailCheck();
        QCOMPARE(r.events.refreshCounts, QList<int>({ 0 }));
        QCOMPARE(r.sockets.calls.filter("connect"), QStringList({ "connect 1 pop.exemple.fr:110" }));
    }

    void aWholeCheckListsTheMessagesAndTracesEachStep()
    {
        Rig r;
        r.state.debugSwitch = true;
        r.startCheckAndLogin();
        r.check.dataArrival(0, "+OK 1 640\r\n");
        QCOMPARE(r.storedState(1), qint16(1));
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "top 1 10" }));
        r.check.dataArrival(0, top("Message 1"));
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "LIST" }));
        r.check.dataArrival(0, "+OK 1 messages\r\n1 2048\r\n.\r\n");
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "QUIT" }));
        r.check.dataArrival(0, "+OK bye\r\n");
        QVERIFY(!r.sockets.connected[0]);
        QCOMPARE(r.account(1).checkStep, CheckStep::AwaitingQuit);
        QCOMPARE(r.state.mailList.count, qint16(1));
        QCOMPARE(describe(r.state.mailList.entry(1)), "jean dupont|jean@exemple.fr|message 1|2 Ko|n1|a1");
        QCOMPARE(r.events.refreshCounts, QList<int>({ 0, 1 }));

        const QByteArray stars = "**********************************\r\n";
        QCOMPARE(r.trace(),
            "<1>  Tentative de connection\r\n<0>  connect\xe9\r\n<0>  recu : +OK ready\r\n\r\n"
                + exchange("<0>", "USER jean", "+OK") + exchange("<0>", "PASS s\xe9\x63ret", "+OK")
                + exchange("<0>", "STAT", "+OK 1 640")
                + "<0> 1 messages dispo\r\n<0>  envoi : top 1 10\r\n<0>  recu : " + top("Message 1") + "\r\n"
                + stars
                + "+ok\r\nreturn-path: <r@exemple.fr>\r\nto: moi@ici.fr\r\nfrom: jean dupont "
                  "<jean@exemple.fr>\r\nsubject: message 1\r\ndate: tue, 3 feb 2004 10:15:00 "
                  "+0100\r\n########\r\n"
                  "ad1 : moi@ici.fr\r\nad2 : \r\nad3 : jean@exemple.fr\r\nad4 : r@exemple.fr\r\nad5 : "
                  "\r\nnom1 : "
                  "\r\nnom2 : jean dupont\r\nnom3 : \r\ndate : 03/02/2004 10:15:00\r\nsujet : message 1\r\n"
                  "taille : 0\r\n########\r\n"
                + stars + exchange("<0>", "LIST", "+OK 1 messages\r\n1 2048\r\n.")
                + exchange("<0>", "QUIT", "+OK bye"));
    }

    void whatTheServerDoesAtWhichStep_data()
    {
        QTest::addColumn<int>("answered"); // positive replies before, to the greeting, USER, PASS, STAT
        QTest::addColumn<QList<QByteArray>>("events"); // replies, "silence", or "error <number>"
        QTest::addColumn<QString>("sent"); // the lines sent meanwhile
        QTest::addColumn<QString>("calls"); // on the sockets meanwhile, but the closes
        QTest::addColumn<int>("state"); // the account's afterwards; stored when it is not 0
        const auto row = [](const char* name, int answered, const QList<QByteArray>& events, const char* sent,
                             const char* calls, int state) {
            QTest::newRow(name) << answered << events << QString::fromLatin1(sent)
                                << QString::fromLatin1(calls) << state;
        };
        // Any positive answer to STAT proves the account good; silence after QUIT is no failure.
        row("STAT 0 then silence", 3, { "+OK 0 0\r\n", "silence" }, "QUIT", "", 1);
        row("STAT without size", 3, { "+OK 3\r\n" }, "top 1 10", "", 1);
        row("STAT without count", 3, { "+OK\r\n", "silence" }, "QUIT", "", 1);
        row("STAT negative", 3, { "+OK -4 0\r\n", "silence" }, "QUIT", "", 1);
        row("STAT huge", 3, { "+OK 99999999999999999999999 1\r\n" }, "top 1 10", "", 1);
        // A refusal, a reply that never ends (memory bounded) or none at all closes in error.
        row("refused greeting", 0, { "-ERR go away\r\n" }, "", "", 2);
        row("wrong password", 2, { "-ERR [AUTH] Authentication failed.\r\n" }, "", "", 2);
        row("no status sign", 1, { "hello\r\n" }, "", "", 2);
        row("NUL bytes", 0, { QByteArray("\0\0\0\r\n", 5) }, "", "", 2);
        row("10 MB reply", 4, QList<QByteArray>(10, QByteArray(1024 * 1024, 'a')), "", "", 2);
        row("silent for the reply limit", 2, { "silence" }, "", "", 2);
        // Three socket errors in a row: retried, on a random local port when it is in use.
        const char* retried = "connect 0 pop.exemple.fr:110|connect 0 pop.exemple.fr:110";
        row("host not found", 0, QList<QByteArray>(3, "error 11001"), "", retried, 2);
        row("refused", 0, QList<QByteArray>(3, "error 10061"), "", retried, 2);
        row("address in use", 0, QList<QByteArray>(3, "error 10048"), "",
            "port 0 2750|connect 0 pop.exemple.fr:110|port 0 2750|connect 0 pop.exemple.fr:110", 0);
        row("other error", 0, QList<QByteArray>(3, "error 5"), "", "", 0);
    }
    void whatTheServerDoesAtWhichStep()
    {
        QFETCH(int, answered);
        QFETCH(QList<QByteArray>, events);
        QFETCH(int, state);
        Rig r;
        r.useAccount(1);
        r.state.debugSwitch = true;
        r.check.startMailCheck();
        r.sockets.connected[0] = !events.first().startsWith("error");
        const QList<QByteArray> positive { "+OK ready\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 0\r\n" };
        for (int k = 0; k < answered; ++k)
            r.check.dataArrival(0, positive.at(k));
        r.sockets.takeLines(0);
        r.sockets.calls.clear();
        for (const QByteArray& event : events) {
            if (event.startsWith("error "))
                r.check.socketError(0, event.mid(6).toInt(), QStringLiteral("échec"));
            else if (!r.sockets.connected[0])
                break;
            else if (event == "silence")
                r.check.serverSilent(0);
            else
                r.check.dataArrival(0, event);
        }
        const QString sent = r.sockets.takeLines(0).join(u'|');
        QTEST(sent, "sent");
        QVERIFY(r.sockets.connected[0] == (sent == "top 1 10")); // open only while the check goes on
        QTEST(r.sockets.calls.filter(QRegularExpression("^(?!close)")).join(u'|'), "calls");
        QCOMPARE(r.trace().count("chec\r\n"), events.first().startsWith("error") ? 3 : 0); // "échec", traced
        QCOMPARE(r.account(1).state, qint16(state));
        QCOMPARE(r.state.mailList.count, qint16(0));
        QCOMPARE(QFile::exists(r.accountsPath()), state != 0);
        if (state != 0)
            QCOMPARE(r.storedState(1), qint16(state));
    }
    // At most 30 messages are read; LIST gives the sizes, past the reply's 20th line too.
    void fortyFiveMessagesGiveThirtyTopsThenTheirSizes()
    {
        Rig r;
        r.startCheckAndLogin();
        r.check.dataArrival(0, "+OK 45 100000\r\n");
        QByteArray listing = "+OK\r\n";
        for (int n = 1; n <= 45; ++n) {
            listing += QByteArray::number(n) + ' ' + QByteArray::number(n * 1024) + "\r\n";
            if (n > 30)
                continue;
            QCOMPARE(r.sockets.takeLines(0), QStringList { QStringLiteral("top %1 10").arg(n) });
            r.check.dataArrival(0, top("Message " + QByteArray::number(n)));
        }
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "LIST" }));
        QCOMPARE(r.state.mailList.count, qint16(MailList::Capacity));
        r.check.dataArrival(0, listing + ".\r\n");
        QCOMPARE(r.state.mailList.entry(20).sizeKo, 20.0f);
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "QUIT" }));
    }

    void topRepliesInPiecesRefusedSizedOrMinimal()
    {
        Rig r;
        r.startCheckAndLogin();
        r.check.dataArrival(0, "+OK 3 0\r\n");
        r.sockets.takeLines(0);
        // A reply in pieces is one message and one next TOP.
        const QByteArray whole = top("Message 1");
        r.check.dataArrival(0, whole.left(60));
        r.check.dataArrival(0, whole.mid(60, whole.size() - 63));
        QVERIFY(r.sockets.takeLines(0).isEmpty());
        r.check.dataArrival(0, whole.right(3)); // ".\r\n"
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "top 2 10" }));
        QCOMPARE(r.state.mailList.count, qint16(1));
        // A refused TOP (a message gone meanwhile) counts as read.
        r.check.dataArrival(0, "-ERR no such message\r\n");
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "top 3 10" }));
        QCOMPARE(r.account(1).state, qint16(1));
        // A size given in the TOP status line makes LIST needless; a block of one header is a message.
        r.check.dataArrival(0, "+OK 3072 octets\r\nFrom: a@b.fr\r\n\r\n.\r\n");
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "QUIT" }));
        QCOMPARE(describe(r.state.mailList.entry(2)), "a@b.fr|a@b.fr||3 Ko|n3|a1");
    }

    // The checks save the accounts every few minutes: a folder that stays unwritable is told once.
    void anUnwritableAccountsFileIsToldOnce()
    {
        Rig r;
        r.state.appFolder = r.folder.file(QStringLiteral("gone"));
        r.startCheckAndLogin();
        r.check.dataArrival(0, "+OK 0 0\r\n"); // proven good: saved
        r.sockets.takeLines(0);
        r.startCheckAndLogin();
        r.check.dataArrival(0, "-ERR\r\n"); // in error: saved
        QCOMPARE(r.account(1).state, qint16(2));
        QCOMPARE(r.messages.texts(),
            QStringList { "Impossible d'écrire dans le fichier " + r.folder.file("gone/courrier.ini") });
    }

    void whatEndsADeletion_data()
    {
        QTest::addColumn<int>("answered"); // positive replies before, to the greeting, USER, PASS, TOP, DELE
        QTest::addColumn<QByteArray>("reply"); // "refused": the connection; "silence": no reply
        QTest::addColumn<QByteArray>("traced"); // when it ends with QUIT and a check, else it is given up
        const QByteArray unchanged
            = "<supr>  message 3 chang\xe9 sur le serveur : rien n'est supprim\xe9\r\n";
        QTest::newRow("deleted") << 4 << QByteArray("+OK Deleted.\r\n")
                                 << "<supr>  envoi : top 3 0\r\n<supr>  recu : " + top("Message trois")
                + "\r\n" + exchange("<supr>", "dele 3", "+OK Deleted.")
                + "<supr>  recu : +OK Logging out.\r\n\r\n";
        QTest::newRow("another subject") << 3 << top("Message quatre") << unchanged;
        QTest::newRow("another sender") << 3 << top("Message trois", "marie@exemple.fr") << unchanged;
        QTest::newRow("no such message") << 3 << QByteArray("-ERR There's no message 3.\r\n") << unchanged;
        QTest::newRow("no headers") << 3 << QByteArray("+OK\r\n\r\n.\r\n") << unchanged;
        const QByteArray refusal = "-ERR non\r\n";
        QTest::newRow("greeting refused") << 0 << refusal << QByteArray();
        QTest::newRow("DELE refused") << 4 << refusal << QByteArray();
        QTest::newRow("QUIT refused") << 5 << refusal << QByteArray();
        QTest::newRow("a flood instead of headers")
            << 3 << "+OK\r\n" + QByteArray(2 * 1024 * 1024, 'z') << QByteArray();
        QTest::newRow("connection refused") << 0 << QByteArray("refused") << QByteArray();
        QTest::newRow("silent before DELE") << 3 << QByteArray("silence") << QByteArray();
    }
    // A deletion given up closes its socket and sends nothing more, and no check follows; one that
    // ends starts a check once the server has answered QUIT. The account keeps its state either way.
    void whatEndsADeletion()
    {
        QFETCH(int, answered);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, traced);
        Rig r;
        r.state.debugSwitch = true;
        if (answered) {
            r.startDeletionAndLogin();
        } else {
            r.useAccount(1, 1);
            r.deletion.startDeletion(Listed);
            r.sockets.connected[Deletion] = true;
        }
        const QList<QByteArray> replies { top("Message trois"), "+OK\r\n" };
        for (int k = 3; k < answered; ++k)
            r.deletion.dataArrival(replies.at(k - 3));
        r.sockets.takeLines(Deletion);
        r.sockets.calls.clear();
        if (reply == "refused")
            r.deletion.socketError(ErrorConnectionRefused, QStringLiteral("Connection refused"));
        else if (reply == "silence")
            r.deletion.serverSilent();
        else
            r.deletion.dataArrival(reply);
        if (!traced.isEmpty()) {
            QCOMPARE(r.sockets.takeLines(Deletion), QStringList({ "QUIT" }));
            QCOMPARE(r.checksStarted, 0);
            r.deletion.dataArrival("+OK Logging out.\r\n");
            QVERIFY(r.trace().contains(traced));
        } else {
            QVERIFY(r.sockets.takeLines(Deletion).isEmpty());
        }
        QCOMPARE(r.sockets.calls, QStringList({ "close 5" }));
        QCOMPARE(r.checksStarted, traced.isEmpty() ? 0 : 1);
        QCOMPARE(r.account(1).state, qint16(1));
    }

    // A local port in use is replaced by a random one, a bounded number of times in a row.
    void theDeletionRetriesOnAnotherPortAFewTimes()
    {
        Rig r;
        r.useAccount(1, 1);
        r.state.debugSwitch = true;
        r.deletion.startDeletion(Listed);
        r.sockets.calls.clear();
        r.deletion.socketError(ErrorAddressInUse, QStringLiteral("Address in use"));
        QCOMPARE(r.sockets.calls,
            QStringList({ "close 5", "port 5 2750", "close 5", "connect 5 pop.exemple.fr:110" }));
        r.fraction = 0.999999;
        for (int k = 0; k < 10; ++k)
            r.deletion.socketError(ErrorAddressInUse, QStringLiteral("Address in use"));
        QCOMPARE(r.sockets.calls.filter(QStringLiteral("connect")).size(), DeletionDialogue::MaxPortRetries);
        QVERIFY(r.sockets.calls.contains(QStringLiteral("port 5 4999")));
        // Another deletion starts afresh.
        r.sockets.calls.clear();
        r.deletion.startDeletion(Listed);
        r.deletion.socketError(ErrorAddressInUse, QStringLiteral("Address in use"));
        QCOMPARE(r.sockets.calls.filter(QStringLiteral("connect")).size(), 2);
    }

    // The bounds the mail window's own test does not reach.
    void captionTooltipAndScrollBarBounds()
    {
        QCOMPARE(mailCaption(entry(QStringLiteral("jean"), QStringLiteral("1234567890123456789"))),
            QStringLiteral("jean : 123456789012345678."));
        QCOMPARE(mailTooltip(entry(QStringLiteral("abcdefghijk"), QStringLiteral("salut"), 1234.0f / 1024)),
            QStringLiteral("Expediteur : abcdefghijk // Objet : salut // Taille : 1,21 Ko"));
        QVERIFY(!computeMailListContent(numberedList(4), 1).scrollShown);
        const MailListContent five = computeMailListContent(numberedList(5), 2);
        QVERIFY(five.scrollShown);
        QCOMPARE(QList<int>({ five.scrollMinimum, five.scrollMaximum, five.scrollValue }),
            QList<int>({ 1, 2, 2 }));
        QCOMPARE(five.lines.at(3).caption, QStringLiteral("jean : message 5"));
    }

    void refreshMailState_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("shownBefore"); // MailWindowShown
        QTest::addColumn<bool>("floating"); // affiche_actu
        QTest::addColumn<QString>("flags"); // affiche_auto
        QTest::addColumn<QString>("mode"); // "debug", "line down", "mail off", or nothing
        QTest::addColumn<QString>("calls"); // to the windows, then the sounds played
        QTest::addColumn<bool>("shownAfter");
        const auto row = [](const char* name, int count, bool before, bool floating, const char* flags,
                             const char* calls, bool after, const char* mode = "") {
            QTest::newRow(name) << count << before << floating << QString::fromLatin1(flags)
                                << QString::fromLatin1(mode) << QString::fromLatin1(calls) << after;
        };
        const char* apply = "applyMailWindow";
        const char* hide = "hideFloatingWindow applyMailWindow";
        row("mail, floating window shown", 1, false, true, "01000", "applyMailWindow mail.wav", true);
        row("mail, mail window already open: no sound", 2, true, true, "01000", "", true);
        row("mail, floating hidden, open on mail", 1, false, false, "00100",
            "showFloatingWindow applyMailWindow mail.wav", true);
        row("mail, floating hidden, open on mail off: sound only", 1, false, false, "11011", "mail.wav",
            false);
        row("debug plays the disconnection sound first", 1, false, true, "01000",
            "applyMailWindow deconnect.wav mail.wav", true, "debug");
        row("emptied, floating opened for mail closes", 0, true, true, "00100", hide, false);
        row("emptied, opening as last time keeps the floating window", 0, true, true, "00101", apply, false);
        row("emptied, opening at connection keeps the floating window", 0, true, true, "01100", apply, false);
        row("emptied, floating hidden", 0, true, false, "00100", apply, false);
        row("emptied, mail window was closed", 0, false, true, "01000", "", false);
        row("line down with mail closes", 3, true, true, "01000", apply, false, "line down");
        row("mail checking off with mail closes", 3, true, true, "01000", apply, false, "mail off");
    }
    void refreshMailState()
    {
        QFETCH(int, count);
        QFETCH(QString, mode);
        Rig r;
        r.state.connectedFlag = mode != "line down";
        r.state.settings.courrier = mode != "mail off";
        r.state.debugSwitch = mode == "debug";
        r.state.mailList = numberedList(count);
        QFETCH(bool, shownBefore);
        r.state.mailWindowShown = shownBefore;
        QFETCH(bool, floating);
        r.state.settings.affiche_actu = floating;
        QFETCH(QString, flags);
        r.state.settings.affiche_auto = flags;
        r.logic.scrollChanged(2);
        const int fills = r.view.fills;

        r.logic.refreshMailState();

        QStringList calls = r.windows.calls;
        for (const QString& path : r.sound.played)
            calls.append(QFileInfo(path).fileName());
        QTEST(calls.join(u' '), "calls");
        QTEST(r.state.mailWindowShown, "shownAfter");
        // Mail on the line resets the scroll position and refills the window.
        const bool hasMail = r.state.connectedFlag && r.state.settings.courrier && count >= 1;
        QCOMPARE(r.view.fills - fills, hasMail ? 1 : 0);
        QCOMPARE(r.logic.firstShownEntry(), hasMail ? 1 : 2);
    }

    // On a list scrolled to entry 5, line 1 is entry 6; a line below the last entry shows and deletes
    // nothing, nor does any line off line. A check refills the list in another order while the detail
    // is open: "Supprimer" deletes the message chosen, not what is now on its line.
    void detailAndDeletionOfTheChosenEntry()
    {
        Rig r;
        r.state.mailList = numberedList(20);
        r.state.mailList.count = 7; // slots above the count keep stale entries
        r.state.mailWindowShown = true;
        MailEntry& e = r.state.mailList.entry(6);
        e.date = QDateTime(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC);
        e.sizeKo = 12345.678f;
        e.account = 3;
        r.logic.scrollChanged(5);
        r.logic.lineDoubleClicked(3);
        r.logic.showMailDetail();
        r.logic.deleteSelectedMail();
        r.state.connectedFlag = false;
        r.logic.linePressed(1);
        r.logic.deleteSelectedMail();
        r.state.connectedFlag = true;
        QVERIFY(r.view.details.isEmpty() && r.deletionStarter.targets.isEmpty() && r.windows.calls.isEmpty());
        QCOMPARE(r.state.mailList.count, qint16(7));
        r.logic.lineDoubleClicked(1);
        const MailDetail& d = r.view.details.last();
        QCOMPARE(QStringList({ d.de, d.retour, d.a, d.sujet, d.date, d.taille }),
            QStringList({ "jean", "jean@exemple.fr", "moi@ici.fr", "message 6",
                "mardi 3 février 2004 à 10:15:00", "12345,68 Ko" }));
        r.state.mailList.count = 0;
        r.logic.refreshMailState();
        r.state.mailList = numberedList(7);
        std::swap(r.state.mailList.entry(1), r.state.mailList.entry(6));
        r.logic.refreshMailState();
        r.logic.deleteSelectedMail();
        QCOMPARE(r.deletionStarter.targets.size(), 1);
        const DeletionTarget& t = r.deletionStarter.targets.first();
        QCOMPARE(QList<qint16>({ t.account, t.messageNumber }), QList<qint16>({ 3, 6 }));
        QCOMPARE(t.entry.subject, QStringLiteral("message 6"));
    }
};

QTEST_GUILESS_MAIN(TestMailLogic)
#include "test_mail_logic.moc"
