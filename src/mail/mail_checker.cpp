#include "mail/mail_checker.h"

#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpSocket>

namespace chronolien {

namespace {

// Bounds what Qt reads ahead of the dialogue; the dialogue bounds each reply itself.
constexpr qint64 ReadBufferSize = 64 * 1024;

} // namespace

MailChecker::MailChecker(AppState& state, SoundPlayer& sound, MessageBox& messages,
                         MailListEvents& events, quint16 firstLocalPort, QObject* parent)
    : QObject(parent)
    , m_dialogue(state, sound, messages, *this, events,
                 [] { return QRandomGenerator::global()->generateDouble(); })
{
    for (int i = 0; i < 5; ++i) {
        auto* socket = new QTcpSocket(this);
        socket->setReadBufferSize(ReadBufferSize);
        m_sockets.at(std::size_t(i)) = socket;
        m_localPorts.at(std::size_t(i)) = firstLocalPort == 0 ? 0 : quint16(firstLocalPort + i);
        connect(socket, &QTcpSocket::connected, this, [this, i] { m_dialogue.Connected(i); });
        connect(socket, &QTcpSocket::readyRead, this, [this, i, socket] {
            m_dialogue.DataArrival(i, socket->readAll());
        });
        connect(socket, &QTcpSocket::errorOccurred, this,
                [this, i](QAbstractSocket::SocketError error) { onError(i, error); });
    }
}

MailChecker::~MailChecker()
{
    CloseAll();
}

void MailChecker::StartMailCheck()
{
    m_dialogue.StartMailCheck();
}

void MailChecker::ConnectAccount(int n)
{
    m_dialogue.ConnectAccount(n);
}

void MailChecker::CloseAll()
{
    for (int i = 0; i < 5; ++i)
        closeSocket(i);
}

int MailChecker::SocketErrorNumber(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return ErrorHostNotFound;
    case QAbstractSocket::ConnectionRefusedError:
        return ErrorConnectionRefused;
    case QAbstractSocket::AddressInUseError:
        return ErrorAddressInUse;
    default:
        return int(error); // Qt's own number; none of them is one the dialogue acts on
    }
}

void MailChecker::closeSocket(int i)
{
    ++m_generation.at(std::size_t(i));
    m_sockets.at(std::size_t(i))->abort();
}

void MailChecker::setLocalPort(int i, quint16 port)
{
    m_localPorts.at(std::size_t(i)) = port;
}

void MailChecker::connectSocket(int i, const QString& host, quint16 port)
{
    QTcpSocket* socket = m_sockets.at(std::size_t(i));
    m_binding = true;
    const bool bound = socket->bind(QHostAddress::Any, m_localPorts.at(std::size_t(i)));
    m_binding = false;
    if (!bound) {
        const QAbstractSocket::SocketError error = socket->error();
        const QString description = socket->errorString();
        socket->abort();
        postError(i, SocketErrorNumber(error), description);
        return;
    }
    socket->connectToHost(host, port);
}

void MailChecker::send(int i, const QByteArray& bytes)
{
    m_sockets.at(std::size_t(i))->write(bytes);
}

bool MailChecker::isConnected(int i) const
{
    return m_sockets.at(std::size_t(i))->state() == QAbstractSocket::ConnectedState;
}

void MailChecker::onError(int i, QAbstractSocket::SocketError error)
{
    // A failed bind is reported by connectSocket; the server closing the connection is no error
    // for the dialogue, which leaves the account as it is.
    if (m_binding || error == QAbstractSocket::RemoteHostClosedError)
        return;
    postError(i, SocketErrorNumber(error), m_sockets.at(std::size_t(i))->errorString());
}

void MailChecker::postError(int i, int number, const QString& description)
{
    const quint64 generation = m_generation.at(std::size_t(i));
    QMetaObject::invokeMethod(
        this,
        [this, i, number, description, generation] {
            if (generation == m_generation.at(std::size_t(i)))
                m_dialogue.SocketError(i, number, description);
        },
        Qt::QueuedConnection);
}

} // namespace chronolien
