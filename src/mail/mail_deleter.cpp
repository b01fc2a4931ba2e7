#include "mail/mail_deleter.h"

#include "mail/pop3_connection.h"

#include <QRandomGenerator>

namespace chronolien {

MailDeleter::MailDeleter(AppState& state, std::function<void()> startMailCheck, quint16 localPort,
    QList<QSslCertificate> trustedAuthorities, QObject* parent)
    : QObject(parent)
    , supr_pop(new Pop3Connection(std::move(trustedAuthorities), this))
    , m_dialogue(state, *this, std::move(startMailCheck),
          [] { return QRandomGenerator::global()->generateDouble(); })
{
    supr_pop->setObjectName(QStringLiteral("supr_pop"));
    supr_pop->setLocalPort(localPort);
    connect(supr_pop, &Pop3Connection::received, this,
        [this](const QByteArray& bytes) { m_dialogue.dataArrival(bytes); });
    connect(supr_pop, &Pop3Connection::failed, this,
        [this](int number, const QString& description) { m_dialogue.socketError(number, description); });
    connect(supr_pop, &Pop3Connection::secureChannelRefused, this,
        [this](const QString& reason) { m_dialogue.secureChannelRefused(reason); });
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
    return supr_pop->localPort();
}

void MailDeleter::closeSocket()
{
    supr_pop->close();
}

void MailDeleter::setLocalPort(quint16 port)
{
    supr_pop->setLocalPort(port);
}

void MailDeleter::connectSocket(const Pop3Endpoint& endpoint)
{
    supr_pop->open(endpoint);
}

void MailDeleter::send(const QByteArray& bytes)
{
    supr_pop->send(bytes);
}

bool MailDeleter::isConnected() const
{
    return supr_pop->isReady();
}

} // namespace chronolien
