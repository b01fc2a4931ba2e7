#pragma once

#include "mail/pop3_endpoint.h"

#include <QAbstractSocket>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <chrono>

class QSslSocket;
class QTcpSocket;

namespace chronolien {

// One POP3 connection, plain or inside TLS, as the mail dialogues use it. Every attempt starts from
// a socket of its own, made when it opens and dropped when it closes: nothing of a failed attempt
// (a host that did not resolve, a refusal) reaches the next one, and no socket exists between
// checks. A plain server gets a plain TCP socket; TLS, and the libraries behind it, are loaded
// for a TLS server only.
//
// The connection binds its local port, connects, and reports when the dialogue may begin. Over TLS
// that is only once the server's certificate has been verified against the trusted authorities
// and the host name, so that nothing the dialogue sends, USER and PASS above all, can reach an
// unverified server. The trusted authorities are the system's and the PEM certificates of a
// folder the user fills for servers of their own.
//
// Errors are delivered from the event loop, where the dialogue may close and reopen the
// connection; an error of a connection closed since is dropped.
class Pop3Connection final : public QObject {
    Q_OBJECT

public:
    // replyLimit: how long the connection waits for the server's next bytes before it reports the
    // server silent.
    explicit Pop3Connection(std::chrono::milliseconds replyLimit, QObject* parent = nullptr);
    ~Pop3Connection() override;

    // The local port bound before each connection; 0 lets the system choose.
    void setLocalPort(quint16 port) { m_localPort = port; }
    quint16 localPort() const { return m_localPort; }

    // Drops any earlier connection first. certificateFolder holds the certificates trusted beside
    // the system's for a TLS server.
    void open(const Pop3Endpoint& endpoint, const QString& certificateFolder);
    void close();
    void send(const QByteArray& bytes);
    // The dialogue may run: connected, and over TLS the certificate verified.
    bool isReady() const;
    // A socket exists: an attempt is under way.
    bool isOpen() const { return m_socket != nullptr; }

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
    // Nothing came from the server for the reply limit since the connection opened or since its
    // last bytes.
    void silent();

private:
    QTcpSocket* makeSocket(const Pop3Endpoint& endpoint, const QString& certificateFolder);
    void onError(QAbstractSocket::SocketError error);
    void postFailure(int number, const QString& description);
    void postRefusal(const QString& reason);

    QTcpSocket* m_socket = nullptr;
    QSslSocket* m_secureSocket = nullptr; // the same socket when it speaks TLS
    QTimer m_replyTimer;
    quint16 m_localPort = 0;
    quint64 m_generation = 0;
    int m_inSocketSignal = 0;
    bool m_tcpConnected = false;
    bool m_refused = false;
    QStringList m_certificateErrors;
};

} // namespace chronolien
