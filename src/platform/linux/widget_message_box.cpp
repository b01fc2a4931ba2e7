#include "platform/linux/widget_message_box.h"

#include <QMessageBox>

namespace chronolien {

MessageAnswer WidgetMessageBox::show(const QString& text, MessageStyle style)
{
    if (m_open.contains(text))
        return MessageAnswer::Cancel;
    m_open.insert(text);

    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Chronolien"));
    // The program's texts break their lines with a carriage return, which a label does not show.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    // Texts may come from a mail server: shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(shown);
    switch (style) {
    case StylePlain:
        break;
    case StyleCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case StyleWarning:
    case StyleYesNoCancel:
        box.setIcon(QMessageBox::Warning);
        break;
    case StyleInformation:
        box.setIcon(QMessageBox::Information);
        break;
    }
    if (style == StyleYesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    if (m_beforeWaiting)
        m_beforeWaiting();
    const int result = box.exec();
    m_open.remove(text);

    switch (result) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace chronolien
