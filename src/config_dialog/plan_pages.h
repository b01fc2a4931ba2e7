#pragma once

#include "config_dialog/config_page.h"
#include "settings/settings.h"

namespace chronolien {

class TimeEdit;

// A time of the plan edited as hours, minutes and seconds.
struct PlanTime {
    const char16_t* explanation;
    char16_t letter; // the fields are txt_<letter>h, txt_<letter>m, txt_<letter>s, with arrows pm_…
    const char16_t* validateName;
    qint32 Settings::*field;
    // The month time shows in the counter, which follows a new value at once; a new plan length
    // shows at the counter's next update.
    bool refreshesCounter;
};

// "Votre temps actuel": the month time already used, cpt_mois.
extern const PlanTime kMonthTime;
// "Durée du forfait": the plan's length, which is also the alert threshold, cpt_limite.
extern const PlanTime kPlanLength;

// fl1 and fl2: a plan time in hours, minutes and seconds.
class PlanTimePage : public ConfigPage {
    Q_OBJECT
public:
    PlanTimePage(ConfigDialogContext& context, const PlanTime* time, QWidget* parent = nullptr);
    void load(int) override;
    void store() override;

private:
    ConfigDialogContext& m_context;
    const PlanTime& m_time;
    TimeEdit* m_hours;
    TimeEdit* m_minutes;
    TimeEdit* m_seconds;
};

// fl3 "Alerte": what happens over the allowance, alerte1 and alerte2.
class AlertPage : public ConfigPage {
    Q_OBJECT
public:
    AlertPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load(int) override;
    void store() override;

private:
    ConfigDialogContext& m_context;
    QCheckBox* m_red;
    QCheckBox* m_hangUp;
};

// fl4 "Remise à zéro": the day of the month the plan starts again, j_raz, and a reset at once.
class ResetPage : public ConfigPage {
    Q_OBJECT
public:
    ResetPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load(int) override;
    void store() override;

private:
    ConfigDialogContext& m_context;
    TimeEdit* m_day;
};

} // namespace chronolien
