#include "support/dovecot_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace chronolien::test {

namespace {

QString dovecotProgram()
{
    return QStandardPaths::findExecutable(
        QStringLiteral("dovecot"), qEnvironmentVariable("PATH").split(u':') << QStringLiteral("/usr/sbin"));
}

bool listening(quint16 port)
{
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    return probe.waitForConnected(200);
}

} // namespace

DovecotServer::DovecotServer()
    : m_dir(QDir::tempPath() + QStringLiteral("/chronolien-dovecot-XXXXXX"))
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // Dovecot refuses root for its mailboxes: root's server keeps them as the dovecot user.
    if (const passwd* pw = ::geteuid() == 0 ? ::getpwnam("dovecot") : ::getpwuid(::geteuid())) {
        m_owner = pw->pw_name;
        m_mailUid = pw->pw_uid;
        m_mailGid = pw->pw_gid;
    }
}

QString DovecotServer::unavailableReason()
{
    if (dovecotProgram().isEmpty())
        return QStringLiteral("dovecot is not installed (Debian packages dovecot-core, dovecot-pop3d)");
    if (!QFile::exists(QStringLiteral("/usr/lib/dovecot/pop3")))
        return QStringLiteral("dovecot's POP3 server is not installed (Debian package dovecot-pop3d)");
    if (::geteuid() == 0 && (::getpwnam("dovecot") == nullptr || ::getpwnam("dovenull") == nullptr))
        return QStringLiteral("the dovecot and dovenull system users are missing");
    return {};
}

quint16 DovecotServer::freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool DovecotServer::makeCertificate(const QStringList& altNames)
{
    const QString key = m_dir.filePath(QStringLiteral("key.pem"));
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
        QStringLiteral("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 30")
                .split(u' ')
            + QStringList { "-subj", "/CN=" + altNames.value(0).section(u':', 1), "-addext",
                "subjectAltName=" + altNames.join(u','), "-keyout", key, "-out", certificatePath() });
    if (!openssl.waitForFinished(20000) || openssl.exitStatus() != QProcess::NormalExit
        || openssl.exitCode() != 0) {
        m_error = "openssl could not make a certificate: " + openssl.readAll() + openssl.errorString();
        return false;
    }
    const QString tls
        = QStringLiteral("ssl = yes\nssl_cert = <%1\nssl_key = <%2\n").arg(certificatePath(), key);
    m_tls = writeFileBytes(m_dir.filePath(QStringLiteral("tls.conf")), tls.toUtf8());
    return m_tls;
}

void DovecotServer::addUser(const QString& name, const QString& password)
{
    m_users += name.toUtf8() + ":{PLAIN}" + password.toUtf8() + '\n';
    writeFileBytes(m_dir.filePath(QStringLiteral("users")), m_users);
    mailbox(name);
}

bool DovecotServer::own(const QString& path) const
{
    return ::geteuid() != 0 || ::chown(QFile::encodeName(path).constData(), m_mailUid, m_mailGid) == 0;
}

// The user's Maildir, made and handed to the mailboxes' owner when missing; empty when it cannot be.
QString DovecotServer::mailbox(const QString& name) const
{
    const QString maildir = m_dir.filePath(QStringLiteral("mail/%1/Maildir").arg(name));
    for (const QString& folder : { m_dir.filePath(QStringLiteral("mail")), QFileInfo(maildir).path(), maildir,
             maildir + "/cur", maildir + "/new", maildir + "/tmp" }) {
        if (!QDir().mkpath(folder) || !own(folder))
            return {};
    }
    return maildir;
}

bool DovecotServer::addMessage(const QString& name, QByteArray message)
{
    const QString maildir = mailbox(name);
    const QString file = QStringLiteral("%1.chronolien").arg(1000000 + m_delivered++);
    message.replace("\r\n", "\n").replace("\n", "\r\n");
    // Delivered as a mail server delivers: written into tmp/, then moved into new/ whole.
    return !maildir.isEmpty() && writeFileBytes(maildir + "/tmp/" + file, message)
        && own(maildir + "/tmp/" + file) && QFile::rename(maildir + "/tmp/" + file, maildir + "/new/" + file);
}

QList<QByteArray> DovecotServer::storedMessages(const QString& name) const
{
    // The server moves delivered files from new/ to cur/ and adds flags to their names; the
    // names' leading delivery number keeps the order.
    const QString maildir = mailbox(name);
    QStringList files;
    for (const QString& sub : { QStringLiteral("new/"), QStringLiteral("cur/") }) {
        for (const QString& file : QDir(maildir + u'/' + sub).entryList(QDir::Files))
            files.append(sub + file);
    }
    std::sort(
        files.begin(), files.end(), [](const QString& a, const QString& b) { return a.mid(4) < b.mid(4); });
    QList<QByteArray> messages;
    for (const QString& file : files)
        messages.append(readFileBytes(maildir + u'/' + file));
    return messages;
}

bool DovecotServer::start()
{
    m_port = freePort();
    do
        m_securePort = m_tls ? freePort() : 0;
    while (m_tls && m_securePort == m_port);
    const QByteArray config = readFileBytes(QStringLiteral(CHRONOLIEN_DOVECOT_TEMPLATE));
    const group* gr = ::getgrgid(m_mailGid);
    if (!m_dir.isValid() || m_owner.isEmpty() || gr == nullptr || m_port == 0 || config.isEmpty()) {
        m_error = QStringLiteral("no folder, port, template or mailbox owner for the server");
        return false;
    }
    const bool root = ::geteuid() == 0;
    const QList<std::pair<QByteArray, QByteArray>> fields { { "@D@", QFile::encodeName(m_dir.path()) },
        { "@PORT@", QByteArray::number(m_port) }, { "@SPORT@", QByteArray::number(m_securePort) },
        { "@LOGINUSER@", root ? QByteArray("dovenull") : m_owner }, { "@INTERNALUSER@", m_owner },
        { "@INTERNALGROUP@", gr->gr_name }, { "@MAILUID@", QByteArray::number(m_mailUid) },
        { "@MAILGID@", QByteArray::number(m_mailGid) } };
    QByteArray filled = config;
    for (const auto& [field, value] : fields)
        filled.replace(field, value);
    // The server's own processes run as its unprivileged users: they must reach the folder.
    if (!writeFileBytes(m_dir.filePath(QStringLiteral("dovecot.conf")), filled)
        || !writeFileBytes(m_dir.filePath(QStringLiteral("users")), m_users)
        || ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) != 0
        || ::chmod(QFile::encodeName(m_dir.filePath(QStringLiteral("users"))).constData(), 0644) != 0) {
        m_error = QStringLiteral("cannot write the server's configuration");
        return false;
    }
    m_process.start(dovecotProgram(), { "-F", "-c", m_dir.filePath(QStringLiteral("dovecot.conf")) });
    if (!m_process.waitForStarted(5000)) {
        m_error = "dovecot did not start: " + m_process.errorString();
        return false;
    }
    // Ready once its ports take connections.
    for (const QDeadlineTimer deadline(10000); !deadline.hasExpired(); QThread::msleep(20)) {
        if (m_process.state() != QProcess::Running) {
            m_error = "dovecot stopped: " + m_process.readAll() + readFileBytes(logPath());
            return false;
        }
        if (listening(m_port) && (!m_tls || listening(m_securePort)))
            return true;
    }
    m_error = "dovecot did not listen on its port: " + readFileBytes(logPath());
    stop();
    return false;
}

void DovecotServer::stop()
{
    m_process.terminate();
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(2000);
}

} // namespace chronolien::test
