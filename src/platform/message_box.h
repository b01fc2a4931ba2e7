#pragma once

#include <QString>

namespace chronolien {

// Message box styles as the program names them; the title is always "Chronolien".
enum MessageStyle : int {
    StylePlain = 0, // no icon, OK
    StyleCritical = 16, // critical icon, OK
    StyleWarning = 48, // warning icon, OK
    StyleInformation = 64, // information icon, OK
    StyleYesNoCancel = 51, // warning icon, Yes / No / Cancel
};

enum class MessageAnswer { Ok, Yes, No, Cancel };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows the message and waits for the answer. A message identical to one still open is not
    // shown again; the call then answers Cancel at once.
    virtual MessageAnswer show(const QString& text, MessageStyle style) = 0;
};

} // namespace chronolien
