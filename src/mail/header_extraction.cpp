#include "mail/header_extraction.h"

#include "mail/header_text.h"
#include "mail/mail_date.h"
#include "mail/mail_list_events.h"

#include <QRegularExpression>

namespace chronolien {

namespace {

// Bytes of one raw line, continuations included, that are decoded: enough for 100 characters
// written as encoded words.
constexpr qsizetype MaxRawLine = 4096;
constexpr qsizetype MaxLine = 100;

QString keptLine(const QByteArray& raw)
{
    const QString line = decodeHeaderLine(raw);
    const qsizetype limit = qMin<qsizetype>(line.size(), 20);
    for (qsizetype k = 0; k < limit; ++k) {
        if (line[k] != u' ' && line[k] != u'\t')
            return line.mid(k, MaxLine);
    }
    return line.left(MaxLine);
}

// The value's first word, up to its first space.
QString firstWord(const QString& value)
{
    const qsizetype space = value.indexOf(u' ');
    return space >= 0 ? value.left(space) : value;
}

// A text that is a whole number, blanks around it allowed.
std::optional<qint64> wholeNumber(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return text.toLongLong();
}

} // namespace

QStringList cutReplyLines(const QByteArray& reply, int maxLines, bool headerBlock)
{
    QList<QByteArray> raw;
    qsizetype start = 0;
    for (qsizetype cr = reply.indexOf('\r'); cr >= 0; cr = reply.indexOf('\r', cr + 1)) {
        // The next line starts two characters on, past the line feed; two carriage returns in a
        // row give an empty line.
        const QByteArray line = start <= cr ? reply.mid(start, cr - start) : QByteArray();
        start = cr + 2;
        if (headerBlock && line.isEmpty())
            break; // the end of the header block
        // A line that begins with a blank continues the header above it (folding): the line
        // break and the blanks around it become one space.
        if (headerBlock && !raw.isEmpty() && (line.startsWith(' ') || line.startsWith('\t'))) {
            QByteArray& header = raw.last();
            const QByteArray rest = line.trimmed();
            if (!rest.isEmpty() && header.size() < MaxRawLine)
                header += ' ' + rest.left(MaxRawLine - header.size());
            continue;
        }
        if (raw.size() >= maxLines)
            break;
        raw.append(line.left(MaxRawLine));
    }
    QStringList lines;
    lines.reserve(raw.size());
    for (const QByteArray& line : raw)
        lines.append(keptLine(line));
    return lines;
}

HeaderFields readHeaderFields(const QStringList& lines)
{
    HeaderFields f;
    auto nameAndAddress = [](const QString& v, QString& address, QString& name) {
        QString a = splitAddress(2, v);
        address = cleanAddress(a);
        QString n = splitAddress(1, v);
        name = cleanAddress(n);
    };
    for (const QString& line : lines) {
        if (line.startsWith(u"+ok")) {
            const qsizetype octets = line.indexOf(u"octets");
            if (octets >= 0) {
                // The number between "+ok" and the space before "octets"; anything else is 0.
                const std::optional<qint64> n
                    = wholeNumber(QStringView(line).mid(3, qMax<qsizetype>(0, octets - 4)));
                f.taille = n && *n <= std::numeric_limits<qint32>::max() ? qint32(*n) : 0;
                f.sizeInStatus = true;
            }
        }
        if (line.startsWith(u"to: ")) {
            QString a = firstWord(line.mid(4));
            f.ad1 = cleanAddress(a);
        }
        if (line.startsWith(u"x-apparently-to: ")) {
            QString a = firstWord(line.mid(17));
            f.ad2 = cleanAddress(a);
        }
        if (line.startsWith(u"date: ")) {
            const QString normalised = normaliseMailDate(line.mid(6, 40));
            const QDateTime read = readNormalisedDate(normalised);
            f.date = read.isValid() ? read : zeroMailDate();
            if (!read.isValid())
                f.unreadableDates.append(normalised);
        }
        if (line.startsWith(u"from: "))
            nameAndAddress(line.mid(6, 100), f.ad3, f.nom2);
        if (line.startsWith(u"return-path: ")) {
            QString a = line.mid(13, 100);
            f.ad4 = cleanAddress(a);
        }
        if (line.startsWith(u"reply-to: "))
            nameAndAddress(line.mid(10, 100), f.ad5, f.nom3);
        if (line.startsWith(u"subject: "))
            f.sujet = line.mid(9, 100);
    }
    return f;
}

std::optional<MailEntry> makeMailEntry(const HeaderFields& f, int account, int messageNumber)
{
    MailEntry e;
    e.account = qint16(account);
    e.messageNumber = qint16(messageNumber);
    e.senderName = !f.nom2.isEmpty() ? f.nom2 : f.nom3;
    e.recipient = !f.ad2.isEmpty() ? f.ad2 : f.ad1;
    e.subject = f.sujet;
    e.senderAddress = !f.ad3.isEmpty() ? f.ad3 : (!f.ad4.isEmpty() ? f.ad4 : f.ad5);
    e.sizeKo = float(f.taille) / 1024.0f;
    e.date = f.date;
    if (e.senderName.isEmpty())
        e.senderName = e.senderAddress;
    if (e.senderAddress.isEmpty())
        e.senderAddress = e.senderName;
    if (e.senderName.isEmpty())
        return std::nullopt;
    return e;
}

QString splitAddress(int mode, const QString& value)
{
    const qsizetype p = value.indexOf(u'<'); // 0-based: the 1-based position is p + 1
    if (p < 0)
        return value;
    switch (mode) {
    case 1:
        // The text before the "<" without the character just before it; a name of fewer than 4
        // characters is not kept.
        return p + 1 >= 6 ? value.left(p - 1) : QString();
    case 2:
        return value.mid(p, 50);
    default:
        return {};
    }
}

QString cleanAddress(QString& text)
{
    if (text.startsWith(u'<'))
        text.remove(0, 1);
    if (text.endsWith(u'>'))
        text.chop(1);
    if (text.startsWith(u'"'))
        text.remove(0, 1);
    if (text.endsWith(u'"'))
        text.chop(1);
    return text;
}

void applyListSizes(const QByteArray& reply, int account, MailList& list, MailListEvents& events)
{
    // A listing line: the message number, one space, its size in bytes.
    static const QRegularExpression listing(QStringLiteral("^(\\d{1,5}) (\\d{1,18})$"));
    for (const QString& line : cutReplyLines(reply, MaxReplyLines, false)) {
        const QRegularExpressionMatch m = listing.match(line);
        if (!m.hasMatch())
            continue;
        const int number = m.capturedView(1).toInt();
        for (int e = 1; e <= list.count && e <= MailList::Capacity; ++e) {
            MailEntry& entry = list.entry(e);
            if (entry.account == account && entry.messageNumber == number) {
                entry.sizeKo = float(m.capturedView(2).toDouble() / 1024.0);
                events.fillMailList();
                break;
            }
        }
    }
}

} // namespace chronolien
