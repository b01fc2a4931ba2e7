#include "app/desktop_session.h"

#include "app/app_log.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace chronolien {

bool preferX11InWaylandSession()
{
    const bool waylandSession = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!waylandSession || qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return false;
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    return true;
}

void settleOnDesktop(bool x11Chosen)
{
    if (x11Chosen)
        qunsetenv("QT_QPA_PLATFORM");

    // The application name, not the display name: Qt's tray items take their title from it, and a
    // display name would be appended to every window title ("Chronolien - Configuration — ...").
    QCoreApplication::setApplicationName(QStringLiteral("Chronolien"));
    QGuiApplication::setDesktopFileName(QStringLiteral("chronolien"));

    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* qtTexts = new QTranslator(QCoreApplication::instance());
    if (qtTexts->load(QStringLiteral("qtbase_fr"), folder))
        QCoreApplication::installTranslator(qtTexts);
    else
        qCWarning(lcApp).noquote() << "Qt's French texts (qtbase_fr) are not in" << folder
                                   << "- is qt6-translations-l10n installed?";
}

} // namespace chronolien
