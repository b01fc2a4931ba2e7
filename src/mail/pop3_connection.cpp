#include "mail/pop3_connection.h"

#include "mail/socket_error_numbers.h"

#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslSocket>

namespace chronolien {

namespace {

// Bounds what Qt reads ahead of the dialogue; the dialogue bounds each reply itself.
constexpr qint64 ReadBufferSize = 64 * 1024;

} // namespace

Pop3Connection::Pop3Connection(QList<QSslCertificate> trustedAuthorities, QObject* parent)
    : QObject(parent)
    , m_socket(new QSslSocket(this))
{
    m_socket->setReadBufferSize(ReadBufferSize);
    if (!trustedAuthorities.isEmpty()) {
        QSslConfiguration configuration = m_socket->sslConfiguration();
        configuration.setCaCertificates(trustedAuthorities);
        m_socket->setSslConfiguration(configuration);
    }
    // The certificate is always verified; a failure is never ignored.
    m_socket->setPeerVerifyMode(QSslSocket::VerifyPeer);

    connect(m_socket, &QSslSocket::connected, this, [this] {
        m_tcpConnected = true;
        if (!m_secure)
            Q_EMIT ready();
    });
    connect(m_socket, &QSslSocket::encrypted, this, [this] {
        if (m_secure)
            Q_EMIT ready();
    });
    connect(m_socket, &QSslSocket::sslErrors, this, [this](const QList<QSslError>& errors) {
        for (const QSslError& error : errors)
            m_certificateErrors.append(error.errorString());
    });
    connect(m_socket, &QSslSocket::readyRead, this, [this] {
        if (isReady())
            Q_EMIT received(m_socket->readAll());
    });
    connect(m_socket, &QSslSocket::errorOccurred, this,
        [this](QAbstractSocket::SocketError error) { onError(error); });
}

Pop3Connection::~Pop3Connection()
{
    close();
}

void Pop3Connection::open(const Pop3Endpoint& endpoint)
{
    close();
    m_secure = endpoint.secure;
    if (m_secure && !QSslSocket::supportsSsl()) {
        postRefusal(QStringLiteral("TLS n'est pas disponible sur ce système"));
        return;
    }
    m_binding = true;
    const bool bound = m_socket->bind(QHostAddress::Any, m_localPort);
    m_binding = false;
    if (!bound) {
        const QAbstractSocket::SocketError error = m_socket->error();
        const QString description = m_socket->errorString();
        m_socket->abort();
        postFailure(socketErrorNumber(error), description);
        return;
    }
    if (m_secure)
        m_socket->connectToHostEncrypted(endpoint.host, endpoint.port);
    else
        m_socket->connectToHost(endpoint.host, endpoint.port);
}

void Pop3Connection::close()
{
    ++m_generation;
    m_tcpConnected = false;
    m_refused = false;
    m_certificateErrors.clear();
    m_socket->abort();
}

void Pop3Connection::send(const QByteArray& bytes)
{
    if (isReady())
        m_socket->write(bytes);
}

bool Pop3Connection::isReady() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState && (!m_secure || m_socket->isEncrypted());
}

int Pop3Connection::socketErrorNumber(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return ErrorHostNotFound;
    case QAbstractSocket::ConnectionRefusedError:
        return ErrorConnectionRefused;
    case QAbstractSocket::AddressInUseError:
        return ErrorAddressInUse;
    default:
        return int(error); // Qt's own number; none of them is one the dialogues act on
    }
}

void Pop3Connection::onError(QAbstractSocket::SocketError error)
{
    // A failed bind is reported by open.
    if (m_binding)
        return;
    if (m_secure && m_tcpConnected && !m_socket->isEncrypted()) {
        // Reached the server, but no verified TLS channel: whatever went wrong, the dialogue ends.
        if (!m_certificateErrors.isEmpty())
            postRefusal(
                QStringLiteral("certificat non vérifié : ") + m_certificateErrors.join(QStringLiteral("; ")));
        else if (error == QAbstractSocket::RemoteHostClosedError)
            postRefusal(QStringLiteral("le serveur a fermé la connexion pendant la négociation TLS"));
        else
            postRefusal(QStringLiteral("échec de la négociation TLS : ") + m_socket->errorString());
        return;
    }
    // The server closing the connection is no error for the dialogues, which leave the account
    // as it is.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    postFailure(socketErrorNumber(error), m_socket->errorString());
}

void Pop3Connection::postFailure(int number, const QString& description)
{
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, number, description, generation] {
            if (generation == m_generation)
                Q_EMIT failed(number, description);
        },
        Qt::QueuedConnection);
}

void Pop3Connection::postRefusal(const QString& reason)
{
    if (m_refused)
        return;
    m_refused = true;
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, reason, generation] {
            if (generation == m_generation)
                Q_EMIT secureChannelRefused(reason);
        },
        Qt::QueuedConnection);
}

} // namespace chronolien
