#include "desktop_services_standin_process.h"

#include <QFile>

namespace chronolien::test {

DesktopServicesStandinProcess::DesktopServicesStandinProcess(const QStringList& options)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(CHRONOLIEN_DESKTOP_SERVICES_STANDIN),
        options + QStringList { QStringLiteral("--log"), m_dir.filePath(QStringLiteral("calls")) });
}

void DesktopServicesStandinProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    m_process.waitForFinished();
}

QStringList DesktopServicesStandinProcess::calls() const
{
    QFile log(m_dir.filePath(QStringLiteral("calls")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace chronolien::test
