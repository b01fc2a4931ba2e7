#include "mail/mail_list_content.h"

#include "mail/mail_date.h"

namespace chronolien {

namespace {

constexpr qsizetype NameLength = 10;
constexpr qsizetype CaptionLength = 25;

QString cut(const QString& text, qsizetype length)
{
    return text.size() > length ? text.left(length) + u'.' : text;
}

} // namespace

QString mailTooltip(const MailEntry& entry)
{
    return QStringLiteral("Expediteur : ") + entry.senderName + QStringLiteral(" // Objet : ") + entry.subject
        + QStringLiteral(" // Taille : ") + mailSizeText(entry.sizeKo);
}

QString mailCaption(const MailEntry& entry)
{
    return cut(cut(entry.senderName, NameLength) + QStringLiteral(" : ") + entry.subject, CaptionLength);
}

MailListContent computeMailListContent(const MailList& list, int firstShownEntry)
{
    MailListContent content;
    const int count = qBound(0, int(list.count), MailList::Capacity);
    for (int k = 0; k < MailListContent::LineCount; ++k) {
        const int e = firstShownEntry + k;
        if (e < 1 || e > count)
            continue;
        content.lines.at(std::size_t(k)) = { mailCaption(list.entry(e)), mailTooltip(list.entry(e)) };
    }
    if (count >= 5) {
        content.scrollShown = true;
        content.scrollMinimum = 1;
        content.scrollMaximum = count - 3;
        content.scrollValue = qBound(1, firstShownEntry, count - 3);
    }
    return content;
}

MailDetail mailDetailOf(const MailEntry& entry)
{
    return { entry.senderName, entry.senderAddress, entry.recipient, entry.subject, mailDateText(entry.date),
        mailSizeText(entry.sizeKo) };
}

} // namespace chronolien
