#include "mail/mail_checker.h"

#include "mail/pop3_connection.h"
#include "state/app_state.h"

#include <QRandomGenerator>
#include <algorithm>

namespace chronolien {

MailChecker::MailChecker(AppState& state, SoundPlayer& sound, MessageBox& messages, MailListEvents& events,
    StreamSocketMaker& sockets, quint16 firstLocalPort, std::chrono::milliseconds replyLimit, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_dialogue(
          state, sound, messages, *this, events, [] { return QRandomGenerator::global()->generateDouble(); })
{
    for (int i = 0; i < 5; ++i) {
        auto* socket = new Pop3Connection(sockets, replyLimit, this);
        socket->setLocalPort(firstLocalPort == 0 ? 0 : quint16(firstLocalPort + i));
        m_sockets.at(std::size_t(i)) = socket;
        connect(socket, &Pop3Connection::ready, this, [this, i] { m_dialogue.connected(i); });
        connect(socket, &Pop3Connection::received, this,
            [this, i](const QByteArray& bytes) { m_dialogue.dataArrival(i, bytes); });
        connect(socket, &Pop3Connection::failed, this, [this, i](int number, const QString& description) {
            m_dialogue.socketError(i, number, description);
        });
        connect(socket, &Pop3Connection::secureChannelRefused, this,
            [this, i](const QString& reason) { m_dialogue.secureChannelRefused(i, reason); });
        connect(socket, &Pop3Connection::silent, this, [this, i] { m_dialogue.serverSilent(i); });
    }
}

MailChecker::~MailChecker()
{
    closeAll();
}

void MailChecker::startMailCheck()
{
    m_dialogue.startMailCheck();
}

void MailChecker::closeAll()
{
    for (int i = 0; i < 5; ++i)
        closeSocket(i);
}

quint16 MailChecker::localPort(int i) const
{
    return m_sockets.at(std::size_t(i))->localPort();
}

int MailChecker::openSockets() const
{
    return int(std::count_if(
        m_sockets.cbegin(), m_sockets.cend(), [](const Pop3Connection* socket) { return socket->isOpen(); }));
}

void MailChecker::closeSocket(int i)
{
    m_sockets.at(std::size_t(i))->close();
}

void MailChecker::setLocalPort(int i, quint16 port)
{
    m_sockets.at(std::size_t(i))->setLocalPort(port);
}

void MailChecker::connectSocket(int i, const Pop3Endpoint& endpoint)
{
    m_sockets.at(std::size_t(i))->open(endpoint, m_state.dataPath(QStringLiteral("certificats")));
}

void MailChecker::send(int i, const QByteArray& bytes)
{
    m_sockets.at(std::size_t(i))->send(bytes);
}

bool MailChecker::isConnected(int i) const
{
    return m_sockets.at(std::size_t(i))->isReady();
}

} // namespace chronolien
