#include "settings/settings.h"
#include "settings/settings_file.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"
#include "ui/skin_files.h"
#include "ui/skin_page.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

Q_DECLARE_METATYPE(SkinPicture)

class TestSkinFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;

    QString app() const { return m_folder->path(); }

    void makeFolder(const QString& relative) const { QVERIFY(QDir(app()).mkpath(relative)); }

    // A real JPEG of the given size and colour at skin/<skin>/<file>.
    void writePicture(const QString& skin, const QString& file, QSize size = QSize(73, 65),
        QColor colour = Qt::darkYellow) const
    {
        makeFolder(QStringLiteral("skin/") + skin);
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(m_folder->file(QStringLiteral("skin/%1/%2").arg(skin, file)), "JPEG"));
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_messages.shown.clear();
    }

    void paths_data()
    {
        QTest::addColumn<SkinPicture>("picture");
        QTest::addColumn<QString>("file");
        QTest::newRow("connected") << SkinPicture::CentreConnected << QStringLiteral("centre.jpg");
        QTest::newRow("disconnected") << SkinPicture::CentreDisconnected << QStringLiteral("centre2.jpg");
        QTest::newRow("counter") << SkinPicture::Counter << QStringLiteral("compteur.jpg");
        QTest::newRow("mail") << SkinPicture::Mail << QStringLiteral("mail.jpg");
    }

    void paths()
    {
        QFETCH(SkinPicture, picture);
        QFETCH(QString, file);
        QCOMPARE(skinPicturePath(QStringLiteral("/opt/chronolien"), QStringLiteral("jupiter"), picture),
            QStringLiteral("/opt/chronolien/skin/jupiter/") + file);
    }

    void theFloatingWindowFollowsTheLine()
    {
        QCOMPARE(centrePicture(true), SkinPicture::CentreConnected);
        QCOMPARE(centrePicture(false), SkinPicture::CentreDisconnected);
    }

    void skinNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("default") << QStringLiteral("jupiter") << true;
        QTest::newRow("spaces and accents") << QStringLiteral("forêt d'été") << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("dot") << QStringLiteral(".") << false;
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

    void aPictureLoads()
    {
        writePicture(QStringLiteral("bois"), QStringLiteral("mail.jpg"), QSize(193, 81));
        const auto picture = LoadSkinPicture(app(), QStringLiteral("bois"), SkinPicture::Mail);
        QVERIFY(picture.has_value());
        QCOMPARE(picture->size(), QSize(193, 81));
    }

    void aPictureUnderAnotherExtensionStillLoads()
    {
        makeFolder(QStringLiteral("skin/png"));
        QImage image(QSize(121, 57), QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(m_folder->file(QStringLiteral("skin/png/compteur.jpg")), "PNG"));
        const auto picture = LoadSkinPicture(app(), QStringLiteral("png"), SkinPicture::Counter);
        QVERIFY(picture.has_value());
        QCOMPARE(picture->size(), QSize(121, 57));
    }

    void whatCannotBeShownIsNothing_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::newRow("missing file") << QStringLiteral("jupiter");
        QTest::newRow("missing skin") << QStringLiteral("nulle-part");
        QTest::newRow("not a picture") << QStringLiteral("abime");
        QTest::newRow("empty file") << QStringLiteral("vide");
        QTest::newRow("a folder of that name") << QStringLiteral("dossier");
        QTest::newRow("no skin name") << QString();
    }

    void whatCannotBeShownIsNothing()
    {
        QFETCH(QString, skin);
        makeFolder(QStringLiteral("skin/jupiter"));
        makeFolder(QStringLiteral("skin/abime"));
        m_folder->writeBytes(
            QStringLiteral("skin/abime/centre.jpg"), QByteArrayLiteral("\xff\xd8\xff not a picture"));
        makeFolder(QStringLiteral("skin/vide"));
        m_folder->writeBytes(QStringLiteral("skin/vide/centre.jpg"), QByteArray());
        makeFolder(QStringLiteral("skin/dossier/centre.jpg"));
        // A picture lying in the skin folder itself is not the picture of an unnamed skin.
        writePicture(QString(), QStringLiteral("centre.jpg"));
        QVERIFY(!LoadSkinPicture(app(), skin, SkinPicture::CentreConnected).has_value());
    }

    void listingGivesEveryVisibleEntryByName()
    {
        makeFolder(QStringLiteral("skin/jupiter"));
        makeFolder(QStringLiteral("skin/bois"));
        makeFolder(QStringLiteral("skin/.cache"));
        m_folder->writeBytes(QStringLiteral("skin/lisez-moi.txt"), "texte");
        m_folder->writeBytes(QStringLiteral("skin/.cache-file"), "x");
        const auto names = ListSkins(app(), m_messages);
        QVERIFY(names.has_value());
        QCOMPARE(*names,
            (QStringList {
                QStringLiteral("bois"), QStringLiteral("jupiter"), QStringLiteral("lisez-moi.txt") }));
        QVERIFY(m_messages.shown.isEmpty());
    }

    void anEmptySkinFolderListsNothing()
    {
        makeFolder(QStringLiteral("skin"));
        const auto names = ListSkins(app(), m_messages);
        QVERIFY(names.has_value());
        QVERIFY(names->isEmpty());
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
        QVERIFY(!ListSkins(app(), m_messages).has_value());
        QCOMPARE(m_messages.shown.size(), 1);
        QCOMPARE(m_messages.shown.first().text, QStringLiteral("Erreur de listage des skins."));
        QCOMPARE(m_messages.shown.first().style, StyleCritical);
    }

    void previews_data()
    {
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("counter");
        QTest::newRow("both pictures") << true << true;
        QTest::newRow("floating window only") << true << false;
        QTest::newRow("counter window only") << false << true;
        QTest::newRow("neither") << false << false;
    }

    // Only centre.jpg and compteur.jpg decide: the other two pictures are neither shown nor needed.
    void previews()
    {
        QFETCH(bool, centre);
        QFETCH(bool, counter);
        makeFolder(QStringLiteral("skin/essai"));
        writePicture(QStringLiteral("essai"), QStringLiteral("centre2.jpg"));
        writePicture(QStringLiteral("essai"), QStringLiteral("mail.jpg"), QSize(193, 81));
        if (centre)
            writePicture(QStringLiteral("essai"), QStringLiteral("centre.jpg"), QSize(73, 65), Qt::red);
        if (counter)
            writePicture(QStringLiteral("essai"), QStringLiteral("compteur.jpg"), QSize(121, 57));
        const SkinPreview preview = PreviewSkin(app(), QStringLiteral("essai"));
        QCOMPARE(preview.centre.has_value(), centre);
        QCOMPARE(preview.counter.has_value(), counter);
        QCOMPARE(preview.canChoose(), centre && counter);
        if (centre)
            QCOMPARE(preview.centre->size(), QSize(73, 65));
        if (counter)
            QCOMPARE(preview.counter->size(), QSize(121, 57));
    }

    void aPlainFileEntryPreviewsNothing()
    {
        makeFolder(QStringLiteral("skin"));
        m_folder->writeBytes(QStringLiteral("skin/notes.txt"), "texte");
        const SkinPreview preview = PreviewSkin(app(), QStringLiteral("notes.txt"));
        QVERIFY(!preview.centre.has_value());
        QVERIFY(!preview.counter.has_value());
        QVERIFY(!preview.canChoose());
        QVERIFY(!PreviewSkin(app(), QString()).canChoose());
    }

    void choosingStoresTheSkinName()
    {
        writePicture(QStringLiteral("bois"), QStringLiteral("centre.jpg"));
        writePicture(QStringLiteral("bois"), QStringLiteral("compteur.jpg"), QSize(121, 57));
        SettingsFile file(m_folder->file(QStringLiteral("config.ini")), m_messages);
        Settings settings;
        QVERIFY(ChooseSkin(settings, file, app(), QStringLiteral("bois")));
        QCOMPARE(settings.nomskin, QStringLiteral("bois"));
        QCOMPARE(file.ReadKey(QStringLiteral("nomskin")), QStringLiteral("bois"));
        QVERIFY(m_messages.shown.isEmpty());
    }

    void aSkinThatCannotBePreviewedIsNotChosen()
    {
        writePicture(QStringLiteral("demi"), QStringLiteral("centre.jpg"));
        SettingsFile file(m_folder->file(QStringLiteral("config.ini")), m_messages);
        file.WriteKey(QStringLiteral("nomskin"), QStringLiteral("jupiter"));
        const QByteArray before = m_folder->readBytes(QStringLiteral("config.ini"));
        Settings settings;
        QVERIFY(!ChooseSkin(settings, file, app(), QStringLiteral("demi")));
        QCOMPARE(settings.nomskin, QStringLiteral("jupiter"));
        QCOMPARE(m_folder->readBytes(QStringLiteral("config.ini")), before);
    }
};

QTEST_GUILESS_MAIN(TestSkinFiles)
#include "test_skin_files.moc"
