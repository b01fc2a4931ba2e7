// The least a tray program with a small window on screen does: the icon, menu and one-second timer
// of tray_baseline.cpp, and a borderless always-on-top window whose two labels change every second.
// The benchmark measures it beside Chronolien showing its floating and counter windows.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

QString clockText(int seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

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

    QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setGeometry(300, 40, 121, 57);
    QLabel first(&window);
    first.setGeometry(8, 6, 88, 24);
    QLabel second(&window);
    second.setGeometry(8, 36, 88, 16);
    window.show();

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        first.setText(clockText(ticks));
        second.setText(clockText(ticks * 2));
    });
    timer.start(1000);
    return app.exec();
}
