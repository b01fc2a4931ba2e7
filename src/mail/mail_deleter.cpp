#include "mail/mail_deleter.h"

#include "mail/pop3_connection.h"
#include "state/app_state.h"

#include <QRandomGenerator>

namespace chronolien {

MailDeleter::MailDeleter(AppState& state, StreamSocketMaker& sockets, std::function<void()> startMailCheck,
    quint16 localPort, std::chrono::milliseconds replyLimit, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_socket(new Pop3Connection(sockets, replyLimit, this))
    , m_dialogue(state, *this, std::move(startMailCheck),
          [] { return QRandomGenerator::global()->generateDouble(); })
{
    m_socket->setObjectName(QStringLiteral("supr_pop"));
    m_socket->setLocalPort(localPort);
    connect(m_socket, &Pop3Connection::received, this,
        [this](const QByteArray& bytes) { m_dialogue.dataArrival(bytes); });
    connect(m_socket, &Pop3Connection::failed, this,
        [this](int number, const QString& description) { m_dialogue.socketError(number, description); });
    connect(m_socket, &Pop3Connection::secureChannelRefused, this,
        [this](const QString& reason) { m_dialogue.secureChannelRefused(reason); });
    connect(m_socket, &Pop3Connection::silent, this, [this] { m_dialogue.serverSilent(); });
}

MailDeleter::~MailDeleter()
{
    closeSocket();
}

void MailDeleter::startDeletion(const DeletionTarget& target)
{
    m_dialogue.startDeletion(target);
}

quint16 MailDeleter::localPort() const
{
    return m_socket->localPort();
}

void MailDeleter::closeSocket()
{
    m_socket->close();
}

void MailDeleter::setLocalPort(quint16 port)
{
    m_socket->setLocalPort(port);
}

void MailDeleter::connectSocket(const Pop3Endpoint& endpoint)
{
    m_socket->open(endpoint, m_state.dataPath(QStringLiteral("certificats")));
}

void MailDeleter::send(const QByteArray& bytes)
{
    m_socket->send(bytes);
}

bool MailDeleter::isConnected() const
{
    return m_socket->isReady();
}

} // namespace chronolien
