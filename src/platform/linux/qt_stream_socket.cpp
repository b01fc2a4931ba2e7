// The network module, libchronolien_network.so: the only part of the program that links Qt Network.
#include "platform/linux/network_module.h"

#include <QHostAddress>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QStringList>
#include <QTcpSocket>

namespace chronolien {

namespace {

// Bounds what Qt reads ahead of the dialogue; the dialogue bounds each reply itself.
constexpr qint64 ReadBufferSize = 64 * 1024;

// Counts the socket's own signals being handled, during which the socket must outlive the close.
struct InSocketSignal {
    explicit InSocketSignal(int& depth)
        : m_depth(++depth)
    {
    }
    ~InSocketSignal() { --m_depth; }
    int& m_depth;
};

StreamSocket::Failure failureOf(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return StreamSocket::Failure::HostNotFound;
    case QAbstractSocket::ConnectionRefusedError:
        return StreamSocket::Failure::ConnectionRefused;
    case QAbstractSocket::AddressInUseError:
        return StreamSocket::Failure::AddressInUse;
    default:
        return StreamSocket::Failure::Other;
    }
}

// A plain server gets a plain TCP socket; TLS, and the libraries behind it, are loaded for a TLS
// server only.
class QtStreamSocket final : public StreamSocket {
public:
    explicit QtStreamSocket(Listener& listener)
        : m_listener(listener)
    {
    }
    ~QtStreamSocket() override { close(); }

    void open(const QString& host, quint16 port, bool secure, quint16 localPort,
        const QList<QByteArray>& extraAuthorities) override
    {
        close();
        if (secure && !QSslSocket::supportsSsl()) {
            m_listener.socketRefused(Refusal::NoTls, {});
            return;
        }
        QTcpSocket* socket = secure ? makeSecureSocket(extraAuthorities) : new QTcpSocket(&m_context);
        socket->setReadBufferSize(ReadBufferSize);
        if (!socket->bind(QHostAddress::Any, localPort)) {
            const QAbstractSocket::SocketError error = socket->error();
            const QString description = socket->errorString();
            delete socket;
            m_listener.socketFailed(failureOf(error), int(error), description);
            return;
        }
        m_socket = socket;
        m_secureSocket = secure ? static_cast<QSslSocket*>(socket) : nullptr;
        QObject::connect(socket, &QAbstractSocket::connected, &m_context, [this] {
            const InSocketSignal scope(m_inSocketSignal);
            m_tcpConnected = true;
            if (m_secureSocket)
                m_listener.socketActive();
            else
                m_listener.socketReady();
        });
        QObject::connect(socket, &QAbstractSocket::readyRead, &m_context, [this] {
            const InSocketSignal scope(m_inSocketSignal);
            if (isReady())
                m_listener.socketReceived(m_socket->readAll());
            else
                m_listener.socketActive();
        });
        QObject::connect(
            socket, &QAbstractSocket::errorOccurred, &m_context, [this](QAbstractSocket::SocketError error) {
                const InSocketSignal scope(m_inSocketSignal);
                onError(error);
            });
        if (m_secureSocket)
            m_secureSocket->connectToHostEncrypted(host, port);
        else
            socket->connectToHost(host, port);
    }

    void close() override
    {
        m_tcpConnected = false;
        m_certificateErrors.clear();
        if (!m_socket)
            return;
        // The socket goes at once, and with it its local port, which the next attempt binds again;
        // a close from one of the socket's own signals lets that signal return first.
        m_socket->disconnect(&m_context);
        m_socket->abort();
        if (m_inSocketSignal > 0)
            m_socket->deleteLater();
        else
            delete m_socket;
        m_socket = nullptr;
        m_secureSocket = nullptr;
    }

    void send(const QByteArray& bytes) override
    {
        if (isReady())
            m_socket->write(bytes);
    }

    bool isReady() const override
    {
        return m_socket && m_socket->state() == QAbstractSocket::ConnectedState
            && (!m_secureSocket || m_secureSocket->isEncrypted());
    }

    bool isOpen() const override { return m_socket != nullptr; }

private:
    QSslSocket* makeSecureSocket(const QList<QByteArray>& extraAuthorities)
    {
        auto* socket = new QSslSocket(&m_context);
        QList<QSslCertificate> own;
        for (const QByteArray& pem : extraAuthorities)
            own += QSslCertificate::fromData(pem, QSsl::Pem);
        if (!own.isEmpty()) {
            QSslConfiguration configuration = socket->sslConfiguration();
            configuration.setCaCertificates(QSslConfiguration::systemCaCertificates() + own);
            socket->setSslConfiguration(configuration);
        }
        // The certificate is always verified; a failure is never ignored.
        socket->setPeerVerifyMode(QSslSocket::VerifyPeer);
        QObject::connect(socket, &QSslSocket::encrypted, &m_context, [this] {
            const InSocketSignal scope(m_inSocketSignal);
            m_listener.socketReady();
        });
        QObject::connect(socket, &QSslSocket::sslErrors, &m_context, [this](const QList<QSslError>& errors) {
            for (const QSslError& error : errors)
                m_certificateErrors.append(error.errorString());
        });
        return socket;
    }

    void onError(QAbstractSocket::SocketError error)
    {
        if (m_secureSocket && m_tcpConnected && !m_secureSocket->isEncrypted()) {
            // Reached the server, but no verified TLS channel: whatever went wrong, the dialogue ends.
            if (!m_certificateErrors.isEmpty())
                m_listener.socketRefused(
                    Refusal::CertificateNotVerified, m_certificateErrors.join(QStringLiteral("; ")));
            else if (error == QAbstractSocket::RemoteHostClosedError)
                m_listener.socketRefused(Refusal::ClosedDuringHandshake, {});
            else
                m_listener.socketRefused(Refusal::HandshakeFailed, m_socket->errorString());
            return;
        }
        // The server closing the connection is no failure: the dialogue knows where it stands.
        if (error == QAbstractSocket::RemoteHostClosedError)
            return;
        m_listener.socketFailed(failureOf(error), int(error), m_socket->errorString());
    }

    Listener& m_listener;
    // The sockets' parent and the receiver of their signals, cut off at each close: a socket left
    // to the event loop by a close goes with it at the latest.
    QObject m_context;
    QTcpSocket* m_socket = nullptr;
    QSslSocket* m_secureSocket = nullptr; // the same socket when it speaks TLS
    int m_inSocketSignal = 0;
    bool m_tcpConnected = false;
    QStringList m_certificateErrors;
};

} // namespace

} // namespace chronolien

extern "C" Q_DECL_EXPORT chronolien::StreamSocket* chronolien_stream_socket(
    chronolien::StreamSocket::Listener& listener)
{
    return new chronolien::QtStreamSocket(listener);
}
