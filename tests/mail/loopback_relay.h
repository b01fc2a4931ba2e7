#pragma once

#include <QTcpServer>
#include <QTcpSocket>

namespace chronolien::test {

// Stands between the program and a server on loopback, passes every connection's bytes on and
// keeps a copy of them: what a listener on the wire would see.
class LoopbackRelay : public QObject {
public:
    struct Session {
        quint16 peerPort = 0;
        QByteArray fromClient;
        QByteArray fromServer;
    };

    explicit LoopbackRelay(quint16 serverPort)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this, serverPort] {
            QTcpSocket* client = m_server.nextPendingConnection();
            auto* upstream = new QTcpSocket(client);
            const qsizetype index = sessions.size();
            sessions.append({ client->peerPort(), {}, {} });
            connect(client, &QTcpSocket::readyRead, this, [this, client, upstream, index] {
                const QByteArray bytes = client->readAll();
                sessions[index].fromClient += bytes;
                upstream->write(bytes);
            });
            connect(upstream, &QTcpSocket::readyRead, this, [this, client, upstream, index] {
                const QByteArray bytes = upstream->readAll();
                sessions[index].fromServer += bytes;
                client->write(bytes);
            });
            connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
            connect(client, &QTcpSocket::disconnected, upstream, &QTcpSocket::disconnectFromHost);
            upstream->connectToHost(QHostAddress::LocalHost, serverPort);
        });
    }

    QString serverText(const QString& scheme = {}) const
    {
        return scheme + QStringLiteral("127.0.0.1:") + QString::number(m_server.serverPort());
    }
    QList<Session> sessions;

private:
    QTcpServer m_server;
};

} // namespace chronolien::test
