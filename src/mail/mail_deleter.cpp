#include "mail/mail_deleter.h"

#include "mail/mail_checker.h"

#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpSocket>

namespace chronolien {

namespace {

// Bounds what Qt reads ahead of the dialogue; the dialogue bounds each reply itself.
constexpr qint64 ReadBufferSize = 64 * 1024;

} // namespace

MailDeleter::MailDeleter(AppState& state, MailCheckStarter& checks, quint16 localPort, QObject* parent)
    : QObject(parent)
    , supr_pop(new QTcpSocket(this))
    , m_localPort(localPort)
    , m_dialogue(state, *this, checks, [] { return QRandomGenerator::global()->generateDouble(); })
{
    supr_pop->setObjectName(QStringLiteral("supr_pop"));
    supr_pop->setReadBufferSize(ReadBufferSize);
    connect(supr_pop, &QTcpSocket::readyRead, this, [this] { m_dialogue.DataArrival(supr_pop->readAll()); });
    connect(supr_pop, &QTcpSocket::errorOccurred, this, &MailDeleter::onError);
}

MailDeleter::~MailDeleter()
{
    closeSocket();
}

void MailDeleter::StartDeletion(const DeletionTarget& target)
{
    m_dialogue.StartDeletion(target);
}

void MailDeleter::closeSocket()
{
    ++m_generation;
    supr_pop->abort();
}

void MailDeleter::setLocalPort(quint16 port)
{
    m_localPort = port;
}

void MailDeleter::connectSocket(const QString& host, quint16 port)
{
    m_binding = true;
    const bool bound = supr_pop->bind(QHostAddress::Any, m_localPort);
    m_binding = false;
    if (!bound) {
        const QAbstractSocket::SocketError error = supr_pop->error();
        const QString description = supr_pop->errorString();
        supr_pop->abort();
        postError(MailChecker::SocketErrorNumber(error), description);
        return;
    }
    supr_pop->connectToHost(host, port);
}

void MailDeleter::send(const QByteArray& bytes)
{
    supr_pop->write(bytes);
}

bool MailDeleter::isConnected() const
{
    return supr_pop->state() == QAbstractSocket::ConnectedState;
}

void MailDeleter::onError(QAbstractSocket::SocketError error)
{
    // The server closing the connection after QUIT is no error.
    if (m_binding || error == QAbstractSocket::RemoteHostClosedError)
        return;
    postError(MailChecker::SocketErrorNumber(error), supr_pop->errorString());
}

void MailDeleter::postError(int number, const QString& description)
{
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, number, description, generation] {
            if (generation == m_generation)
                m_dialogue.SocketError(number, description);
        },
        Qt::QueuedConnection);
}

} // namespace chronolien
