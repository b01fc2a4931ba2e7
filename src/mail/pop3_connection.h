#pragma once

#include "mail/pop3_endpoint.h"

#include <QAbstractSocket>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QStringList>

class QSslSocket;

namespace chronolien {

// One POP3 connection, plain or inside TLS, as the mail dialogues use it: it binds its local port,
// connects, and reports when the dialogue may begin. Over TLS that is only once the server's
// certificate has been verified against the trusted authorities and the host name, so that nothing
// the dialogue sends, USER and PASS above all, can reach an unverified server.
//
// Errors are delivered from the event loop, where the dialogue may close and reopen the
// connection; an error of a connection closed since is dropped.
class Pop3Connection final : public QObject {
    Q_OBJECT

public:
    // With no trusted authorities the system's are used; tests name their own.
    explicit Pop3Connection(QList<QSslCertificate> trustedAuthorities = {}, QObject* parent = nullptr);
    ~Pop3Connection() override;

    // The local port bound before each connection; 0 lets the system choose.
    void setLocalPort(quint16 port) { m_localPort = port; }
    quint16 localPort() const { return m_localPort; }

    // Drops any earlier connection first.
    void open(const Pop3Endpoint& endpoint);
    void close();
    void send(const QByteArray& bytes);
    // The dialogue may run: connected, and over TLS the certificate verified.
    bool isReady() const;

    // The number by which the dialogues know a socket error: host not found 11001, connection
    // refused 10061, local address in use 10048, others Qt's own.
    static int socketErrorNumber(QAbstractSocket::SocketError error);

Q_SIGNALS:
    void ready();
    void received(const QByteArray& bytes);
    void failed(int number, const QString& description);
    // TLS could not be set up: the certificate did not verify, the handshake failed, or the server
    // does not speak TLS. The connection is dropped; nothing was sent.
    void secureChannelRefused(const QString& reason);

private:
    void onError(QAbstractSocket::SocketError error);
    void postFailure(int number, const QString& description);
    void postRefusal(const QString& reason);

    QSslSocket* m_socket;
    quint16 m_localPort = 0;
    quint64 m_generation = 0;
    bool m_secure = false;
    bool m_tcpConnected = false;
    bool m_refused = false;
    bool m_binding = false;
    QStringList m_certificateErrors;
};

} // namespace chronolien
