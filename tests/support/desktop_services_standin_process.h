#pragma once

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace chronolien::test {

// The desktop services stand-in (desktop_services_standin.cpp), run by a test on its session bus
// with the given options and a log of its own, and stopped with the test.
class DesktopServicesStandinProcess {
public:
    explicit DesktopServicesStandinProcess(const QStringList& options)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(CHRONOLIEN_DESKTOP_SERVICES_STANDIN),
            options + QStringList { QStringLiteral("--log"), m_dir.filePath(QStringLiteral("calls")) });
    }
    ~DesktopServicesStandinProcess() { stop(); }

    void stop()
    {
        m_process.terminate();
        m_process.waitForFinished();
    }
    // The line of calls() for a notification of the program's with these texts.
    static QString notifyCall(const QString& summary, const QString& body)
    {
        return QStringLiteral("Notify\tChronolien\tchronolien\t%1\t%2").arg(summary, body);
    }
    // The calls received so far, one line each: the method's name and its texts, tab-separated.
    QStringList calls() const
    {
        QFile log(m_dir.filePath(QStringLiteral("calls")));
        log.open(QIODevice::ReadOnly);
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

} // namespace chronolien::test
