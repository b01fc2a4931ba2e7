#include "support/message_box_recorder.h"
#include "ui/skin_files.h"
#include "ui/skin_page.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

Q_DECLARE_METATYPE(SkinPicture)

// The skins delivered in the application folder: each window's picture decodes and has the size
// of that window's outline, so that its drawn buttons sit under the click areas.
class TestShippedSkins : public QObject {
    Q_OBJECT

    const QString m_data = QStringLiteral(CHRONOLIEN_DATA_DIR);

private Q_SLOTS:
    void theDefaultSkinIsListedWithTheOthers()
    {
        MessageBoxRecorder messages;
        const auto names = ListSkins(m_data, messages);
        QVERIFY(names.has_value());
        QVERIFY(names->contains(QStringLiteral("jupiter")));
        QVERIFY(names->contains(QStringLiteral("bois")));
        QVERIFY(messages.shown.isEmpty());
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::addColumn<SkinPicture>("picture");
        QTest::addColumn<QSize>("size");
        for (const char* skin : { "jupiter", "bois" }) {
            const QString name = QString::fromLatin1(skin);
            QTest::addRow("%s centre", skin) << name << SkinPicture::CentreConnected << QSize(73, 65);
            QTest::addRow("%s centre2", skin) << name << SkinPicture::CentreDisconnected << QSize(73, 65);
            QTest::addRow("%s compteur", skin) << name << SkinPicture::Counter << QSize(121, 57);
            QTest::addRow("%s mail", skin) << name << SkinPicture::Mail << QSize(193, 81);
        }
    }

    void pictures()
    {
        QFETCH(QString, skin);
        QFETCH(SkinPicture, picture);
        QFETCH(QSize, size);
        const auto image = LoadSkinPicture(m_data, skin, picture);
        QVERIFY(image.has_value());
        QCOMPARE(image->size(), size);
        QVERIFY(PreviewSkin(m_data, skin).canChoose());
    }

    // The floating window's two pictures tell the line's state apart.
    void connectedAndDisconnectedDiffer_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::newRow("jupiter") << QStringLiteral("jupiter");
        QTest::newRow("bois") << QStringLiteral("bois");
    }

    void connectedAndDisconnectedDiffer()
    {
        QFETCH(QString, skin);
        const auto up = LoadSkinPicture(m_data, skin, SkinPicture::CentreConnected);
        const auto down = LoadSkinPicture(m_data, skin, SkinPicture::CentreDisconnected);
        QVERIFY(up && down);
        // The connect button's centre: green while connected, not while disconnected.
        const QColor on = up->pixelColor(42, 42);
        const QColor off = down->pixelColor(42, 42);
        QVERIFY2(on.green() > on.red(), qPrintable(on.name()));
        QVERIFY2(off.green() < off.red(), qPrintable(off.name()));
    }
};

QTEST_GUILESS_MAIN(TestShippedSkins)
#include "test_shipped_skins.moc"
