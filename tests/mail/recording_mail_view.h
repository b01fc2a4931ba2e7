#pragma once

#include "mail/deletion_dialogue.h"
#include "mail/mail_list_content.h"
#include "state/mail_window_view.h"

#include <QList>

namespace chronolien::test {

// Stands in for fl_mail and fl_detmail: keeps what they were last asked to show.
class RecordingMailView final : public MailWindowView {
public:
    void showMailLines(const MailListContent& content) override
    {
        lines = content;
        ++fills;
    }
    void showMailDetail(const MailDetail& shown) override { details.append(shown); }

    MailListContent lines;
    int fills = 0;
    QList<MailDetail> details;
};

// Records the deletions asked for.
class RecordingDeletionStarter final : public DeletionStarter {
public:
    void startDeletion(const DeletionTarget& target) override { targets.append(target); }
    QList<DeletionTarget> targets;
};

} // namespace chronolien::test
