#include "settings/settings_file.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QTest>
#include <QtEndian>

using namespace chronolien;
using namespace chronolien::test;

class TestSettingsFile : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;
    std::unique_ptr<SettingsFile> m_file;

    QByteArray bytes() const { return m_folder->readBytes(QStringLiteral("config.ini")); }
    void setBytes(const QByteArray& b) const { m_folder->writeBytes(QStringLiteral("config.ini"), b); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        QVERIFY(m_folder->isValid());
        m_messages.shown.clear();
        m_file = std::make_unique<SettingsFile>(m_folder->file(QStringLiteral("config.ini")), m_messages);
    }

    void missingFileIsCreatedEmptyAndEveryKeyIsAbsent()
    {
        QCOMPARE(m_file->readKey(QStringLiteral("pos_x")), QString());
        QVERIFY(m_folder->exists(QStringLiteral("config.ini")));
        QCOMPARE(bytes().size(), 0);
        QCOMPARE(m_file->findRecord(QStringLiteral("pos_x")), 1);
    }

    void recordLayoutIsExact()
    {
        QCOMPARE(m_file->writeKey(QStringLiteral("pos_x"), 5000), 1);
        QCOMPARE(m_file->writeKey(QStringLiteral("nomskin"), QStringLiteral("été")), 2);
        const QByteArray expected
            = settingsRecord(1, "pos_x", "5000") + settingsRecord(2, "nomskin", "\xe9t\xe9");
        QCOMPARE(bytes(), expected);
    }

    void rewriteInPlaceAndAppend()
    {
        m_file->writeKey(QStringLiteral("forfait"), true);
        m_file->writeKey(QStringLiteral("pos_x"), 5000);
        m_file->writeKey(QStringLiteral("pos_y"), 500);
        QCOMPARE(bytes().size(), 3 * 92);

        QCOMPARE(m_file->writeKey(QStringLiteral("pos_x"), 123456), 2);
        QCOMPARE(bytes().size(), 3 * 92);
        QCOMPARE(bytes().mid(92, 92), settingsRecord(2, "pos_x", "123456"));
        QCOMPARE(bytes().left(92), settingsRecord(1, "forfait", "Vrai"));
        QCOMPARE(bytes().mid(184), settingsRecord(3, "pos_y", "500"));

        QCOMPARE(m_file->writeKey(QStringLiteral("j_raz"), 1), 4);
        QCOMPARE(bytes().size(), 4 * 92);
        QCOMPARE(m_file->readKey(QStringLiteral("pos_x")), QStringLiteral("123456"));
    }

    void lastOfTwoMatchingRecordsWins()
    {
        setBytes(settingsRecord(1, "cpt_mois", "100") + settingsRecord(2, "pos_x", "1")
            + settingsRecord(3, "cpt_mois", "200"));
        QCOMPARE(m_file->findRecord(QStringLiteral("cpt_mois")), 3);
        QCOMPARE(m_file->readKey(QStringLiteral("cpt_mois")), QStringLiteral("200"));
        m_file->writeKey(QStringLiteral("cpt_mois"), 300);
        QCOMPARE(bytes().left(92), settingsRecord(1, "cpt_mois", "100"));
        QCOMPARE(bytes().mid(184), settingsRecord(3, "cpt_mois", "300"));
    }

    void keyIsFoundByContainment()
    {
        setBytes(settingsRecord(1, "  old_pos_x_key", "7"));
        QCOMPARE(m_file->readKey(QStringLiteral("pos_x")), QStringLiteral("7"));
        QCOMPARE(m_file->readKey(QStringLiteral("POS_X")), QString()); // exact case
    }

    void spacesOfValues()
    {
        m_file->writeKey(QStringLiteral("a"), QStringLiteral("  lead and trail  "));
        QCOMPARE(m_file->readKey(QStringLiteral("a")), QStringLiteral("  lead and trail"));
        m_file->writeKey(QStringLiteral("b"), QStringLiteral("     "));
        QCOMPARE(m_file->readKey(QStringLiteral("b")), QString());
    }

    void longKeysAndValuesAreCut()
    {
        const QString value61 = QString(59, u'v') + QStringLiteral("XY");
        m_file->writeKey(QStringLiteral("v"), value61);
        QCOMPARE(m_file->readKey(QStringLiteral("v")), value61.left(60));

        const QString key31 = QString(30, u'k') + u'Z';
        m_file->writeKey(key31, QStringLiteral("first"));
        QCOMPARE(bytes().mid(92 + 2, 30), QByteArray(30, 'k'));
        // Written again, the long key keeps its one record.
        m_file->writeKey(key31, QStringLiteral("second"));
        QCOMPARE(bytes().size(), 2 * 92);
        QCOMPARE(m_file->readKey(key31), QStringLiteral("second"));
    }

    void partialRecordAtTheEnd()
    {
        // A crash during an append left 40 bytes of a third record.
        setBytes(
            settingsRecord(1, "forfait", "Vrai") + settingsRecord(2, "pos_x", "5000") + QByteArray(40, 'x'));
        QCOMPARE(m_file->readKey(QStringLiteral("pos_x")), QStringLiteral("5000"));
        QCOMPARE(m_file->findRecord(QStringLiteral("pos_y")), 3);
        QCOMPARE(m_file->readKey(QStringLiteral("pos_y")), QString());
        QCOMPARE(m_file->writeKey(QStringLiteral("pos_y"), 500), 3);
        QCOMPARE(bytes().size(), 3 * 92);
        QCOMPARE(bytes().mid(184), settingsRecord(3, "pos_y", "500"));
    }

    void recordNumberedZeroReadsAsEmpty()
    {
        setBytes(settingsRecord(0, "pos_x", "5000"));
        QCOMPARE(m_file->readKey(QStringLiteral("pos_x")), QString());
    }

    void randomBytesNeverCrash()
    {
        QByteArray noise;
        quint32 seed = 12345;
        for (int i = 0; i < 92 * 50 + 17; ++i) {
            seed = seed * 1103515245u + 12345u;
            noise.append(char(seed >> 16));
        }
        setBytes(noise);
        for (const char* key : { "pos_x", "", "\xff", "cpt_mois" })
            m_file->readKey(QString::fromLatin1(key));
        const int n = m_file->writeKey(QStringLiteral("cpt_mois"), 42);
        QCOMPARE(bytes().size() % 92, 0);
        QCOMPARE(m_file->readKey(QStringLiteral("cpt_mois")), QStringLiteral("42"));
        QCOMPARE(n, 51);
    }

    void somethingElseInTheFilesPlace_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("folder") << "folder";
        QTest::newRow("device") << "device";
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
        QCOMPARE(other.findRecord(QStringLiteral("pos_x")), 1);
        QCOMPARE(other.readKey(QStringLiteral("pos_x")), QString());
        other.writeKey(QStringLiteral("pos_x"), 1);
        QCOMPARE(m_messages.texts(),
            QStringList { QStringLiteral("Impossible d'écrire dans le fichier ") + path });
        QVERIFY(!QFileInfo(path).isFile());
    }

    // A file that stays unwritable is told once, however many writes fail (the loader's, the
    // ten-second save's), and again only after a write has gone through in between.
    void aLastingFailureIsToldOnce()
    {
        // Works as root too: the folder the file should live in does not exist.
        const QString folder = m_folder->file(QStringLiteral("missing"));
        SettingsFile lost(folder + QStringLiteral("/config.ini"), m_messages);
        QCOMPARE(lost.readKey(QStringLiteral("pos_x")), QString());
        for (int k = 0; k < 21; ++k)
            lost.writeKey(QStringLiteral("pos_x"), k);
        QCOMPARE(m_messages.shown.size(), 1);
        QCOMPARE(m_messages.shown[0].style, StyleCritical);
        QVERIFY(m_messages.shown[0].text.endsWith(QStringLiteral("missing/config.ini")));
        QVERIFY(QDir().mkpath(folder));
        lost.writeKey(QStringLiteral("pos_x"), 1);
        QVERIFY(QDir(folder).removeRecursively());
        lost.writeKey(QStringLiteral("pos_x"), 2);
        lost.writeKey(QStringLiteral("pos_x"), 3);
        QCOMPARE(m_messages.shown.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
