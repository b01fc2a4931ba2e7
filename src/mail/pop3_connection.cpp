#include "mail/pop3_connection.h"

#include "mail/socket_error_numbers.h"
#include "settings/data_file.h"

#include <QDir>
#include <QHostAddress>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpSocket>

namespace chronolien {

namespace {

// Bounds what Qt reads ahead of the dialogue; the dialogue bounds each reply itself.
constexpr qint64 ReadBufferSize = 64 * 1024;
// A certificate file larger than this is no certificate of the user's.
constexpr qint64 MaxCertificateFile = 1024 * 1024;

// Counts the socket's own signals being handled, during which the socket must outlive the close.
struct InSocketSignal {
    explicit InSocketSignal(int& depth)
        : m_depth(++depth)
    {
    }
    ~InSocketSignal() { --m_depth; }
    int& m_depth;
};

// The PEM certificates of the regular files of the folder, in name order.
QList<QSslCertificate> certificatesIn(const QString& folder)
{
    QList<QSslCertificate> certificates;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names)
        certificates
            += QSslCertificate::fromData(readDataFile(folder + u'/' + name, MaxCertificateFile), QSsl::Pem);
    return certificates;
}

} // namespace

Pop3Connection::Pop3Connection(std::chrono::milliseconds replyLimit, QObject* parent)
    : QObject(parent)
{
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setTimerType(Qt::PreciseTimer);
    m_replyTimer.setInterval(replyLimit);
    connect(&m_replyTimer, &QTimer::timeout, this, &Pop3Connection::silent);
}

Pop3Connection::~Pop3Connection()
{
    close();
}

QTcpSocket* Pop3Connection::makeSocket(const Pop3Endpoint& endpoint, const QString& certificateFolder)
{
    if (!endpoint.secure)
        return new QTcpSocket(this);
    auto* socket = new QSslSocket(this);
    const QList<QSslCertificate> own = certificatesIn(certificateFolder);
    if (!own.isEmpty()) {
        QSslConfiguration configuration = socket->sslConfiguration();
        configuration.setCaCertificates(QSslConfiguration::systemCaCertificates() + own);
        socket->setSslConfiguration(configuration);
    }
    // The certificate is always verified; a failure is never ignored.
    socket->setPeerVerifyMode(QSslSocket::VerifyPeer);
    connect(socket, &QSslSocket::encrypted, this, [this] {
        const InSocketSignal scope(m_inSocketSignal);
        m_replyTimer.start();
        Q_EMIT ready();
    });
    connect(socket, &QSslSocket::sslErrors, this, [this](const QList<QSslError>& errors) {
        for (const QSslError& error : errors)
            m_certificateErrors.append(error.errorString());
    });
    return socket;
}

void Pop3Connection::open(const Pop3Endpoint& endpoint, const QString& certificateFolder)
{
    close();
    if (endpoint.secure && !QSslSocket::supportsSsl()) {
        postRefusal(QStringLiteral("TLS n'est pas disponible sur ce système"));
        return;
    }
    QTcpSocket* socket = makeSocket(endpoint, certificateFolder);
    socket->setReadBufferSize(ReadBufferSize);
    if (!socket->bind(QHostAddress::Any, m_localPort)) {
        const QAbstractSocket::SocketError error = socket->error();
        const QString description = socket->errorString();
        delete socket;
        postFailure(socketErrorNumber(error), description);
        return;
    }
    m_socket = socket;
    m_secureSocket = endpoint.secure ? static_cast<QSslSocket*>(socket) : nullptr;
    connect(socket, &QAbstractSocket::connected, this, [this] {
        const InSocketSignal scope(m_inSocketSignal);
        m_tcpConnected = true;
        m_replyTimer.start();
        if (!m_secureSocket)
            Q_EMIT ready();
    });
    connect(socket, &QAbstractSocket::readyRead, this, [this] {
        const InSocketSignal scope(m_inSocketSignal);
        m_replyTimer.start();
        if (isReady())
            Q_EMIT received(m_socket->readAll());
    });
    connect(socket, &QAbstractSocket::errorOccurred, this, &Pop3Connection::onError);
    m_replyTimer.start();
    if (m_secureSocket)
        m_secureSocket->connectToHostEncrypted(endpoint.host, endpoint.port);
    else
        socket->connectToHost(endpoint.host, endpoint.port);
}

void Pop3Connection::close()
{
    ++m_generation;
    m_tcpConnected = false;
    m_refused = false;
    m_certificateErrors.clear();
    m_replyTimer.stop();
    if (!m_socket)
        return;
    // The socket goes at once, and with it its local port, which the next attempt binds again; a
    // close from one of the socket's own signals lets that signal return first.
    m_socket->disconnect(this);
    m_socket->abort();
    if (m_inSocketSignal > 0)
        m_socket->deleteLater();
    else
        delete m_socket;
    m_socket = nullptr;
    m_secureSocket = nullptr;
}

void Pop3Connection::send(const QByteArray& bytes)
{
    if (isReady())
        m_socket->write(bytes);
}

bool Pop3Connection::isReady() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState
        && (!m_secureSocket || m_secureSocket->isEncrypted());
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
    if (m_secureSocket && m_tcpConnected && !m_secureSocket->isEncrypted()) {
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
