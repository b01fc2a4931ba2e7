#pragma once

#include <QLockFile>
#include <QString>

namespace chronolien {

// One running program per application folder: a lock file in the user's runtime folder, named
// from the folder, held for the life of the process. A crashed instance leaves no stuck lock.
class InstanceLock {
public:
    explicit InstanceLock(const QString& appFolder);

    // True when this process now holds the lock. False only when another running instance holds
    // it: a runtime folder that cannot hold the lock does not keep the program from running.
    bool tryLock();

    const QString& path() const { return m_path; }

    // The lock's path for an application folder; two paths to the same folder give the same lock.
    static QString lockPath(const QString& appFolder);

private:
    QString m_path;
    QLockFile m_lock;
};

} // namespace chronolien
