#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace chronolien::test {

// A fresh, empty application folder that disappears with the test.
class TempAppFolder {
public:
    TempAppFolder();
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    QByteArray readBytes(const QString& name) const;
    void writeBytes(const QString& name, const QByteArray& bytes) const;
    bool exists(const QString& name) const;
    // Copies a whole folder (the built application folder) into this one.
    bool copyFrom(const QString& folder) const;

private:
    QTemporaryDir m_dir;
};

} // namespace chronolien::test
