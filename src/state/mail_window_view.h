#pragma once

namespace chronolien {

struct MailDetail;
struct MailListContent;

// What the mail list's logic asks of the mail window fl_mail and the detail window fl_detmail.
class MailWindowView {
public:
    virtual ~MailWindowView() = default;
    // The four lines lst_mail(0) to (3) and the scroll bar defil.
    virtual void showMailLines(const MailListContent& content) = 0;
    // Fills fl_detmail and shows it, not modal; an open one is refilled.
    virtual void showMailDetail(const MailDetail& detail) = 0;
};

} // namespace chronolien
