#include "graph/graph_window.h"
#include "history/usage_report.h"

#include <QApplication>
#include <QDate>

// The graph of the connection history, opened from the tray menu. It reads historique.csv and
// config.ini beside itself and writes nothing.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QDate today = QDate::currentDate();
    chronolien::GraphWindow window(
        chronolien::usageReportForFolder(QCoreApplication::applicationDirPath(), today), today);
    window.show();
    return app.exec();
}
