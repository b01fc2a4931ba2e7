#include "graph/graph_window.h"
#include "history/usage_report.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

// The graph's window: a sentence without a history, the forecast and the red allowance lines with a plan.
class TestGraphWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void window_data()
    {
        QTest::addColumn<QByteArray>("history");
        QTest::addColumn<QByteArray>("forfait");
        QTest::addColumn<QString>("text"); // txt_vide's without a history, txt_prevision's with one
        const QByteArray header = "debut;fin;secondes;octets_recus;octets_envoyes\n";
        const QByteArray history = header + "2026-11-20T20:00:00;2026-11-20T22:00:00;7200;5000000;300000\n"
            + "2026-12-03T09:00:00;2026-12-03T11:46:40;10000;8000000;500000\n";
        QTest::newRow("no history") << header << QByteArray("Vrai")
                                    << QStringLiteral("Aucun historique de connexion pour l'instant");
        QTest::newRow("plan")
            << history << QByteArray("Vrai")
            << QStringLiteral("Au rythme actuel, votre forfait sera épuisé le samedi 19 décembre 2026.");
        QTest::newRow("no plan") << history << QByteArray("Faux") << QString();
    }
    void window()
    {
        QFETCH(QByteArray, history);
        QFETCH(QByteArray, forfait);
        QFETCH(QString, text);
        TempAppFolder app;
        app.writeBytes(QStringLiteral("historique.csv"), history);
        app.writeBytes(QStringLiteral("config.ini"),
            settingsRecord(1, "forfait", forfait) + settingsRecord(2, "cpt_mois", "10000")
                + settingsRecord(3, "cpt_limite", "36000") + settingsRecord(4, "date_raz", "01/12/2026"));
        const QDate today(2026, 12, 6); // a Sunday; the period runs from 2 December

        GraphWindow window(usageReportForFolder(app.path(), today), today);
        window.show();
        const bool empty = !history.contains("2026-");
        const auto* label = window.findChild<QLabel*>(empty ? "txt_vide" : "txt_prevision");
        QVERIFY2(label ? !text.isEmpty() && label->text().startsWith(text) : text.isEmpty(),
            qPrintable(label ? label->text() : QStringLiteral("no label")));
        for (const char* name : { "graph_jours", "graph_mois" }) {
            QWidget* chart = window.findChild<QWidget*>(name);
            QCOMPARE(chart != nullptr, !empty);
            const QImage image
                = chart ? chart->grab().toImage().convertToFormat(QImage::Format_RGB32) : QImage();
            const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
            QCOMPARE(std::count(pixels, pixels + image.width() * image.height(), qRgb(0xc0, 0x20, 0x20)) > 0,
                !empty && forfait == "Vrai");
        }
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestGraphWindow)
#include "test_graph_window.moc"
