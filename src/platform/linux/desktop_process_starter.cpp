#include "platform/linux/desktop_process_starter.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace chronolien {

bool DesktopProcessStarter::startDetached(const QString& program)
{
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

void DesktopProcessStarter::openUrl(const QString& pathOrUrl)
{
    const QUrl url
        = pathOrUrl.contains(QLatin1String("://")) || pathOrUrl.startsWith(QLatin1String("mailto:"))
        ? QUrl(pathOrUrl)
        : QUrl::fromLocalFile(pathOrUrl);
    QDesktopServices::openUrl(url);
}

} // namespace chronolien
