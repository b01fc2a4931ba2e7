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
    void init() { m_folder = std::make_unique<TempAppFolder>(); }

    // A picture is whatever decodes under its name; anything else is no picture. A hand-edited
    // nomskin never reads outside the skin folder: pictures lie where the refused names lead.
    void loading_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::addColumn<bool>("loads");
        QTest::newRow("a JPEG") << QStringLiteral("jpeg") << true;
        QTest::newRow("a PNG under the JPEG name") << QStringLiteral("png") << true;
        QTest::newRow("spaces and accents") << QStringLiteral("forêt d'été") << true;
        QTest::newRow("missing file") << QStringLiteral("jupiter") << false;
        QTest::newRow("not a picture") << QStringLiteral("abime") << false;
        QTest::newRow("a folder of that name") << QStringLiteral("dossier") << false;
        QTest::newRow("no skin name") << QString() << false;
        QTest::newRow("the skin folder") << QStringLiteral(".") << false;
        QTest::newRow("the application folder") << QStringLiteral("..") << false;
        QTest::newRow("a path") << QStringLiteral("../skin/jpeg") << false;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
    }
    void loading()
    {
        QFETCH(QString, skin);
        QFETCH(bool, loads);
        for (const QString name : { "jpeg", "forêt d'été", "a\\b", "", ".." })
            writePicture(name, QStringLiteral("centre.jpg"), QSize(73, 65));
        writePicture(QStringLiteral("png"), QStringLiteral("centre.jpg"), QSize(73, 65), "PNG");
        makeFolder(QStringLiteral("skin/jupiter"));
        makeFolder(QStringLiteral("skin/abime"));
        m_folder->writeBytes(QStringLiteral("skin/abime/centre.jpg"), "\xff\xd8\xff not a picture");
        makeFolder(QStringLiteral("skin/dossier/centre.jpg"));
        const auto picture = loadSkinPicture(app(), skin, SkinPicture::CentreConnected);
        QCOMPARE(picture ? picture->size() : QSize(), loads ? QSize(73, 65) : QSize());
    }

    void listing()
    {
        makeFolder(QStringLiteral("skin/jupiter"));
        makeFolder(QStringLiteral("skin/bois"));
        makeFolder(QStringLiteral("skin/.cache"));
        m_folder->writeBytes(QStringLiteral("skin/lisez-moi.txt"), "texte");
        MessageBoxRecorder messages;
        QCOMPARE(listSkins(app(), messages).value_or(QStringList { "?" }),
            (QStringList { "bois", "jupiter", "lisez-moi.txt" }));
        QVERIFY(messages.shown.isEmpty());
    }

    // Only centre.jpg and compteur.jpg decide: the other two pictures are neither shown nor needed.
    // The skin page shows the previews and stores what may be chosen.
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
};

QTEST_GUILESS_MAIN(TestSkinFiles)
#include "test_skin_files.moc"
