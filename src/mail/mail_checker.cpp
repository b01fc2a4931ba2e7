#include "mail/mail_checker.h"

#include "mail/pop3_connection.h"

#include <QRandomGenerator>

namespace chronolien {

MailChecker::MailChecker(AppState& state, SoundPlayer& sound, MessageBox& messages, MailListEvents& events,
    quint16 firstLocalPort, QList<QSslCertificate> trustedAuthorities, QObject* parent)
    : QObject(parent)
    , m_dialogue(
          state, sound, messages, *this, events, [] { return QRandomGenerator::global()->generateDouble(); })
{
    for (int i = 0; i < 5; ++i) {
        auto* socket = new Pop3Connection(trustedAuthorities, this);
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
    m_sockets.at(std::size_t(i))->open(endpoint);
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
