#include "settings/command_list.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"

#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace chronolien;
using namespace chronolien::test;

class TestCommandList : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;

    QString path() const { return commandListPath(m_folder->path(), 1); }
    QByteArray bytes() const { return m_folder->readBytes(QStringLiteral("even1.ini")); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_messages.shown.clear();
    }

    void savedFile_data()
    {
        QTest::addColumn<QStringList>("pageLines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("one entry") << QStringList { "/usr/bin/évènement" }
                                   << QByteArray("\"/usr/bin/\xe9v\xe8nement\"\r\n");
        QTest::newRow("empty") << QStringList() << QByteArray();
        QTest::newRow("paths the file cannot carry are dropped") << QStringList { "/ok", "/bad\"quote",
            "/bad\nline", "/ok2" } << QByteArray("\"/ok\"\r\n\"/ok2\"\r\n");
        QStringList twelve;
        QByteArray ten;
        for (int i = 1; i <= 12; ++i) {
            twelve.append(QStringLiteral("/opt/prog%1").arg(i));
            if (i <= 10)
                ten += "\"/opt/prog" + QByteArray::number(i) + "\"\r\n";
        }
        QTest::newRow("twelve lines keep the first ten") << twelve << ten;
    }
    // What the page commits is the file's exact bytes, and what the next start reads back.
    void savedFile()
    {
        QFETCH(QStringList, pageLines);
        m_folder->writeBytes(QStringLiteral("even1.ini"), "\"/old\"\r\n");
        CommandList list;
        commitCommandList(list, pageLines, path(), m_messages);
        QTEST(bytes(), "bytes");
        CommandList back;
        loadCommandList(back, path());
        QCOMPARE(back.entries, list.entries);
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("entries");
        const auto row = [](const char* name, const QByteArray& text, const QStringList& entries) {
            QTest::newRow(name) << text << entries;
        };
        row("quoted with commas", "\"/a,b/c\"\r\n", { "/a,b/c" });
        row("unquoted split at commas", "/x,/y , /z\r\n", { "/x", "/y", "/z" });
        row("two quoted on a line", "\"/a\",\"/b\"\r\n", { "/a", "/b" });
        row("LF line ends", "\"/a\"\n\"/b\"\n", { "/a", "/b" });
        row("no final line end", "\"/a\"", { "/a" });
        row("blank lines skipped", "\r\n\"/a\"\r\n\r\n", { "/a" });
        row("unclosed quote", "\"/a b", { "/a b" });
        row("spaces before quote", "   \"/a\"\r\n", { "/a" });
        QByteArray fourteen;
        QStringList ten;
        for (int i = 1; i <= 14; ++i) {
            fourteen += "\"/p" + QByteArray::number(i) + "\"\r\n";
            if (i <= 10)
                ten.append(QStringLiteral("/p%1").arg(i));
        }
        row("loading stops at ten", fourteen, ten);
    }
    void reading()
    {
        QFETCH(QByteArray, text);
        m_folder->writeBytes(QStringLiteral("even1.ini"), text);
        CommandList list;
        loadCommandList(list, path());
        QTEST(list.entries, "entries");
    }

    void aSaveThatCannotBeMadeKeepsWhatIsThere_data()
    {
        QTest::addColumn<QString>("kind"); // what stands in the list's place, or a full disk
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("folder") << "folder";
        QTest::newRow("full disk") << "full disk";
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
                list, { QStringLiteral("/bin/un"), QStringLiteral("/bin/deux") }, path(), m_messages);
        else
            QVERIFY(makeNonRegular(path(), kind));
        loadCommandList(list, path());
        const QStringList before = list.entries;
        QCOMPARE(before.size(), fullDisk ? 2 : 0);

        rlimit limit {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit tiny { 8, limit.rlim_max };
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
        commitCommandList(list, { QStringLiteral("/bin/trois") }, path(), m_messages);
        ::setrlimit(RLIMIT_FSIZE, &limit);

        QCOMPARE(m_messages.texts(), QStringList { "Impossible d'écrire dans le fichier " + path() });
        loadCommandList(list, path());
        QCOMPARE(list.entries, before);
        // No temporary file is left beside it.
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files),
            fullDisk ? QStringList { "even1.ini" } : QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCommandList)
#include "test_command_list.moc"
