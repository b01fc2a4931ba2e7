#pragma once

#include "platform/message_box.h"

#include <QList>
#include <QQueue>
#include <functional>

namespace chronolien::test {

// Records every message shown and answers from a script (OK-style boxes answer Ok, the question
// answers Cancel unless the test queued another answer).
class MessageBoxRecorder final : public MessageBox {
public:
    struct Shown {
        QString text;
        MessageStyle style;
    };

    MessageAnswer show(const QString& text, MessageStyle style) override
    {
        shown.append({ text, style });
        // What runs while the box waits for its answer: the desktop's box runs the event loop.
        if (whileShown)
            whileShown();
        if (!answers.isEmpty())
            return answers.dequeue();
        return style == StyleYesNoCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Shown& s : shown)
            list.append(s.text);
        return list;
    }

    QList<Shown> shown;
    QQueue<MessageAnswer> answers;
    std::function<void()> whileShown;
};

} // namespace chronolien::test
