// The least a tray program does: an icon, a menu with one entry, and a timer firing every second.
// The benchmark measures it beside Chronolien under the same conditions.
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(0x12, 0x2f, 0x6b));
        p.drawEllipse(2, 2, 28, 28);
    }

    QMenu menu;
    QObject::connect(menu.addAction(QStringLiteral("Quit")), &QAction::triggered, &app, &QApplication::quit);
    QSystemTrayIcon tray { QIcon(pixmap) };
    tray.setToolTip(QStringLiteral("Baseline"));
    tray.setContextMenu(&menu);
    tray.show();

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(1000);
    return app.exec();
}
