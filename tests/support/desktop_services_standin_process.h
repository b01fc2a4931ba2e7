#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace chronolien::test {

// The desktop services stand-in (desktop_services_standin.cpp), run by a test on its session bus
// with the given options and a log of its own, and stopped with the test.
class DesktopServicesStandinProcess {
public:
    explicit DesktopServicesStandinProcess(const QStringList& options);
    ~DesktopServicesStandinProcess() { stop(); }
    DesktopServicesStandinProcess(const DesktopServicesStandinProcess&) = delete;
    DesktopServicesStandinProcess& operator=(const DesktopServicesStandinProcess&) = delete;

    void stop();
    // The calls received so far, one line each: the method's name and its texts, tab-separated.
    QStringList calls() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

} // namespace chronolien::test
