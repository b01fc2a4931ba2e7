#pragma once

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
    ~DovecotServer();
    DovecotServer(const DovecotServer&) = delete;
    DovecotServer& operator=(const DovecotServer&) = delete;

    // Why no server can be started on this machine; empty when one can.
    static QString unavailableReason();

    void addUser(const QString& name, const QString& password);
    // Delivers one message (LF or CR LF line ends) into the user's mailbox.
    bool addMessage(const QString& name, QByteArray message);
    // The messages now in the user's mailbox, as stored (CR LF line ends), in delivery order.
    QList<QByteArray> storedMessages(const QString& name) const;

    // Gives the server a certificate, made here with openssl for the first name (CN) and all the
    // names (subject alternative names, "DNS:host" or "IP:address"), and a TLS listener on a port
    // of its own once started. The certificate is its own authority: a client trusts it by
    // trusting certificatePath().
    bool makeCertificate(const QStringList& altNames);
    QString certificatePath() const;

    bool start();
    void stop();

    quint16 port() const { return m_port; }
    quint16 securePort() const { return m_securePort; }
    // The account's server text that reaches this server: "127.0.0.1:port".
    QString serverText() const;
    // The same for the TLS listener: "pop3s://127.0.0.1:port".
    QString secureServerText() const;
    QString errorString() const { return m_error; }
    QByteArray log() const;

    // A loopback port on which nothing listens at the moment of the call.
    static quint16 freePort();

private:
    bool writeConfig();
    bool prepareMailbox(const QString& name);

    QTemporaryDir m_dir;
    QProcess m_process;
    QByteArray m_users;
    quint16 m_port = 0;
    quint16 m_securePort = 0;
    bool m_tls = false;
    int m_mailUid = -1;
    int m_mailGid = -1;
    int m_delivered = 0;
    QString m_error;
};

} // namespace chronolien::test
