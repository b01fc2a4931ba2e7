#include "mail/header_text.h"

#include "settings/win1252.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <optional>

namespace chronolien {

namespace {

std::optional<QString> decodeBytes(const QByteArray& bytes, QString charset)
{
    const qsizetype language = charset.indexOf(u'*'); // "utf-8*fr" names a language as well
    if (language >= 0)
        charset.truncate(language);
    charset = charset.toLower();
    if (charset == u"windows-1252" || charset == u"cp1252")
        return fromWin1252(bytes);
    QStringDecoder decoder(charset.toLatin1().constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

std::optional<QByteArray> decodeQ(QStringView text)
{
    QByteArray out;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c == u'_') {
            out.append(' ');
        } else if (c == u'=') {
            if (k + 2 >= text.size())
                return std::nullopt;
            const int high = hexValue(text[k + 1]);
            const int low = hexValue(text[k + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            out.append(char(high * 16 + low));
            k += 2;
        } else {
            out.append(char(c.toLatin1()));
        }
    }
    return out;
}

std::optional<QByteArray> decodeB(QStringView text)
{
    const auto result
        = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return std::nullopt;
    return *result;
}

} // namespace

QString decodeHeaderLine(const QByteArray& raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString line = utf8.decode(raw);
    if (utf8.hasError())
        line = fromWin1252(raw);
    if (!line.contains(u"=?"))
        return line;

    struct Word {
        qsizetype start;
        qsizetype end;
        QString charset;
        std::optional<QByteArray> bytes; // nothing when the encoded text is malformed
    };
    static const QRegularExpression pattern(QStringLiteral("=\\?([^?\\s]+)\\?([qQbB])\\?([^?\\s]*)\\?="));
    QList<Word> words;
    for (QRegularExpressionMatchIterator it = pattern.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const bool isQ = m.capturedView(2).compare(u"q", Qt::CaseInsensitive) == 0;
        words.append({ m.capturedStart(), m.capturedEnd(), m.captured(1),
            isQ ? decodeQ(m.capturedView(3)) : decodeB(m.capturedView(3)) });
    }
    auto onlyBlanksBetween = [&line](qsizetype from, qsizetype to) {
        return QStringView(line).mid(from, to - from).trimmed().isEmpty();
    };

    QString out;
    qsizetype copied = 0; // line[0, copied) is dealt with
    qsizetype lastWordEnd = -1; // end of the last decoded word, for the blanks between two words
    for (qsizetype k = 0; k < words.size();) {
        const Word& first = words.at(k);
        if (!first.bytes) {
            ++k;
            continue;
        }
        // Neighbouring words of one character set are one text cut in pieces, at times in the
        // middle of a character (a long subject folded over several lines): their bytes are
        // decoded together.
        qsizetype last = k;
        QByteArray bytes = *first.bytes;
        while (last + 1 < words.size() && words.at(last + 1).bytes
            && words.at(last + 1).charset.compare(first.charset, Qt::CaseInsensitive) == 0
            && onlyBlanksBetween(words.at(last).end, words.at(last + 1).start)) {
            ++last;
            bytes += *words.at(last).bytes;
        }
        std::optional<QString> text = decodeBytes(bytes, first.charset);
        if (!text && last > k) {
            last = k;
            text = decodeBytes(*first.bytes, first.charset);
        }
        if (!text) {
            ++k;
            continue;
        }
        // Blanks between two encoded words only separate them.
        if (!(lastWordEnd == copied && onlyBlanksBetween(copied, first.start)))
            out += QStringView(line).mid(copied, first.start - copied);
        out += *text;
        copied = words.at(last).end;
        lastWordEnd = copied;
        k = last + 1;
    }
    out += QStringView(line).mid(copied);
    return out;
}

} // namespace chronolien
