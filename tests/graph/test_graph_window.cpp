#include "graph/graph_window.h"
#include "history/usage_report.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace chronolien;

namespace {

const QDate kToday(2026, 12, 6); // a Sunday; the period runs from 2 December

// Pixels of the allowance lines' red in the chart.
int redPixels(QWidget* chart)
{
    const QImage image = chart->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(0xc0, 0x20, 0x20);
    return count;
}

} // namespace

class TestGraphWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void window_data()
    {
        QTest::addColumn<QByteArray>("history");
        QTest::addColumn<QByteArray>("forfait");
        QTest::addColumn<QString>("forecast");
        const QByteArray header = "debut;fin;secondes;octets_recus;octets_envoyes\n";
        const QByteArray history = header + "2026-11-20T20:00:00;2026-11-20T22:00:00;7200;5000000;300000\n"
            + "2026-12-03T09:00:00;2026-12-03T11:46:40;10000;8000000;500000\n";
        QTest::newRow("no file") << QByteArray() << QByteArray("Vrai") << QString();
        QTest::newRow("header only") << header << QByteArray("Vrai") << QString();
        QTest::newRow("plan")
            << history << QByteArray("Vrai")
            << QStringLiteral("Au rythme actuel, votre forfait sera épuisé le samedi 19 décembre 2026.");
        QTest::newRow("no plan") << history << QByteArray("Faux") << QString();
    }
    void window()
    {
        QFETCH(QByteArray, history);
        QFETCH(QByteArray, forfait);
        QFETCH(QString, forecast);
        test::TempAppFolder app;
        if (!history.isEmpty())
            app.writeBytes(QStringLiteral("historique.csv"), history);
        using test::settingsRecord;
        app.writeBytes(QStringLiteral("config.ini"),
            settingsRecord(1, "forfait", forfait) + settingsRecord(2, "cpt_mois", "10000")
                + settingsRecord(3, "cpt_limite", "36000") + settingsRecord(4, "date_raz", "01/12/2026"));

        GraphWindow window(usageReportForFolder(app.path(), kToday), kToday);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Chronolien - Graphique"));

        const bool empty = !history.contains("2026-");
        auto* noHistory = window.findChild<QLabel*>(QStringLiteral("txt_vide"));
        QCOMPARE(noHistory != nullptr, empty);
        auto* days = window.findChild<QWidget*>(QStringLiteral("graph_jours"));
        auto* months = window.findChild<QWidget*>(QStringLiteral("graph_mois"));
        QCOMPARE(days != nullptr && months != nullptr, !empty);
        auto* prevision = window.findChild<QLabel*>(QStringLiteral("txt_prevision"));
        QCOMPARE(prevision != nullptr, forfait == "Vrai");
        if (!forecast.isEmpty())
            QCOMPARE(prevision->text(), forecast);
        if (!empty) {
            const bool plan = forfait == "Vrai";
            QCOMPARE(redPixels(days) > 0, plan);
            QCOMPARE(redPixels(months) > 0, plan);
        }

        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestGraphWindow)
#include "test_graph_window.moc"
