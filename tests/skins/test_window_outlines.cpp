#include "skins/window_outlines.h"

#include <QTest>

using namespace chronolien;

namespace {

enum class Window { Centre, Counter, Mail };

QRegion outlineOf(Window window)
{
    switch (window) {
    case Window::Centre:
        return centreWindowOutline();
    case Window::Counter:
        return counterWindowOutline();
    case Window::Mail:
        return mailWindowOutline();
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Window)

class TestWindowOutlines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void floatingWindowCoversItsBandsAndNotItsCorners()
    {
        const QRegion outline = centreWindowOutline();
        QVERIFY(outline.contains(QPoint(36, 32)));
        for (int y = 1; y <= 63; ++y)
            for (int x = 12; x <= 58; ++x)
                QVERIFY2(
                    outline.contains(QPoint(x, y)), qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        QVERIFY(!outline.contains(QPoint(0, 0)));
        QVERIFY(!outline.contains(QPoint(72, 0)));
    }

    // Right and bottom edges of every shape are exclusive; the corners are circles.
    void pixels_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<bool>("inside");
        QTest::newRow("centre: wide band's last column") << Window::Centre << QPoint(71, 30) << true;
        QTest::newRow("centre: tall band's last row") << Window::Centre << QPoint(30, 63) << true;
        QTest::newRow("centre: left of the window") << Window::Centre << QPoint(0, 30) << false;
        QTest::newRow("centre: corner box, outside its circle") << Window::Centre << QPoint(1, 1) << false;
        QTest::newRow("centre: right circle's widest row") << Window::Centre << QPoint(72, 12) << true;
        QTest::newRow("centre: bottom circle's lowest row") << Window::Centre << QPoint(12, 64) << true;
        QTest::newRow("centre: bottom-right corner") << Window::Centre << QPoint(72, 64) << false;
        QTest::newRow("counter: top row of the tall band") << Window::Counter << QPoint(60, 0) << true;
        QTest::newRow("counter: top-left corner") << Window::Counter << QPoint(2, 0) << false;
        QTest::newRow("counter: right circle's widest row") << Window::Counter << QPoint(120, 11) << true;
        QTest::newRow("counter: past the window") << Window::Counter << QPoint(121, 11) << false;
        QTest::newRow("mail: above the window") << Window::Mail << QPoint(100, 0) << false;
        QTest::newRow("mail: bottom-right corner") << Window::Mail << QPoint(192, 80) << false;
        QTest::newRow("mail: bottom circle's lowest row") << Window::Mail << QPoint(179, 80) << true;
    }
    void pixels()
    {
        QFETCH(Window, window);
        QFETCH(QPoint, pixel);
        QTEST(outlineOf(window).contains(pixel), "inside");
    }

    // Each outline lies within its skin picture.
    void extents_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QRect>("extent");
        QTest::newRow("floating window, 73 x 65") << Window::Centre << QRect(1, 1, 72, 64);
        QTest::newRow("counter window, 121 x 57") << Window::Counter << QRect(2, 0, 119, 57);
        QTest::newRow("mail window, 193 x 81") << Window::Mail << QRect(2, 1, 191, 80);
    }
    void extents()
    {
        QFETCH(Window, window);
        QTEST(outlineOf(window).boundingRect(), "extent");
    }

    void roundCornersAreCircles()
    {
        // The circle of 24 at (1, 1): its top row is 6 pixels wide, centred; its middle rows full.
        const OutlineShape circle { OutlineShape::Ellipse, 1, 1, 25, 25 };
        const QRegion region = outlineRegion(std::span<const OutlineShape>(&circle, 1));
        QCOMPARE(region.intersected(QRect(0, 1, 30, 1)).boundingRect(), QRect(10, 1, 6, 1));
        QCOMPARE(region.intersected(QRect(0, 12, 30, 1)).boundingRect(), QRect(1, 12, 24, 1));
        QCOMPARE(region.intersected(QRect(0, 13, 30, 1)).boundingRect(), QRect(1, 13, 24, 1));
    }
};

QTEST_GUILESS_MAIN(TestWindowOutlines)
#include "test_window_outlines.moc"
