#pragma once

#include "mail/pop3_endpoint.h"
#include "platform/stream_socket.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

namespace chronolien {

// One POP3 connection, plain or inside TLS, as the mail dialogues use it, over a stream socket
// made at its first opening. Every attempt starts from a connection of its own: nothing of a failed
// attempt (a host that did not resolve, a refusal) reaches the next one, and no connection exists
// between checks.
//
// The connection binds its local port, connects, and reports when the dialogue may begin. Over TLS
// that is only once the server's certificate has been verified against the trusted authorities
// and the host name, so that nothing the dialogue sends, USER and PASS above all, can reach an
// unverified server. The trusted authorities are the system's and the PEM certificates of a
// folder the user fills for servers of their own.
//
// Errors are delivered from the event loop, where the dialogue may close and reopen the
// connection; an error of a connection closed since is dropped.
class Pop3Connection final : public QObject, private StreamSocket::Listener {
    Q_OBJECT

public:
    // replyLimit: how long the connection waits for the server's next bytes before it reports the
    // server silent.
    Pop3Connection(
        StreamSocketMaker& sockets, std::chrono::milliseconds replyLimit, QObject* parent = nullptr);
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
    bool isReady() const { return m_socket && m_socket->isReady(); }
    // An attempt is under way.
    bool isOpen() const { return m_socket && m_socket->isOpen(); }

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
    void socketActive() override;
    void socketReady() override;
    void socketReceived(const QByteArray& bytes) override;
    void socketFailed(StreamSocket::Failure failure, int code, const QString& description) override;
    void socketRefused(StreamSocket::Refusal refusal, const QString& detail) override;
    void postFailure(int number, const QString& description);
    void postRefusal(const QString& reason);

    StreamSocketMaker& m_sockets;
    std::unique_ptr<StreamSocket> m_socket; // made at the first opening
    QTimer m_replyTimer;
    quint16 m_localPort = 0;
    quint64 m_generation = 0;
    bool m_refused = false;
};

} // namespace chronolien
