#include "mail/pop3_connection.h"

#include "mail/socket_error_numbers.h"
#include "settings/data_file.h"

#include <QDir>

namespace chronolien {

namespace {

// A certificate file larger than this is no certificate of the user's.
constexpr qint64 MaxCertificateFile = 1024 * 1024;

// The contents of the regular files of the folder, in name order.
QList<QByteArray> certificateFilesIn(const QString& folder)
{
    QList<QByteArray> files;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names)
        files.append(readDataFile(folder + u'/' + name, MaxCertificateFile));
    return files;
}

// The number by which the dialogues know a socket error: host not found 11001, connection refused
// 10061, local address in use 10048, others the system's own.
int socketErrorNumber(StreamSocket::Failure failure, int code)
{
    switch (failure) {
    case StreamSocket::Failure::HostNotFound:
        return ErrorHostNotFound;
    case StreamSocket::Failure::ConnectionRefused:
        return ErrorConnectionRefused;
    case StreamSocket::Failure::AddressInUse:
        return ErrorAddressInUse;
    case StreamSocket::Failure::Other:
        break;
    }
    return code; // none of them is one the dialogues act on
}

} // namespace

Pop3Connection::Pop3Connection(
    StreamSocketMaker& sockets, std::chrono::milliseconds replyLimit, QObject* parent)
    : QObject(parent)
    , m_sockets(sockets)
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

void Pop3Connection::open(const Pop3Endpoint& endpoint, const QString& certificateFolder)
{
    close();
    if (!m_socket)
        m_socket = m_sockets.makeSocket(*this);
    if (!m_socket) {
        postFailure(-1, QStringLiteral("le module réseau de Chronolien ne se charge pas"));
        return;
    }
    m_replyTimer.start();
    m_socket->open(endpoint.host, endpoint.port, endpoint.secure, m_localPort,
        endpoint.secure ? certificateFilesIn(certificateFolder) : QList<QByteArray>());
    if (!m_socket->isOpen())
        m_replyTimer.stop();
}

void Pop3Connection::close()
{
    ++m_generation;
    m_refused = false;
    m_replyTimer.stop();
    if (m_socket)
        m_socket->close();
}

void Pop3Connection::send(const QByteArray& bytes)
{
    if (m_socket)
        m_socket->send(bytes);
}

void Pop3Connection::socketActive()
{
    m_replyTimer.start();
}

void Pop3Connection::socketReady()
{
    m_replyTimer.start();
    Q_EMIT ready();
}

void Pop3Connection::socketReceived(const QByteArray& bytes)
{
    m_replyTimer.start();
    Q_EMIT received(bytes);
}

void Pop3Connection::socketFailed(StreamSocket::Failure failure, int code, const QString& description)
{
    postFailure(socketErrorNumber(failure, code), description);
}

void Pop3Connection::socketRefused(StreamSocket::Refusal refusal, const QString& detail)
{
    switch (refusal) {
    case StreamSocket::Refusal::NoTls:
        postRefusal(QStringLiteral("TLS n'est pas disponible sur ce système"));
        break;
    case StreamSocket::Refusal::CertificateNotVerified:
        postRefusal(QStringLiteral("certificat non vérifié : ") + detail);
        break;
    case StreamSocket::Refusal::ClosedDuringHandshake:
        postRefusal(QStringLiteral("le serveur a fermé la connexion pendant la négociation TLS"));
        break;
    case StreamSocket::Refusal::HandshakeFailed:
        postRefusal(QStringLiteral("échec de la négociation TLS : ") + detail);
        break;
    }
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
