#pragma once

#include "config_dialog/config_page.h"

class QCheckBox;
class QPushButton;

namespace chronolien {

class TimeEdit;
struct ConfigDialogContext;

// fl0 "FORFAIT": the section switch "Je ne suis pas limité", ticked when there is no plan.
class ForfaitPage : public ConfigPage {
    Q_OBJECT
public:
    ForfaitPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    QCheckBox* vf_forfait;

Q_SIGNALS:
    // The section was switched: the dialog rebuilds its tree and comes back to this page.
    void sectionChanged(const QString& key);

private:
    void onSwitchClicked();
    ConfigDialogContext& m_context;
};

// Hours, minutes and seconds fields with their arrows, shared by fl1 and fl2.
struct TimeFields {
    TimeEdit* hours;
    TimeEdit* minutes;
    TimeEdit* seconds;
    void applyLeaveRules() const;
    void show(qint32 totalSeconds) const;
    qint32 totalSeconds() const;
};

// fl1 "Votre temps actuel": the month time already used, cpt_mois.
class CurrentTimePage : public ConfigPage {
    Q_OBJECT
public:
    CurrentTimePage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    TimeFields fields;
    QPushButton* bt1_ok;

private:
    void store();
    ConfigDialogContext& m_context;
};

// fl2 "Durée du forfait": the plan's length, which is also the alert threshold, cpt_limite.
class PlanLengthPage : public ConfigPage {
    Q_OBJECT
public:
    PlanLengthPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    TimeFields fields;
    QPushButton* bt2_ok;

private:
    void store();
    ConfigDialogContext& m_context;
};

// fl3 "Alerte": what happens over the allowance, alerte1 and alerte2.
class AlertPage : public ConfigPage {
    Q_OBJECT
public:
    AlertPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    QCheckBox* vf_alerte1;
    QCheckBox* vf_alerte2;
    QPushButton* bt3_ok;

private:
    void store();
    ConfigDialogContext& m_context;
};

// fl4 "Remise à zéro": the day of the month the plan starts again, j_raz, and a reset at once.
class ResetPage : public ConfigPage {
    Q_OBJECT
public:
    ResetPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    TimeEdit* txt_raz;
    QPushButton* bt_raz;
    QPushButton* bt4_ok;

private:
    void store();
    ConfigDialogContext& m_context;
};

} // namespace chronolien
