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
#include <unistd.h>

namespace chronolien::test {

namespace {

QString dovecotProgram()
{
    QString path = QStandardPaths::findExecutable(QStringLiteral("dovecot"));
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(
            QStringLiteral("dovecot"), { QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin") });
    return path;
}

QString userName(uid_t uid)
{
    const passwd* pw = ::getpwuid(uid);
    return pw != nullptr ? QString::fromLocal8Bit(pw->pw_name) : QString();
}

QString groupName(gid_t gid)
{
    const group* gr = ::getgrgid(gid);
    return gr != nullptr ? QString::fromLocal8Bit(gr->gr_name) : QString();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

DovecotServer::DovecotServer()
    : m_dir(QDir::tempPath() + QStringLiteral("/chronolien-dovecot-XXXXXX"))
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    if (::geteuid() == 0) {
        // Dovecot refuses root for its mailboxes and login processes.
        const passwd* pw = ::getpwnam("dovecot");
        if (pw != nullptr) {
            m_mailUid = int(pw->pw_uid);
            m_mailGid = int(pw->pw_gid);
        }
    } else {
        m_mailUid = int(::geteuid());
        m_mailGid = int(::getegid());
    }
}

DovecotServer::~DovecotServer()
{
    stop();
}

QString DovecotServer::unavailableReason()
{
    if (dovecotProgram().isEmpty())
        return QStringLiteral("dovecot is not installed (Debian packages dovecot-core, dovecot-pop3d)");
    if (!QFile::exists(QStringLiteral("/usr/lib/dovecot/pop3"))
        && !QFile::exists(QStringLiteral("/usr/libexec/dovecot/pop3")))
        return QStringLiteral("dovecot's POP3 server is not installed (Debian package dovecot-pop3d)");
    if (::geteuid() == 0 && (::getpwnam("dovecot") == nullptr || ::getpwnam("dovenull") == nullptr))
        return QStringLiteral("the dovecot and dovenull system users are missing");
    return {};
}

quint16 DovecotServer::freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

QString DovecotServer::serverText() const
{
    return QStringLiteral("127.0.0.1:") + QString::number(m_port);
}

QString DovecotServer::secureServerText() const
{
    return QStringLiteral("pop3s://127.0.0.1:") + QString::number(m_securePort);
}

QString DovecotServer::certificatePath() const
{
    return m_dir.filePath(QStringLiteral("cert.pem"));
}

bool DovecotServer::makeCertificate(const QStringList& altNames)
{
    if (!m_dir.isValid() || altNames.isEmpty())
        return false;
    const QString commonName = altNames.first().section(u':', 1);
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
        { QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
            QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"),
            QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("30"), QStringLiteral("-subj"),
            QStringLiteral("/CN=") + commonName, QStringLiteral("-addext"),
            QStringLiteral("subjectAltName=") + altNames.join(u','), QStringLiteral("-keyout"),
            m_dir.filePath(QStringLiteral("key.pem")), QStringLiteral("-out"), certificatePath() });
    if (!openssl.waitForFinished(20000) || openssl.exitStatus() != QProcess::NormalExit
        || openssl.exitCode() != 0) {
        m_error = QStringLiteral("openssl could not make a certificate: ")
            + QString::fromLocal8Bit(openssl.readAll()) + openssl.errorString();
        return false;
    }
    const QString tls = QStringLiteral("ssl = yes\nssl_cert = <%1\nssl_key = <%2\n")
                            .arg(certificatePath(), m_dir.filePath(QStringLiteral("key.pem")));
    m_tls = writeFile(m_dir.filePath(QStringLiteral("tls.conf")), tls.toUtf8());
    return m_tls;
}

void DovecotServer::addUser(const QString& name, const QString& password)
{
    m_users += name.toUtf8() + ":{PLAIN}" + password.toUtf8() + '\n';
    if (m_dir.isValid())
        writeFile(m_dir.filePath(QStringLiteral("users")), m_users);
    prepareMailbox(name);
}

bool DovecotServer::prepareMailbox(const QString& name)
{
    const QString base = m_dir.filePath(QStringLiteral("mail/") + name);
    const QString maildir = base + QStringLiteral("/Maildir");
    for (const char* sub : { "cur", "new", "tmp" }) {
        if (!QDir().mkpath(maildir + u'/' + QLatin1String(sub)))
            return false;
    }
    if (::geteuid() == 0) {
        for (const QString& path :
            { m_dir.filePath(QStringLiteral("mail")), base, maildir, maildir + QStringLiteral("/cur"),
                maildir + QStringLiteral("/new"), maildir + QStringLiteral("/tmp") }) {
            if (::chown(QFile::encodeName(path).constData(), uid_t(m_mailUid), gid_t(m_mailGid)) != 0)
                return false;
        }
    }
    return true;
}

bool DovecotServer::addMessage(const QString& name, QByteArray message)
{
    if (!prepareMailbox(name))
        return false;
    message.replace("\r\n", "\n");
    message.replace("\n", "\r\n");
    const QString maildir = m_dir.filePath(QStringLiteral("mail/") + name + QStringLiteral("/Maildir"));
    const QString file
        = QStringLiteral("%1.M%2P%3.chronolien").arg(1000000 + m_delivered).arg(m_delivered).arg(::getpid());
    ++m_delivered;
    const QString tmp = maildir + QStringLiteral("/tmp/") + file;
    if (!writeFile(tmp, message))
        return false;
    if (::geteuid() == 0
        && ::chown(QFile::encodeName(tmp).constData(), uid_t(m_mailUid), gid_t(m_mailGid)) != 0)
        return false;
    return QFile::rename(tmp, maildir + QStringLiteral("/new/") + file);
}

QList<QByteArray> DovecotServer::storedMessages(const QString& name) const
{
    // The server moves delivered files from new/ to cur/ and adds flags to their names; the
    // names' leading delivery number keeps the order.
    const QString maildir = m_dir.filePath(QStringLiteral("mail/") + name + QStringLiteral("/Maildir"));
    QStringList paths;
    for (const char* sub : { "new", "cur" }) {
        const QDir folder(maildir + u'/' + QLatin1String(sub));
        for (const QString& file : folder.entryList(QDir::Files))
            paths.append(folder.filePath(file));
    }
    std::sort(paths.begin(), paths.end(),
        [](const QString& a, const QString& b) { return QFileInfo(a).fileName() < QFileInfo(b).fileName(); });
    QList<QByteArray> messages;
    for (const QString& path : paths) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            messages.append(file.readAll());
    }
    return messages;
}

bool DovecotServer::writeConfig()
{
    QFile templateFile(QStringLiteral(CHRONOLIEN_DOVECOT_TEMPLATE));
    if (!templateFile.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read ") + templateFile.fileName();
        return false;
    }
    const bool root = ::geteuid() == 0;
    const QString me = userName(::geteuid());
    const QString myGroup = groupName(::getegid());
    QString config = QString::fromUtf8(templateFile.readAll());
    config.replace(QStringLiteral("@D@"), m_dir.path());
    config.replace(QStringLiteral("@PORT@"), QString::number(m_port));
    config.replace(QStringLiteral("@SPORT@"), QString::number(m_securePort));
    config.replace(QStringLiteral("@LOGINUSER@"), root ? QStringLiteral("dovenull") : me);
    config.replace(QStringLiteral("@INTERNALUSER@"), root ? QStringLiteral("dovecot") : me);
    config.replace(QStringLiteral("@INTERNALGROUP@"), root ? QStringLiteral("dovecot") : myGroup);
    config.replace(QStringLiteral("@MAILUID@"), QString::number(m_mailUid));
    config.replace(QStringLiteral("@MAILGID@"), QString::number(m_mailGid));
    if (!writeFile(m_dir.filePath(QStringLiteral("dovecot.conf")), config.toUtf8())
        || !writeFile(m_dir.filePath(QStringLiteral("users")), m_users)) {
        m_error = QStringLiteral("cannot write the server's configuration");
        return false;
    }
    // The server's own processes run as its unprivileged users: they must reach the folder.
    QFile::setPermissions(m_dir.path(),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
            | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(m_dir.filePath(QStringLiteral("users")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return true;
}

bool DovecotServer::start()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    if (m_mailUid < 0) {
        m_error = QStringLiteral("no user to own the mailboxes");
        return false;
    }
    m_port = freePort();
    m_securePort = 0;
    for (int attempt = 0; m_tls && attempt < 5 && (m_securePort == 0 || m_securePort == m_port); ++attempt)
        m_securePort = freePort();
    if (m_port == 0 || (m_tls && (m_securePort == 0 || m_securePort == m_port)) || !writeConfig())
        return false;
    m_process.start(dovecotProgram(),
        { QStringLiteral("-F"), QStringLiteral("-c"), m_dir.filePath(QStringLiteral("dovecot.conf")) });
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("dovecot did not start: ") + m_process.errorString();
        return false;
    }
    // Ready once the port takes connections.
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running) {
            m_error
                = QStringLiteral("dovecot stopped: ") + QString::fromLocal8Bit(m_process.readAll() + log());
            return false;
        }
        const auto listening = [](quint16 port) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            const bool connected = probe.waitForConnected(200);
            probe.abort();
            return connected;
        };
        if (listening(m_port) && (!m_tls || listening(m_securePort)))
            return true;
        QThread::msleep(20);
    }
    m_error = QStringLiteral("dovecot did not listen on its port: ") + QString::fromLocal8Bit(log());
    stop();
    return false;
}

void DovecotServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

QByteArray DovecotServer::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("dovecot.log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace chronolien::test
