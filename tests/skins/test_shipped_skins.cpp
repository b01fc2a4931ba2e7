#include "skins/skin_files.h"

#include <QTest>

using namespace chronolien;

// The skins delivered in the application folder: each window's picture decodes and has the size
// of that window's outline, so that its drawn buttons sit under the click areas.
class TestShippedSkins : public QObject {
    Q_OBJECT

    const QString m_data = QStringLiteral(CHRONOLIEN_DATA_DIR);

private Q_SLOTS:
    void skins()
    {
        const std::pair<SkinPicture, QSize> pictures[] { { SkinPicture::CentreConnected, QSize(73, 65) },
            { SkinPicture::CentreDisconnected, QSize(73, 65) }, { SkinPicture::Counter, QSize(121, 57) },
            { SkinPicture::Mail, QSize(193, 81) } };
        for (const QString skin : { "jupiter", "bois" }) {
            for (const auto& [picture, size] : pictures)
                QCOMPARE(loadSkinPicture(m_data, skin, picture).value_or(QImage()).size(), size);
            // The connect button's centre tells the line's state apart: green while connected only.
            const QColor on = loadSkinPicture(m_data, skin, SkinPicture::CentreConnected)->pixelColor(42, 42);
            const QColor off
                = loadSkinPicture(m_data, skin, SkinPicture::CentreDisconnected)->pixelColor(42, 42);
            QVERIFY2(on.green() > on.red() && off.green() < off.red(), qPrintable(skin));
        }
    }
};

QTEST_GUILESS_MAIN(TestShippedSkins)
#include "test_shipped_skins.moc"
