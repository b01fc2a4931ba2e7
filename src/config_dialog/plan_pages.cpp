#include "config_dialog/plan_pages.h"

#include "accounting/time_accounting.h"
#include "config_dialog/config_dialog_context.h"
#include "config_dialog/time_edit.h"
#include "state/app_state.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

namespace {

// A labelled field followed by its up-down arrows, on a row of the grid.
TimeEdit* addField(QGridLayout* grid, const QString& label, const TimeFieldRule& rule, const QString& field,
    const QString& arrows)
{
    QWidget* page = grid->parentWidget();
    auto* edit = new TimeEdit(rule, field, page);
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(label, page), row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new UpDownArrows(*edit, arrows, page), row, 2);
    return edit;
}

QGridLayout* addGrid(QVBoxLayout* layout)
{
    auto* grid = new QGridLayout;
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    return grid;
}

} // namespace

const PlanTime kMonthTime {
    u"Veuillez entrez ici le nombre d'heures, de minutes et de secondes actuellement débitées sur votre "
    u"forfait.",
    u'a',
    u"bt1_ok",
    &Settings::cpt_mois,
    true,
};

const PlanTime kPlanLength {
    u"Entrez ici le temps de connexion au bout duquel vous voulez être alerté. Les actions à mener à ce "
    u"moment se choisissent dans la rubrique \"Alerte\".",
    u'f',
    u"bt2_ok",
    &Settings::cpt_limite,
    false,
};

PlanTimePage::PlanTimePage(ConfigDialogContext& context, const PlanTime* time, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
    , m_time(*time)
{
    addText(QString::fromUtf16(time->explanation));
    QGridLayout* grid = addGrid(pageLayout());
    auto add = [&](const QString& label, const TimeFieldRule& rule, char16_t unit) {
        const QString suffix = QString(QChar(time->letter)) + QChar(unit);
        return addField(grid, label, rule, QStringLiteral("txt_") + suffix, QStringLiteral("pm_") + suffix);
    };
    m_hours = add(QStringLiteral("Heures :"), kHoursField, u'h');
    m_minutes = add(QStringLiteral("Minutes :"), kMinutesField, u'm');
    m_seconds = add(QStringLiteral("Secondes :"), kSecondsField, u's');
    addValidateButton(QString::fromUtf16(time->validateName));
}

void PlanTimePage::load(int)
{
    const HoursMinutesSeconds split = splitSeconds(m_context.state.settings.*m_time.field);
    m_hours->setText(QString::number(split.hours));
    m_minutes->setText(QString::number(split.minutes));
    m_seconds->setText(QString::number(split.seconds));
    setVisible(true);
}

void PlanTimePage::store()
{
    // Enter validates with the focus still in a field, before its leaving rule has run.
    for (TimeEdit* field : { m_hours, m_minutes, m_seconds })
        field->applyLeaveRule();
    m_context.state.settings.*m_time.field
        = secondsFromFields(m_hours->text(), m_minutes->text(), m_seconds->text());
    m_context.settings.store(m_time.field);
    if (m_time.refreshesCounter)
        m_context.accounting.updateCounterDisplay();
    m_context.accounting.clearPlanAlert();
}

AlertPage::AlertPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
    , m_red(new QCheckBox(QStringLiteral("Afficher le compteur en rouge"), this))
    , m_hangUp(new QCheckBox(QStringLiteral("Forcer la déconnection"), this))
{
    addText(QStringLiteral("Choisissez les actions à mener en cas de dépassement de votre forfait."));
    m_red->setObjectName(QStringLiteral("vf_alerte1"));
    m_hangUp->setObjectName(QStringLiteral("vf_alerte2"));
    pageLayout()->addWidget(m_red);
    pageLayout()->addWidget(m_hangUp);
    addValidateButton(QStringLiteral("bt3_ok"));
}

void AlertPage::load(int)
{
    m_red->setChecked(m_context.state.settings.alerte1);
    m_hangUp->setChecked(m_context.state.settings.alerte2);
    setVisible(true);
}

void AlertPage::store()
{
    Settings& s = m_context.state.settings;
    s.alerte1 = plainlyTicked(m_red);
    s.alerte2 = plainlyTicked(m_hangUp);
    m_context.settings.store(&Settings::alerte1);
    m_context.settings.store(&Settings::alerte2);
    m_context.accounting.clearPlanAlert();
}

ResetPage::ResetPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Entrez le jour du mois où votre forfait retourne à zéro. Par défaut, c'est le premier "
        "jour du mois."));
    m_day = addField(addGrid(pageLayout()), QStringLiteral("Jour :"), kDayField, QStringLiteral("txt_raz"),
        QStringLiteral("pm_raz"));
    auto* resetNow = new QPushButton(QStringLiteral("Remettre à zéro maintenant"), this);
    resetNow->setObjectName(QStringLiteral("bt_raz"));
    pageLayout()->addWidget(resetNow, 0, Qt::AlignLeft);
    addValidateButton(QStringLiteral("bt4_ok"));
    // The reset goes by the day in memory, not by an unvalidated day on the page.
    connect(resetNow, &QPushButton::clicked, this, [this] { m_context.accounting.resetMonth(); });
}

void ResetPage::load(int)
{
    m_day->setText(QString::number(m_context.state.settings.j_raz));
    setVisible(true);
}

void ResetPage::store()
{
    m_day->applyLeaveRule();
    m_context.state.settings.j_raz = dayFromField(m_day->text());
    m_context.settings.store(&Settings::j_raz);
}

} // namespace chronolien
