#pragma once

#include "support/file_bytes.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace chronolien::test {

// A private Dovecot POP3 server on a free loopback port, in a folder of its own that goes with it.
// Users and messages may be added before or after start.
class DovecotServer {
public:
    DovecotServer();
    ~DovecotServer() { stop(); }

    // Why no server can be started on this machine; empty when one can.
    static QString unavailableReason();

    void addUser(const QString& name, const QString& password);
    // Delivers one message (LF or CR LF line ends) into the user's mailbox.
    bool addMessage(const QString& name, QByteArray message);
    // The messages now in the user's mailbox, as stored (CR LF line ends), in delivery order.
    QList<QByteArray> storedMessages(const QString& name) const;

    // A certificate, its own authority, for these names ("DNS:host" or "IP:address"; the first is also
    // the CN), and a TLS listener on a port of its own once started.
    bool makeCertificate(const QStringList& altNames);
    QString certificatePath() const { return m_dir.filePath(QStringLiteral("cert.pem")); }

    bool start();
    void stop();

    quint16 port() const { return m_port; }
    quint16 securePort() const { return m_securePort; }
    // The account's server text that reaches it: "127.0.0.1:port".
    QString serverText() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QString errorString() const { return m_error; }
    QString logPath() const { return m_dir.filePath(QStringLiteral("dovecot.log")); }

    // A loopback port on which nothing listens at the moment of the call.
    static quint16 freePort();

private:
    QString mailbox(const QString& name) const;
    bool own(const QString& path) const;

    QTemporaryDir m_dir;
    QProcess m_process;
    QByteArray m_users;
    QByteArray m_owner; // of the mailboxes, and the server's internal user
    uint m_mailUid = 0;
    uint m_mailGid = 0;
    quint16 m_port = 0;
    quint16 m_securePort = 0;
    bool m_tls = false;
    int m_delivered = 0;
    QString m_error;
};

} // namespace chronolien::test
