#include "app/desktop_session.h"
#include "app/instance_lock.h"
#include "app/program.h"
#include "platform/linux/widget_message_box.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const bool x11Chosen = chronolien::preferX11InWaylandSession();
    QApplication app(argc, argv);
    chronolien::settleOnDesktop(x11Chosen);
    // The program lives in the tray: closing its last window (a message box included) ends nothing.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString appFolder = QCoreApplication::applicationDirPath();
    chronolien::InstanceLock lock(appFolder);
    if (!lock.tryLock()) {
        // Before any setting is read or the tray icon is shown; the running instance is not told.
        chronolien::WidgetMessageBox messages;
        messages.show(
            QStringLiteral("Chronolien est déjà ouvert. Fermez l'application avant d'en ouvrir une autre."),
            chronolien::StyleCritical);
        return 1;
    }

    chronolien::Program program(appFolder);
    program.start();
    return app.exec();
}
