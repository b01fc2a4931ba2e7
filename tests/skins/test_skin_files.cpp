#include "skins/skin_files.h"
#include "skins/skin_page.h"
#include "skins/window_outlines.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

// The skins' pictures and the windows' outlines they are drawn for.
class TestSkinFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;

    QString app() const { return m_folder->path(); }
    static std::array<QRegion, 3> outlines()
    {
        return { centreWindowOutline(), counterWindowOutline(), mailWindowOutline() };
    }
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

    // Only centre.jpg and compteur.jpg decide: the other two pictures are neither shown nor needed.
    // The skin page shows the previews and stores what may be chosen.
    void previews_data()
    {
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("counter");
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

    // The skins delivered in the application folder: each window's picture decodes and has the size
    // of that window's outline, so that its drawn buttons sit under the click areas.
    void shippedSkins()
    {
        const QString data = QStringLiteral(CHRONOLIEN_DATA_DIR);
        const std::pair<SkinPicture, QSize> pictures[] { { SkinPicture::CentreConnected, QSize(73, 65) },
            { SkinPicture::CentreDisconnected, QSize(73, 65) }, { SkinPicture::Counter, QSize(121, 57) },
            { SkinPicture::Mail, QSize(193, 81) } };
        for (const QString skin : { "jupiter", "bois" }) {
            for (const auto& [picture, size] : pictures)
                QCOMPARE(loadSkinPicture(data, skin, picture).value_or(QImage()).size(), size);
            // The connect button's centre tells the line's state apart: green while connected only.
            const QColor on = loadSkinPicture(data, skin, SkinPicture::CentreConnected)->pixelColor(42, 42);
            const QColor off
                = loadSkinPicture(data, skin, SkinPicture::CentreDisconnected)->pixelColor(42, 42);
            QVERIFY2(on.green() > on.red() && off.green() < off.red(), qPrintable(skin));
        }
    }

    // Right and bottom edges of every shape are exclusive; the corners are circles. Window 0 is the
    // floating window, 1 the counter window, 2 the mail window.
    void pixels_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<bool>("inside");
        QTest::newRow("centre: wide band's last column") << 0 << QPoint(71, 30) << true;
        QTest::newRow("centre: tall band's last row") << 0 << QPoint(30, 63) << true;
        QTest::newRow("centre: corner box, outside its circle") << 0 << QPoint(1, 1) << false;
        QTest::newRow("centre: right circle's widest row") << 0 << QPoint(72, 12) << true;
        QTest::newRow("centre: bottom circle's lowest row") << 0 << QPoint(12, 64) << true;
        QTest::newRow("centre: bottom-right corner") << 0 << QPoint(72, 64) << false;
        QTest::newRow("counter: top row of the tall band") << 1 << QPoint(60, 0) << true;
        QTest::newRow("counter: top-left corner") << 1 << QPoint(2, 0) << false;
        QTest::newRow("counter: right circle's widest row") << 1 << QPoint(120, 11) << true;
        QTest::newRow("mail: bottom-right corner") << 2 << QPoint(192, 80) << false;
        QTest::newRow("mail: bottom circle's lowest row") << 2 << QPoint(179, 80) << true;
    }
    void pixels()
    {
        QFETCH(int, window);
        QFETCH(QPoint, pixel);
        QTEST(outlines()[window].contains(pixel), "inside");
    }

    // Each outline lies within its skin picture (73 × 65, 121 × 57 and 193 × 81 pixels), and off
    // the picture's top left corner.
    void extents()
    {
        QCOMPARE(outlines()[0].boundingRect(), QRect(1, 1, 72, 64));
        QCOMPARE(outlines()[1].boundingRect(), QRect(2, 0, 119, 57));
        QCOMPARE(outlines()[2].boundingRect(), QRect(2, 1, 191, 80));
    }
};

QTEST_GUILESS_MAIN(TestSkinFiles)
#include "test_skin_files.moc"
