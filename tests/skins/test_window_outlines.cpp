#include "skins/window_outlines.h"

#include <QTest>

using namespace chronolien;

// The floating, counter and mail windows' outlines, by number.
static QRegion outline(int window)
{
    return std::array { centreWindowOutline(), counterWindowOutline(), mailWindowOutline() }.at(window);
}

class TestWindowOutlines : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        QTEST(outline(window).contains(pixel), "inside");
    }

    // Each outline lies within its skin picture (73 × 65, 121 × 57 and 193 × 81 pixels), and off
    // the picture's top left corner.
    void extents()
    {
        QCOMPARE(outline(0).boundingRect(), QRect(1, 1, 72, 64));
        QCOMPARE(outline(1).boundingRect(), QRect(2, 0, 119, 57));
        QCOMPARE(outline(2).boundingRect(), QRect(2, 1, 191, 80));
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
