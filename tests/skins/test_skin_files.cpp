#include "settings/settings.h"
#include "settings/settings_file.h"
#include "skins/skin_files.h"
#include "skins/skin_page.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestSkinFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;

    QString app() const { return m_folder->path(); }
    void makeFolder(const QString& relative) const { QVERIFY(QDir(app()).mkpath(relative)); }

    // A real picture of the given size at skin/<skin>/<file>, in the given format.
    void writePicture(const QString& skin, const QString& file, QSize size, const char* format = "JPEG") const
    {
        makeFolder(QStringLiteral("skin/") + skin);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkYellow);
        QVERIFY(image.save(m_folder->file(QStringLiteral("skin/%1/%2").arg(skin, file)), format));
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_messages.shown.clear();
    }

    void skinNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("spaces and accents") << QStringLiteral("forêt d'été") << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("parent") << QStringLiteral("..") << false;
        QTest::newRow("climbing out") << QStringLiteral("../../etc") << false;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
    }
    void skinNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(isSkinName(name), valid);
        QCOMPARE(skinPicturePath(app(), name, SkinPicture::Mail).isEmpty(), !valid);
    }

    // A picture is whatever decodes under its name; anything else is no picture.
    void loading_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::addColumn<bool>("loads");
        QTest::newRow("a JPEG") << QStringLiteral("jpeg") << true;
        QTest::newRow("a PNG under the JPEG name") << QStringLiteral("png") << true;
        QTest::newRow("missing file") << QStringLiteral("jupiter") << false;
        QTest::newRow("missing skin") << QStringLiteral("nulle-part") << false;
        QTest::newRow("not a picture") << QStringLiteral("abime") << false;
        QTest::newRow("empty file") << QStringLiteral("vide") << false;
        QTest::newRow("a folder of that name") << QStringLiteral("dossier") << false;
        QTest::newRow("no skin name") << QString() << false;
    }
    void loading()
    {
        QFETCH(QString, skin);
        QFETCH(bool, loads);
        writePicture(QStringLiteral("jpeg"), QStringLiteral("centre.jpg"), QSize(73, 65));
        writePicture(QStringLiteral("png"), QStringLiteral("centre.jpg"), QSize(73, 65), "PNG");
        makeFolder(QStringLiteral("skin/jupiter"));
        makeFolder(QStringLiteral("skin/abime"));
        m_folder->writeBytes(
            QStringLiteral("skin/abime/centre.jpg"), QByteArrayLiteral("\xff\xd8\xff not a picture"));
        makeFolder(QStringLiteral("skin/vide"));
        m_folder->writeBytes(QStringLiteral("skin/vide/centre.jpg"), QByteArray());
        makeFolder(QStringLiteral("skin/dossier/centre.jpg"));
        // A picture lying in the skin folder itself is not the picture of an unnamed skin.
        writePicture(QString(), QStringLiteral("centre.jpg"), QSize(73, 65));
        const auto picture = loadSkinPicture(app(), skin, SkinPicture::CentreConnected);
        QCOMPARE(picture.has_value(), loads);
        if (loads)
            QCOMPARE(picture->size(), QSize(73, 65));
    }

    void listing()
    {
        makeFolder(QStringLiteral("skin/jupiter"));
        makeFolder(QStringLiteral("skin/bois"));
        makeFolder(QStringLiteral("skin/.cache"));
        m_folder->writeBytes(QStringLiteral("skin/lisez-moi.txt"), "texte");
        const auto names = listSkins(app(), m_messages);
        QVERIFY(names.has_value());
        QCOMPARE(*names,
            (QStringList {
                QStringLiteral("bois"), QStringLiteral("jupiter"), QStringLiteral("lisez-moi.txt") }));
        QVERIFY(m_messages.shown.isEmpty());
    }

    void aSkinFolderThatCannotBeListedIsAnError_data()
    {
        QTest::addColumn<bool>("plainFile");
        QTest::newRow("no skin folder") << false;
        QTest::newRow("skin is a plain file") << true;
    }
    void aSkinFolderThatCannotBeListedIsAnError()
    {
        QFETCH(bool, plainFile);
        if (plainFile)
            m_folder->writeBytes(QStringLiteral("skin"), "not a folder");
        QVERIFY(!listSkins(app(), m_messages).has_value());
        QCOMPARE(m_messages.shown.size(), 1);
        QCOMPARE(m_messages.shown.first().text, QStringLiteral("Erreur de listage des skins."));
        QCOMPARE(m_messages.shown.first().style, StyleCritical);
    }

    // Only centre.jpg and compteur.jpg decide: the other two pictures are neither shown nor needed.
    void previews_data()
    {
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("counter");
        QTest::newRow("both pictures") << true << true;
        QTest::newRow("floating window only") << true << false;
        QTest::newRow("counter window only") << false << true;
    }
    void previews()
    {
        QFETCH(bool, centre);
        QFETCH(bool, counter);
        writePicture(QStringLiteral("essai"), QStringLiteral("centre2.jpg"), QSize(73, 65));
        writePicture(QStringLiteral("essai"), QStringLiteral("mail.jpg"), QSize(193, 81));
        if (centre)
            writePicture(QStringLiteral("essai"), QStringLiteral("centre.jpg"), QSize(73, 65));
        if (counter)
            writePicture(QStringLiteral("essai"), QStringLiteral("compteur.jpg"), QSize(121, 57));
        const SkinPreview preview = previewSkin(app(), QStringLiteral("essai"));
        QCOMPARE(preview.centre.has_value(), centre);
        QCOMPARE(preview.counter.has_value(), counter);
        QCOMPARE(preview.canChoose(), centre && counter);
    }

    void choosingStoresOnlyASkinThatPreviews()
    {
        writePicture(QStringLiteral("bois"), QStringLiteral("centre.jpg"), QSize(73, 65));
        writePicture(QStringLiteral("bois"), QStringLiteral("compteur.jpg"), QSize(121, 57));
        writePicture(QStringLiteral("demi"), QStringLiteral("centre.jpg"), QSize(73, 65));
        SettingsFile file(m_folder->file(QStringLiteral("config.ini")), m_messages);
        Settings settings;
        SettingsStore store(settings, file);
        QVERIFY(chooseSkin(store, app(), QStringLiteral("bois")));
        QCOMPARE(settings.nomskin, QStringLiteral("bois"));
        QCOMPARE(file.readKey(QStringLiteral("nomskin")), QStringLiteral("bois"));

        const QByteArray before = m_folder->readBytes(QStringLiteral("config.ini"));
        QVERIFY(!chooseSkin(store, app(), QStringLiteral("demi")));
        QCOMPARE(settings.nomskin, QStringLiteral("bois"));
        QCOMPARE(m_folder->readBytes(QStringLiteral("config.ini")), before);
        QVERIFY(m_messages.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSkinFiles)
#include "test_skin_files.moc"
