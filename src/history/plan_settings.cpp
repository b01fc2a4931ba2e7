#include "history/plan_settings.h"

#include "platform/message_box.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/text_forms.h"

#include <QFileInfo>
#include <limits>

namespace chronolien {

namespace {

// Reading config.ini reports nothing; only its writes would need a message box.
class NoMessages : public MessageBox {
public:
    MessageAnswer show(const QString&, MessageStyle) override { return MessageAnswer::Cancel; }
};

template <typename T>
void readNumber(const SettingsFile& file, const char* key, T& field, qint64 min, qint64 max)
{
    const QString text = file.readKey(QString::fromLatin1(key));
    if (text.isEmpty())
        return;
    const qint64 number = roundHalfEven(leadingNumber(text));
    if (number >= min && number <= max)
        field = T(number);
}

} // namespace

PlanSettings readPlanSettings(const QString& configPath)
{
    const Settings defaults;
    PlanSettings plan { defaults.forfait, defaults.cpt_limite, defaults.cpt_mois, defaults.j_raz, {} };
    // readKey creates a missing file and would wait on a pipe: only a regular file is read.
    if (!QFileInfo(configPath).isFile())
        return plan;

    NoMessages noMessages;
    const SettingsFile file(configPath, noMessages);
    if (const auto forfait = textToBool(file.readKey(QStringLiteral("forfait"))))
        plan.forfait = *forfait;
    constexpr qint64 int32Min = std::numeric_limits<qint32>::min(),
                     int32Max = std::numeric_limits<qint32>::max();
    readNumber(file, "cpt_limite", plan.cpt_limite, int32Min, int32Max);
    readNumber(file, "cpt_mois", plan.cpt_mois, int32Min, int32Max);
    readNumber(file, "j_raz", plan.j_raz, 1, 31);
    if (const auto date_raz = textToDate(file.readKey(QStringLiteral("date_raz"))))
        plan.date_raz = *date_raz;
    return plan;
}

} // namespace chronolien
