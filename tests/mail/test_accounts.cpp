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

QByteArray record(qint16 number, const QByteArray& server, const QByteArray& login,
    const QByteArray& password, qint16 state, bool inUse)
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

QByteArray blank(qint16 number)
{
    return record(number, "", "", "", 0, false);
}

} // namespace

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

    void missingFileIsCreatedOwnerOnlyWithFiveBlankRecords()
    {
        m_accounts.account(3).inUse = true;
        m_accounts.account(3).login = QStringLiteral("kept");
        loadAccounts(m_accounts, path());
        QCOMPARE(bytes(), blank(1) + blank(2) + blank(3) + blank(4) + blank(5));
        QCOMPARE(modeOf(QStringLiteral("courrier.ini")), 0600u);
        QVERIFY(!m_accounts.account(3).inUse);
        QCOMPARE(m_accounts.account(3).login, QStringLiteral("kept")); // a blank record changes only inUse
        QVERIFY(m_accounts.loaded);
    }

    void recordLayoutIsExactAndRoundTrips()
    {
        MailboxAccount& a = m_accounts.account(2);
        a.number = 2;
        a.server = QStringLiteral("pop.été.fr");
        a.login = QStringLiteral("  jean");
        a.password = QStringLiteral("s3cret");
        a.state = 1;
        a.inUse = true;
        QVERIFY(saveAccounts(m_accounts, path(), m_messages));
        const QByteArray file = bytes();
        QCOMPARE(file.size(), 5 * 156);
        QCOMPARE(file.mid(156, 156), record(2, "pop.\xe9t\xe9.fr", "  jean", "s3cret", 1, true));
        QCOMPARE(file.left(156), record(0, "", "", "", 0, false)); // never validated: number 0

        MailboxAccounts loaded;
        loadAccounts(loaded, path());
        QCOMPARE(loaded.account(2).server, a.server);
        QCOMPARE(loaded.account(2).login, QStringLiteral("  jean")); // leading spaces stay
        QCOMPARE(loaded.account(2).password, a.password);
        QVERIFY(loaded.account(2).inUse);
        // Record 1 carried number 0: it is blanked on load.
        QCOMPARE(bytes().left(156), blank(1));
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
        QCOMPARE(m_accounts.account(1).state, qint16(2));
        QCOMPARE(m_accounts.account(3).login, QStringLiteral("carl")); // the cut tail reads as zeros
        QVERIFY(!m_accounts.account(3).inUse);
        QCOMPARE(bytes().size(), 780);
        QCOMPARE(bytes().left(156), record(1, "pop.a.fr", "anne", "pw", 2, true));
        QCOMPARE(bytes().mid(156, 156), blank(2)); // a number that is not its place
        QCOMPARE(bytes().mid(4 * 156), blank(5));

        // A file of five records with one never validated (number 0) is an accounts file.
        const QByteArray ours = bytes().left(4 * 156) + record(0, "", "", "", 0, false);
        m_folder->writeBytes(QStringLiteral("courrier.ini"), ours);
        loadAccounts(m_accounts, path());
        QVERIFY(!m_folder->exists(QStringLiteral("courrier.ini.bak3")));
        QCOMPARE(bytes(), ours.left(4 * 156) + blank(5));
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

    void aPipeInTheFilesPlaceIsLeftAlone()
    {
        QVERIFY(makeNonRegular(path(), QStringLiteral("pipe")));
        m_accounts.account(1).inUse = true;
        loadAccounts(m_accounts, path());
        QVERIFY(!m_accounts.account(1).inUse);
        QVERIFY(!saveAccounts(m_accounts, path(), m_messages));
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(!QFileInfo(path()).isFile());
        QVERIFY(!m_folder->exists(QStringLiteral("courrier.ini.bak")));
    }

    void saveFailureTellsTheUserOnce()
    {
        const QString bad = m_folder->file(QStringLiteral("missing/courrier.ini"));
        QVERIFY(!saveAccounts(m_accounts, bad, m_messages));
        QCOMPARE(m_messages.shown.size(), 1);
        QCOMPARE(m_messages.shown[0].text, QStringLiteral("Impossible d'écrire dans le fichier ") + bad);
        QCOMPARE(m_messages.shown[0].style, StyleCritical);
    }

    void showAccountPage_data()
    {
        QTest::addColumn<qint16>("state");
        QTest::addColumn<bool>("inUse");
        QTest::addColumn<QColor>("led");
        QTest::addColumn<QString>("text");
        QTest::newRow("not tested, off") << qint16(0) << false << QColor(Qt::black) << "Non testé";
        QTest::newRow("ok") << qint16(1) << true << QColor(Qt::green) << "testé OK";
        QTest::newRow("error") << qint16(2) << true << QColor(Qt::red) << "Erreur";
        QTest::newRow("unknown keeps the display")
            << qint16(9) << true << QColor(0x12, 0x34, 0x56) << "avant";
    }

    void showAccountPage()
    {
        QFETCH(qint16, state);
        QFETCH(bool, inUse);
        m_accounts.account(4).state = state;
        m_accounts.account(4).inUse = inUse;
        AccountPage page(m_accounts, path(), m_messages);
        page.fields.light = QColor(0x12, 0x34, 0x56);
        page.fields.stateText = QStringLiteral("avant");
        page.showAccountPage(4);
        QCOMPARE(page.fields.notUsedTicked, !inUse);
        QCOMPARE(page.fields.textsEnabled, inUse);
        QTEST(page.fields.light, "led");
        QTEST(page.fields.stateText, "text");
    }

    // The widget-level cases (short texts refused, the 60-character cut, the use check box kept in
    // memory) are in the mail pages' test; these are the rules it does not reach.
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
                                                   << "pw" << record(2, "pop.x.fr", "j", "pw", 0, false);
        QTest::newRow("short login refused") << false << "jo"
                                             << "pw" << blank(2);
    }

    void validate()
    {
        QFETCH(bool, ticked);
        QFETCH(QByteArray, stored);
        loadAccounts(m_accounts, path());
        m_accounts.account(2).state = 1;
        AccountPage page(m_accounts, path(), m_messages);
        page.showAccountPage(2);
        page.fields.notUsedTicked = ticked;
        page.fields.server = QStringLiteral("pop.x.fr");
        QFETCH(QString, login);
        page.fields.login = login;
        QFETCH(QString, password);
        page.fields.password = password;
        page.validateAccountPage();
        QCOMPARE(bytes().mid(156, 156), stored);
        const bool refused = stored == blank(2);
        QCOMPARE(m_accounts.account(2).state, qint16(refused ? 1 : 0));
        QCOMPARE(page.fields.stateText, QStringLiteral("Non testé"));
        QCOMPARE(m_messages.texts(),
            refused ? QStringList({ "L'adresse du serveur pop ou votre login est incorrect." })
                    : QStringList());
    }

    void accountsStoredWhileMailWasOffSurviveSwitchingItOn()
    {
        const QByteArray first = record(1, "pop.a.fr", "anne", "pw", 1, true);
        m_folder->writeBytes(
            QStringLiteral("courrier.ini"), first + blank(2) + blank(3) + blank(4) + blank(5));
        AccountPage page(m_accounts, path(), m_messages);
        page.mailCheckingSwitchedOn();
        QCOMPARE(m_accounts.account(1).login, QStringLiteral("anne"));

        // Validating another account without the switch having loaded them keeps account 1 too.
        MailboxAccounts fresh;
        AccountPage other(fresh, path(), m_messages);
        other.showAccountPage(3);
        other.fields.notUsedTicked = false;
        other.fields.server = QStringLiteral("pop.c.fr");
        other.fields.login = QStringLiteral("carl");
        other.validateAccountPage();
        QCOMPARE(bytes().left(156), first);
        QCOMPARE(bytes().mid(2 * 156, 156), record(3, "pop.c.fr", "carl", "", 0, true));
    }
};

QTEST_GUILESS_MAIN(TestAccounts)
#include "test_accounts.moc"
