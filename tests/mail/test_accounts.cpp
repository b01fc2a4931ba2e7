#include "mail/account_page.h"
#include "mail/accounts_file.h"
#include "mail/debug_log.h"
#include "state/app_state.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"

#include <QFile>
#include <QTest>
#include <QtEndian>
#include <sys/stat.h>

using namespace chronolien;
using namespace chronolien::test;

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

} // namespace

// courrier.ini's records, its safety (owner-only, never written over when foreign) and the mailbox
// page's rules the dialog's own test does not reach.
class TestAccounts : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;
    MailboxAccounts m_accounts;

    QString path() const { return m_folder->file(QStringLiteral("courrier.ini")); }
    QByteArray bytes() const { return m_folder->readBytes(QStringLiteral("courrier.ini")); }
    unsigned modeOf(const QString& name) const
    {
        struct stat st { };
        return ::stat(QFile::encodeName(m_folder->file(name)).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        QVERIFY(m_folder->isValid());
        m_messages.shown.clear();
        m_accounts = {};
    }

    // A missing file is made of five blank records, owner-only; a blank record turns only its
    // account's use off. A saved record is laid out exactly and reads back the same.
    void recordsAreExactAndReadBack()
    {
        m_accounts.account(3) = { 3, "pop.c.fr", "kept", "pw", 0, true };
        loadAccounts(m_accounts, path());
        QCOMPARE(bytes(), record(1) + record(2) + record(3) + record(4) + record(5));
        QCOMPARE(modeOf(QStringLiteral("courrier.ini")), 0600u);
        QVERIFY(!m_accounts.account(3).inUse);
        QCOMPARE(m_accounts.account(3).login, QStringLiteral("kept"));

        m_accounts.account(2) = { 2, QStringLiteral("pop.été.fr"), "  jean", "s3cret", 1, true };
        QVERIFY(saveAccounts(m_accounts, path(), m_messages));
        QCOMPARE(bytes().size(), 5 * 156);
        QCOMPARE(bytes().mid(156, 156), record(2, "pop.\xe9t\xe9.fr", "  jean", "s3cret", 1, true));
        QCOMPARE(bytes().left(156), record(0)); // account 1, never validated
        MailboxAccounts loaded;
        loadAccounts(loaded, path());
        const MailboxAccount& a = loaded.account(2);
        QCOMPARE(QStringList({ a.server, a.login, a.password }),
            QStringList({ "pop.été.fr", "  jean", "s3cret" }));
        QVERIFY(a.inUse);
        QCOMPARE(bytes().left(156), record(1)); // a record numbered 0 is blanked on load
    }

    // Bytes that are not five records in place are never written over: they are set aside under a
    // free name, and the records that read go into a new file.
    void foreignFilesAreSetAside()
    {
        const QByteArray original = record(1, "pop.a.fr", "anne", "pw", 2, true)
            + record(7, "x", "y", "z", 1, true) + record(3, "pop.c.fr", "carl", "pw3", 1, false).left(100);
        m_folder->writeBytes(QStringLiteral("courrier.ini.bak"), "older copy");
        m_folder->writeBytes(QStringLiteral("courrier.ini"), original);
        QCOMPARE(::chmod(QFile::encodeName(path()).constData(), 0644), 0);
        loadAccounts(m_accounts, path());
        QCOMPARE(m_folder->readBytes(QStringLiteral("courrier.ini.bak")), QByteArray("older copy"));
        QCOMPARE(m_folder->readBytes(QStringLiteral("courrier.ini.bak2")), original);
        QCOMPARE(modeOf(QStringLiteral("courrier.ini.bak2")), 0600u);
        // A number that is not its place gives a blank record; the cut tail of record 3 reads as zeros.
        QCOMPARE(bytes(),
            record(1, "pop.a.fr", "anne", "pw", 2, true) + record(2) + record(3, "pop.c.fr", "carl")
                + record(4) + record(5));

        // A file of five records with one never validated (number 0) is an accounts file.
        const QByteArray ours = bytes().left(4 * 156) + record(0);
        m_folder->writeBytes(QStringLiteral("courrier.ini"), ours);
        loadAccounts(m_accounts, path());
        QVERIFY(!m_folder->exists(QStringLiteral("courrier.ini.bak3")));
        QCOMPARE(bytes(), ours.left(4 * 156) + record(5));
    }

    // The passwords never stay readable by others, whatever mode the files had before.
    void passwordFilesAreOwnerOnlyAfterEveryWrite()
    {
        for (const char* name : { "courrier.ini", "messages.txt" }) {
            m_folder->writeBytes(QString::fromLatin1(name), "");
            QCOMPARE(
                ::chmod(QFile::encodeName(m_folder->file(QString::fromLatin1(name))).constData(), 0644), 0);
        }
        QVERIFY(saveAccounts(m_accounts, path(), m_messages));
        AppState state;
        state.appFolder = m_folder->path();
        DebugLog(state).writeDebugLine(QStringLiteral("<0>  envoi : PASS secret"));
        for (const char* name : { "courrier.ini", "messages.txt" })
            QCOMPARE(modeOf(QString::fromLatin1(name)), 0600u);
    }

    // It reads as no accounts at once, and a save leaves it where it is and says so.
    void aPipeInTheFilesPlaceIsLeftAlone()
    {
        QVERIFY(makeNonRegular(path(), QStringLiteral("pipe")));
        m_accounts.account(1).inUse = true;
        loadAccounts(m_accounts, path());
        QVERIFY(!m_accounts.account(1).inUse);
        QVERIFY(!saveAccounts(m_accounts, path(), m_messages));
        QCOMPARE(m_messages.texts(), QStringList { "Impossible d'écrire dans le fichier " + path() });
        QVERIFY(!QFileInfo(path()).isFile());
        QVERIFY(!m_folder->exists(QStringLiteral("courrier.ini.bak")));
    }

    // The light and text of each state; an unknown state leaves the display as it was. The
    // dialog's page test shows a good account.
    void accountPageShowsTheState()
    {
        AccountPage page(m_accounts, path(), m_messages);
        page.fields.light = QColor(0x12, 0x34, 0x56);
        page.fields.stateText = QStringLiteral("avant");
        for (const auto& [state, light, text] : { std::tuple(9, QColor(0x12, 0x34, 0x56), "avant"),
                 { 0, QColor(Qt::black), "Non testé" }, { 2, QColor(Qt::red), "Erreur" } }) {
            m_accounts.account(4).state = qint16(state);
            page.showAccountPage(4);
            QCOMPARE(page.fields.light, light);
            QCOMPARE(page.fields.stateText, QString::fromUtf8(text));
        }
    }

    // The widget-level cases (short texts refused, the 60-character cut, the use check box kept in
    // memory, the accounts read when mail checking is switched on) are in the dialog's page test;
    // these are the rules it does not reach. The accounts were not read before: validating reads
    // them first, so that account 1 stays stored.
    void validate_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("stored"); // account 2's record afterwards
        QTest::newRow("password loses trailing spaces")
            << false << "jean"
            << "pw  " << record(2, "pop.x.fr", "jean", "pw", 0, true);
        QTest::newRow("ticked stores short texts") << true << "j"
                                                   << "pw" << record(2, "pop.x.fr", "j", "pw");
        QTest::newRow("short login refused") << false << "jo"
                                             << "pw" << record(2, "pop.b.fr", "bob1", "pb", 1, true);
    }
    void validate()
    {
        QFETCH(bool, ticked);
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QByteArray, stored);
        const QByteArray first = record(1, "pop.a.fr", "anne", "pw", 1, true);
        m_folder->writeBytes(QStringLiteral("courrier.ini"),
            first + record(2, "pop.b.fr", "bob1", "pb", 1, true) + record(3) + record(4) + record(5));
        AccountPage page(m_accounts, path(), m_messages);
        page.showAccountPage(2);
        page.fields.server = QStringLiteral("pop.x.fr");
        page.fields.login = login;
        page.fields.password = password;
        page.fields.notUsedTicked = ticked;
        page.validateAccountPage();
        QCOMPARE(bytes().left(2 * 156), first + stored);
        const bool refused = stored.contains("bob1"); // account 2's record as it was
        QCOMPARE(m_accounts.account(2).state, qint16(refused ? 1 : 0));
        QCOMPARE(page.fields.stateText, QStringLiteral("Non testé"));
        QCOMPARE(m_messages.texts(),
            refused ? QStringList({ "L'adresse du serveur pop ou votre login est incorrect." })
                    : QStringList());
    }
};

QTEST_GUILESS_MAIN(TestAccounts)
#include "test_accounts.moc"
