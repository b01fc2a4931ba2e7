#include "effects/event_effects.h"
#include "settings/command_list.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/sound_settings.h"
#include "settings/text_forms.h"
#include "settings/win1252.h"
#include "support/fakes.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// A value's text read as a boolean ('b'), a date ('d') or a number ('n'); "-" when it is refused.
QString readAs(char form, const QString& text)
{
    const std::optional<bool> yes = textToBool(text);
    const std::optional<QDate> date = textToDate(text);
    if (form != 'n')
        return form == 'b' ? QString::fromLatin1(!yes ? "-"
                       : *yes                         ? "true"
                                                      : "false")
            : date         ? date->toString(Qt::ISODate)
                           : QStringLiteral("-");
    return QString::number(roundHalfEven(leadingNumber(text)));
}

// n command lines "/opt/prog1"...: as the page holds them, and as the list's file holds them.
std::pair<QStringList, QByteArray> numberedCommands(int n)
{
    std::pair<QStringList, QByteArray> lines;
    for (int i = 1; i <= n; ++i) {
        lines.first.append(QStringLiteral("/opt/prog%1").arg(i));
        lines.second += "\"/opt/prog" + QByteArray::number(i) + "\"\r\n";
    }
    return lines;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;
    std::unique_ptr<SettingsFile> m_file;
    Settings m_settings;
    std::unique_ptr<SettingsStore> m_store;

    QByteArray bytes() const { return m_folder->readBytes(QStringLiteral("config.ini")); }
    QString listPath() const { return commandListPath(m_folder->path(), 1); }
    const Settings& load()
    {
        m_store->load(m_folder->path(), QDate(2026, 12, 6));
        return m_settings;
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_messages.shown.clear();
        m_file = std::make_unique<SettingsFile>(m_folder->file(QStringLiteral("config.ini")), m_messages);
        m_settings = {};
        m_store = std::make_unique<SettingsStore>(m_settings, *m_file);
    }

    // A missing file is made, empty. A record is its number, its key cut at 30 and its value in
    // Windows-1252 cut at 60, both padded with spaces: trailing spaces are not kept. A key written
    // again keeps its record, a new one is appended.
    void recordsAreRewrittenInPlaceOrAppended()
    {
        QCOMPARE(m_file->readKey(QStringLiteral("pos_x")), QString());
        QVERIFY(m_folder->exists(QStringLiteral("config.ini")));
        QCOMPARE(bytes(), QByteArray());
        const QString longKey = QString(30, u'k') + u'Z';
        QCOMPARE(m_file->writeKey(QStringLiteral("forfait"), true), 1);
        QCOMPARE(m_file->writeKey(QStringLiteral("nomskin"), QStringLiteral("  été  ")), 2);
        QCOMPARE(m_file->writeKey(QStringLiteral("pos_x"), 5000), 3);
        QCOMPARE(m_file->writeKey(QStringLiteral("pos_x"), QString(61, u'v')), 3);
        QCOMPARE(m_file->writeKey(longKey, QStringLiteral("first")), 4);
        QCOMPARE(m_file->writeKey(longKey, QStringLiteral("     ")), 4);
        QCOMPARE(bytes(),
            settingsRecord(1, "forfait", "Vrai") + settingsRecord(2, "nomskin", "  \xe9t\xe9")
                + settingsRecord(3, "pos_x", QByteArray(60, 'v'))
                + settingsRecord(4, QByteArray(30, 'k'), ""));
        QCOMPARE(m_file->readKey(QStringLiteral("nomskin")), QStringLiteral("  été"));
        QCOMPARE(m_file->readKey(longKey), QString());
    }

    void foreignRecords_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // read before the write
        QTest::addColumn<int>("record"); // found, then written
        const QByteArray two = settingsRecord(1, "cpt_mois", "100") + settingsRecord(2, "pos_x", "1");
        const QByteArray old = settingsRecord(1, "  old_pos_x_key", "7");
        const auto row
            = [](const char* name, const QByteArray& file, const char* key, const char* value, int n) {
                  QTest::newRow(name) << file << QString::fromLatin1(key) << QString::fromLatin1(value) << n;
              };
        row("the last match wins", two + settingsRecord(3, "cpt_mois", "200"), "cpt_mois", "200", 3);
        row("a key within the key field", old, "pos_x", "7", 1);
        row("in its own case only", old, "POS_X", "", 2);
        row("a record numbered 0 is empty", settingsRecord(0, "pos_x", "5000"), "pos_x", "", 1);
        // A crash during an append left 40 bytes of a third record.
        row("a partial record at the end", two + QByteArray(40, 'x'), "pos_y", "", 3);
    }
    // Records as other programs or a crash leave them: what is read and where a write goes; the
    // records before it stay as they were.
    void foreignRecords()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(int, record);
        m_folder->writeBytes(QStringLiteral("config.ini"), file);
        QTEST(m_file->readKey(key), "value");
        QCOMPARE(m_file->findRecord(key), record);
        QCOMPARE(m_file->writeKey(key, 42), record);
        QCOMPARE(m_file->readKey(key), QStringLiteral("42"));
        QCOMPARE(bytes().left((record - 1) * 92), file.left((record - 1) * 92));
        QCOMPARE(bytes().size(), qMax(file.size() / 92, qsizetype(record)) * 92);
    }

    void somethingElseInTheFilesPlace_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : { "pipe", "folder", "device" })
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    // It holds no key, is read at once (a pipe nobody writes into never ends an open(), a device
    // never ends a read), and is never written: the user is told.
    void somethingElseInTheFilesPlace()
    {
        QFETCH(QString, kind);
        QString path = QStringLiteral("/dev/zero");
        if (kind != u"device") {
            path = m_folder->file(QStringLiteral("config.ini"));
            QVERIFY(makeNonRegular(path, kind));
        }
        SettingsFile other(path, m_messages);
        QCOMPARE(other.readKey(QStringLiteral("pos_x")), QString());
        other.writeKey(QStringLiteral("pos_x"), 1);
        QCOMPARE(m_messages.texts(), QStringList { "Impossible d'écrire dans le fichier " + path });
        QVERIFY(!QFileInfo(path).isFile());
    }

    // A file that stays unwritable is told once, however many writes fail (the loader's, the
    // ten-second save's), and again only after a write has gone through in between.
    void aLastingFailureIsToldOnce()
    {
        // Works as root too: the folder the file should live in does not exist.
        const QString folder = m_folder->file(QStringLiteral("missing"));
        SettingsFile lost(folder + QStringLiteral("/config.ini"), m_messages);
        for (const int told : { 1, 2 }) {
            for (int k = 0; k < 21; ++k)
                lost.writeKey(QStringLiteral("pos_x"), k);
            QCOMPARE(m_messages.shown.size(), told);
            QVERIFY(QDir().mkpath(folder));
            lost.writeKey(QStringLiteral("pos_x"), 1);
            QVERIFY(QDir(folder).removeRecursively());
        }
        QCOMPARE(m_messages.shown[0].style, StyleCritical);
    }

    // A first start's config.ini record by record: the keys in load order, the defaults' texts.
    void firstStartWritesTheTwentyThreeDefaultsInOrder()
    {
        const QByteArray sounds = m_folder->path().toLatin1() + "/sons/";
        const QList<std::pair<QByteArray, QByteArray>> rows { { "forfait", "Vrai" }, { "pos_x", "5000" },
            { "pos_y", "500" }, { "affiche_cpt", "Vrai" }, { "pos_compteur", "Faux" }, { "pos_mail", "Vrai" },
            { "cpt_mois", "0" }, { "cpt_limite", "107400" }, { "nomskin", "jupiter" },
            { "affiche_auto", "01000" }, { "alerte1", "Vrai" }, { "alerte2", "Faux" }, { "j_raz", "1" },
            { "date_raz", "06/12/2026" }, { "affiche_actu", "Vrai" }, { "pos_mem", "Vrai" },
            { "affiche_rebours", "Vrai" }, { "sons", "Vrai" }, { "son_connect", sounds + "connect.wav" },
            { "son_deconnect", sounds + "deconnect.wav" }, { "son_mail", sounds + "mail.wav" },
            { "courrier", "Faux" }, { "connect_auto", "Faux" } };
        load();
        QByteArray records;
        for (int i = 0; i < rows.size(); ++i)
            records += settingsRecord(qint16(i + 1), rows[i].first, rows[i].second);
        QCOMPARE(bytes(), records);
        QVERIFY(m_messages.shown.isEmpty());
    }

    // The keys present are read as they stand, a Windows build's records included, and never
    // rewritten; a value that does not fit its field (blank, out of range, unreadable) loads the
    // default, written back in its record; the one missing key is appended with its default.
    void presentKeysAreReadRefusedOnesRewrittenAMissingOneAppended()
    {
        load();
        // Wide desktops' places beyond 16 bits; the auto-open positions left out are off.
        const QList<std::pair<const char*, const char*>> stored { { "pos_x", "40000 twips" },
            { "pos_y", "-40000" }, { "forfait", "0" }, { "alerte2", "-1" }, { "courrier", "True" },
            { "cpt_mois", "2.5" }, { "date_raz", "1/11/2026" }, { "nomskin", "   " }, { "affiche_auto", "1" },
            { "alerte1", "oui" }, { "j_raz", "45" }, { "cpt_limite", "99999999999" },
            { "date_raz", "31/02/2026" } };
        for (const auto& [key, text] : stored)
            m_file->writeKey(QString::fromLatin1(key), text);
        QByteArray before = bytes().left(22 * 92);
        before.replace(20 * 92, 92, settingsRecord(21, "son_mail", "C:\\Mes sons\\\xe9t\xe9.wav"));
        m_folder->writeBytes(QStringLiteral("config.ini"), before);
        QByteArray after = before + settingsRecord(23, "connect_auto", "Faux");
        const QList<std::pair<const char*, const char*>> defaults { { "alerte1", "Vrai" },
            { "nomskin", "jupiter" }, { "j_raz", "1" }, { "cpt_limite", "107400" },
            { "date_raz", "06/12/2026" } };
        for (const auto& [key, text] : defaults) {
            const int n = m_file->findRecord(QString::fromLatin1(key));
            after.replace((n - 1) * 92, 92, settingsRecord(qint16(n), key, text));
        }

        const Settings& s = load();
        QCOMPARE(bytes(), after);
        QCOMPARE(QList<qint64>({ s.pos_x, s.pos_y, s.forfait, s.alerte2, s.courrier, s.cpt_mois, s.j_raz }),
            QList<qint64>({ 40000, -40000, 0, 1, 1, 2, 1 }));
        QCOMPARE(QStringList({ s.date_raz.toString(Qt::ISODate), s.nomskin, s.son_mail }),
            QStringList({ "2026-12-06", "jupiter", "C:\\Mes sons\\été.wav" }));
        QVERIFY(s.autoOpen(1) && !s.autoOpen(3));
    }

    // Whatever "ligne" holds, loading never writes it: a file from before the choice existed stays
    // byte for byte the same, and a value that names no line reads as the dial-up line.
    void lineRecordIsReadNeverWritten_data()
    {
        QTest::addColumn<QByteArray>("stored"); // null: no record
        QTest::addColumn<QString>("connection"); // empty: the dial-up line
        QTest::newRow("absent") << QByteArray() << QString();
        for (const char* text : { "pon", "nm:", "ppp0" })
            QTest::newRow(text) << QByteArray(text) << QString();
        QTest::newRow("nm:ligne-test") << QByteArray("nm:ligne-test") << QStringLiteral("ligne-test");
    }
    void lineRecordIsReadNeverWritten()
    {
        QFETCH(QByteArray, stored);
        load();
        if (!stored.isNull())
            m_folder->writeBytes(QStringLiteral("config.ini"), bytes() + settingsRecord(24, "ligne", stored));
        const QByteArray before = bytes();
        m_settings.ligne = LineChoice { QStringLiteral("stale") };
        QTEST(load().ligne.networkManagerConnection, "connection");
        QCOMPARE(bytes(), before);
    }

    // The choice goes in a 24th record, rewritten in place when it changes; stored again unchanged,
    // as the ten-second save stores its keys, the file is not written, nor for a key as the load
    // read or wrote it; a store that failed is tried again by the next one.
    void choosingALineAppendsItsRecord()
    {
        load();
        const QByteArray designRecords = bytes();
        QFile file(m_file->path());
        const QDateTime old = QDateTime::currentDateTime().addDays(-1);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.setFileTime(old, QFileDevice::FileModificationTime));
        m_store->store(&Settings::pos_x);
        load();
        m_store->store(&Settings::affiche_actu);
        QCOMPARE(QFileInfo(m_file->path()).lastModified(), old);
        for (const char* name : { "Mobile", "" }) {
            m_settings.ligne = LineChoice { QString::fromLatin1(name) };
            m_store->store(&Settings::ligne);
            QCOMPARE(bytes(), designRecords + settingsRecord(24, "ligne", *name ? "nm:Mobile" : "pon"));
        }
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        m_store->store(&Settings::ligne);
        QCOMPARE(QFileInfo(m_file->path()).lastModified(), old);

        QVERIFY(QFile::remove(m_file->path()) && QDir().mkdir(m_file->path()));
        m_settings.ligne = LineChoice { QStringLiteral("VPN") };
        m_store->store(&Settings::ligne);
        QVERIFY(QDir().rmdir(m_file->path()));
        m_folder->writeBytes(QStringLiteral("config.ini"), designRecords);
        m_store->store(&Settings::ligne);
        QCOMPARE(bytes(), designRecords + settingsRecord(24, "ligne", "nm:VPN"));
        QCOMPARE(m_messages.shown.size(), 1);
    }

    // canStore says exactly which names come back from config.ini as they went in.
    void storableNamesComeBackUnchanged_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : { QString(57, u'x'), QString(58, u'x'), QStringLiteral("Clé 4G « Été »"),
                 QStringLiteral("Мобильный"), QStringLiteral("VPN ") })
            QTest::newRow(qPrintable(name)) << name;
    }
    void storableNamesComeBackUnchanged()
    {
        QFETCH(QString, name);
        m_settings.ligne = LineChoice { name };
        m_store->store(&Settings::ligne);
        QCOMPARE(LineChoice::canStore(name), load().ligne.networkManagerConnection == name);
    }

    void textForms_data()
    {
        QTest::addColumn<char>("form");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        const auto row = [](char form, const char* text, const char* value) {
            QTest::addRow("%c \"%s\"", form, text)
                << form << QString::fromUtf8(text) << QString::fromLatin1(value);
        };
        for (const char* text : { "Vrai", "VRAI", "True", "-1", "1", "2.5" })
            row('b', text, "true");
        for (const char* text : { "Faux", "faux", "false", "0" })
            row('b', text, "false");
        for (const char* text : { "oui", "1abc", "" })
            row('b', text, "-");
        for (const auto& [text, value] : { std::pair("06/12/2026", "2026-12-06"),
                 { "1/2/2027", "2027-02-01" }, { "29/02/2028", "2028-02-29" } })
            row('d', text, value);
        for (const char* text : { "31/04/2026", "12/31/2026", "06/12/26", "hier" })
            row('d', text, "-");
        // Halves go to the even neighbour.
        for (const auto& [text, value] : { std::pair("5000px", "5000"), { "  -360", "-360" }, { "abc", "0" },
                 { "2.5", "2" }, { "3.5", "4" }, { "-2.5", "-2" }, { "2.51", "3" } })
            row('n', text, value);
    }
    void textForms()
    {
        QFETCH(char, form);
        QFETCH(QString, text);
        QTEST(readAs(form, text), "value");
    }

    // Characters outside the code page become one "?" each; every byte reads back as itself.
    void win1252()
    {
        QCOMPARE(toWin1252(QStringLiteral("évènement à €œ 日本 a\U0001F600b")),
            QByteArray("\xe9v\xe8nement \xe0 \x80\x9c ?? a?b"));
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString decoded = fromWin1252(all);
        QCOMPARE(decoded.mid(0x80, 2), QStringLiteral("€\x81"));
        QCOMPARE(toWin1252(decoded), all);
    }

    void storedAndPlayed_data()
    {
        // {app}: the 70-character application folder; {base}: the short folder above it.
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored"); // before the cut to a value's 60 characters
        QTest::addColumn<QString>("played"); // empty: nothing is played
        const auto row
            = [](const char* name, const QString& chosen, const QString& stored, const char* played) {
                  QTest::newRow(name) << chosen << stored << QString::fromLatin1(played);
              };
        const QString longPath = "{base}/" + QString(70, u'x') + ".wav";
        row("a path that fits stays whole", "{base}/court.wav", "{base}/court.wav", "{base}/court.wav");
        row("a long path in the folder is kept relative to it", "{app}/sons/mail.wav", "sons/mail.wav",
            "{app}/sons/mail.wav");
        row("a relative path is read against the folder", "sons/mail.wav", "sons/mail.wav",
            "{app}/sons/mail.wav");
        row("a long path elsewhere is cut and names nothing", longPath, longPath, "");
        row("a folder that only begins like the application folder is elsewhere", "{app}2/sons/mail.wav",
            "{app}2/sons/mail.wav", "");
    }
    void storedAndPlayed()
    {
        TempAppFolder base;
        const QString app = base.path() + u'/' + QString(69 - base.path().size(), u'a');
        QCOMPARE(app.size(), 70);
        const auto expand = [&](QString text) {
            return text.replace(QLatin1String("{app}"), app).replace(QLatin1String("{base}"), base.path());
        };
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QFETCH(QString, played);
        QVERIFY(QDir().mkpath(app + QStringLiteral("/sons")));
        base.writeBytes(QStringLiteral("court.wav"), "RIFF");
        QFile::copy(base.file(QStringLiteral("court.wav")), app + QStringLiteral("/sons/mail.wav"));

        MessageBoxRecorder messages;
        SettingsFile file(app + QStringLiteral("/config.ini"), messages);
        Settings settings = Settings::defaults(app, QDate(2026, 1, 1));
        SettingsStore store(settings, file);
        storeSoundSetting(store, app, SoundEvent::Mail, false, expand(chosen));
        stored = expand(stored).left(SettingsFile::ValueSize);
        QCOMPARE(file.readKey(QStringLiteral("son_mail")), stored);

        FakeSoundPlayer player;
        playSoundFile(true, player, app, settings.son_mail);
        QCOMPARE(player.played, played.isEmpty() ? QStringList() : QStringList { expand(played) });
    }

    void commandListSaved_data()
    {
        QTest::addColumn<QStringList>("pageLines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QStringList() << QByteArray();
        QTest::newRow("paths the file cannot carry are dropped")
            << QStringList { "/usr/bin/évènement", "/bad\"quote", "/bad\nline", "/ok2" }
            << QByteArray("\"/usr/bin/\xe9v\xe8nement\"\r\n\"/ok2\"\r\n");
        QTest::newRow("twelve lines keep the first ten")
            << numberedCommands(12).first << numberedCommands(10).second;
    }
    // What the page commits is the file's exact bytes, and what the next start reads back.
    void commandListSaved()
    {
        QFETCH(QStringList, pageLines);
        m_folder->writeBytes(QStringLiteral("even1.ini"), "\"/old\"\r\n");
        CommandList list;
        commitCommandList(list, pageLines, listPath(), m_messages);
        QTEST(m_folder->readBytes(QStringLiteral("even1.ini")), "bytes");
        CommandList back;
        loadCommandList(back, listPath());
        QCOMPARE(back.entries, list.entries);
    }

    void commandListReading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("entries");
        const auto row = [](const char* name, const QByteArray& text, const QStringList& entries) {
            QTest::newRow(name) << text << entries;
        };
        row("quoted with commas, two on a line", "\"/a,b/c\",\"/b\"\r\n", { "/a,b/c", "/b" });
        row("unquoted split at commas", "/x,/y , /z\r\n", { "/x", "/y", "/z" });
        row("LF line ends, none at the end", "\"/a\"\n\"/b\"", { "/a", "/b" });
        row("blank lines skipped", "\r\n\"/a\"\r\n\r\n", { "/a" });
        row("unclosed quote", "\"/a b", { "/a b" });
        row("loading stops at ten", numberedCommands(14).second, numberedCommands(10).first);
    }
    void commandListReading()
    {
        QFETCH(QByteArray, text);
        m_folder->writeBytes(QStringLiteral("even1.ini"), text);
        CommandList list;
        loadCommandList(list, listPath());
        QTEST(list.entries, "entries");
    }

    void aSaveThatCannotBeMadeKeepsWhatIsThere_data()
    {
        QTest::addColumn<QString>("kind"); // what stands in the list's place, or a full disk
        for (const char* kind : { "pipe", "folder", "full disk" })
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    // A pipe or a folder in the list's place reads at once as an empty list; a save cut short (a
    // full disk; here a limit on file sizes) leaves the old list whole. Each stays, and the user is
    // told.
    void aSaveThatCannotBeMadeKeepsWhatIsThere()
    {
        QFETCH(QString, kind);
        const bool fullDisk = kind == u"full disk";
        CommandList list;
        list.entries = QStringList { QStringLiteral("/stale") };
        if (fullDisk)
            commitCommandList(
                list, { QStringLiteral("/bin/un"), QStringLiteral("/bin/deux") }, listPath(), m_messages);
        else
            QVERIFY(makeNonRegular(listPath(), kind));
        loadCommandList(list, listPath());
        const QStringList before = list.entries;
        QCOMPARE(before.size(), fullDisk ? 2 : 0);

        rlimit limit {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit tiny { 8, limit.rlim_max };
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
        commitCommandList(list, { QStringLiteral("/bin/trois") }, listPath(), m_messages);
        ::setrlimit(RLIMIT_FSIZE, &limit);

        QCOMPARE(m_messages.texts(), QStringList { "Impossible d'écrire dans le fichier " + listPath() });
        loadCommandList(list, listPath());
        QCOMPARE(list.entries, before);
        // No temporary file is left beside it.
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files),
            fullDisk ? QStringList { "even1.ini" } : QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
