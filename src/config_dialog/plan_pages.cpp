#include "config_dialog/plan_pages.h"

#include "accounting/time_accounting.h"
#include "config_dialog/config_dialog_context.h"
#include "config_dialog/time_edit.h"
#include "settings/settings.h"
#include "state/app_state.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

namespace {

// A row of labelled fields, each followed by its up-down arrows.
TimeEdit* addField(QGridLayout* grid, int row, const QString& label, const TimeFieldRule& rule,
    const QString& field, const QString& arrows, QWidget* parent)
{
    auto* edit = new TimeEdit(rule, field, parent);
    grid->addWidget(new QLabel(label, parent), row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new UpDownArrows(*edit, arrows, parent), row, 2);
    return edit;
}

TimeFields addTimeFields(QVBoxLayout* layout, QWidget* parent, const QString& letter)
{
    auto* grid = new QGridLayout;
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    const QString txt = QStringLiteral("txt_") + letter;
    const QString pm = QStringLiteral("pm_") + letter;
    return {
        addField(grid, 0, QStringLiteral("Heures :"), kHoursField, txt + u'h', pm + u'h', parent),
        addField(grid, 1, QStringLiteral("Minutes :"), kMinutesField, txt + u'm', pm + u'm', parent),
        addField(grid, 2, QStringLiteral("Secondes :"), kSecondsField, txt + u's', pm + u's', parent),
    };
}

bool plainlyTicked(const QCheckBox* box)
{
    return box->checkState() == Qt::Checked;
}

} // namespace

ForfaitPage::ForfaitPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(0, parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Vous pouvez ici gérer votre forfait : temps actuel, durée du forfait, que faire en cas "
        "de dépassement, déterminer le jour de remise à zéro..."));
    addText(QStringLiteral("Cochez cette case si vous n'avez pas de forfait. Certaines options seront alors "
                           "désactivées."));
    vf_forfait = new QCheckBox(QStringLiteral("Je ne suis pas limité"), this);
    vf_forfait->setObjectName(QStringLiteral("vf_forfait"));
    pageLayout()->addWidget(vf_forfait);
    // Only the user's click switches the section; filling the box from memory stores nothing.
    connect(vf_forfait, &QCheckBox::clicked, this, &ForfaitPage::onSwitchClicked);
}

void ForfaitPage::load()
{
    vf_forfait->setChecked(!m_context.state.settings.forfait);
    setVisible(true);
}

void ForfaitPage::onSwitchClicked()
{
    Settings& s = m_context.state.settings;
    s.forfait = !vf_forfait->isChecked();
    Q_EMIT sectionChanged(QStringLiteral("forfait"));
    m_context.settings.store(&Settings::forfait);
    m_context.accounting.clearPlanAlert();
}

void TimeFields::applyLeaveRules() const
{
    hours->applyLeaveRule();
    minutes->applyLeaveRule();
    seconds->applyLeaveRule();
}

void TimeFields::show(qint32 totalSeconds) const
{
    const HoursMinutesSeconds split = splitSeconds(totalSeconds);
    hours->setText(QString::number(split.hours));
    minutes->setText(QString::number(split.minutes));
    seconds->setText(QString::number(split.seconds));
}

qint32 TimeFields::totalSeconds() const
{
    applyLeaveRules();
    return secondsFromFields(hours->text(), minutes->text(), seconds->text());
}

CurrentTimePage::CurrentTimePage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(1, parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Veuillez entrez ici le nombre d'heures, de minutes et de secondes actuellement débitées "
        "sur votre forfait."));
    fields = addTimeFields(pageLayout(), this, QStringLiteral("a"));
    bt1_ok = addValidateButton(QStringLiteral("bt1_ok"));
    connect(bt1_ok, &QPushButton::clicked, this, &CurrentTimePage::store);
}

void CurrentTimePage::load()
{
    fields.show(m_context.state.settings.cpt_mois);
    setVisible(true);
}

void CurrentTimePage::store()
{
    Settings& s = m_context.state.settings;
    s.cpt_mois = fields.totalSeconds();
    m_context.settings.store(&Settings::cpt_mois);
    m_context.accounting.updateCounterDisplay();
    m_context.accounting.clearPlanAlert();
}

PlanLengthPage::PlanLengthPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(2, parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Entrez ici le temps de connexion au bout duquel vous voulez être alerté. Les actions à "
        "mener à ce moment se choisissent dans la rubrique \"Alerte\"."));
    fields = addTimeFields(pageLayout(), this, QStringLiteral("f"));
    bt2_ok = addValidateButton(QStringLiteral("bt2_ok"));
    connect(bt2_ok, &QPushButton::clicked, this, &PlanLengthPage::store);
}

void PlanLengthPage::load()
{
    fields.show(m_context.state.settings.cpt_limite);
    setVisible(true);
}

void PlanLengthPage::store()
{
    Settings& s = m_context.state.settings;
    s.cpt_limite = fields.totalSeconds();
    m_context.settings.store(&Settings::cpt_limite);
    m_context.accounting.clearPlanAlert();
}

AlertPage::AlertPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(3, parent)
    , m_context(context)
{
    addText(QStringLiteral("Choisissez les actions à mener en cas de dépassement de votre forfait."));
    vf_alerte1 = new QCheckBox(QStringLiteral("Afficher le compteur en rouge"), this);
    vf_alerte1->setObjectName(QStringLiteral("vf_alerte1"));
    vf_alerte2 = new QCheckBox(QStringLiteral("Forcer la déconnection"), this);
    vf_alerte2->setObjectName(QStringLiteral("vf_alerte2"));
    pageLayout()->addWidget(vf_alerte1);
    pageLayout()->addWidget(vf_alerte2);
    bt3_ok = addValidateButton(QStringLiteral("bt3_ok"));
    connect(bt3_ok, &QPushButton::clicked, this, &AlertPage::store);
}

void AlertPage::load()
{
    vf_alerte1->setChecked(m_context.state.settings.alerte1);
    vf_alerte2->setChecked(m_context.state.settings.alerte2);
    setVisible(true);
}

void AlertPage::store()
{
    Settings& s = m_context.state.settings;
    s.alerte1 = plainlyTicked(vf_alerte1);
    s.alerte2 = plainlyTicked(vf_alerte2);
    m_context.settings.store(&Settings::alerte1);
    m_context.settings.store(&Settings::alerte2);
    m_context.accounting.clearPlanAlert();
}

ResetPage::ResetPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(4, parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Entrez le jour du mois où votre forfait retourne à zéro. Par défaut, c'est le premier "
        "jour du mois."));
    auto* grid = new QGridLayout;
    grid->setColumnStretch(3, 1);
    pageLayout()->addLayout(grid);
    txt_raz = addField(grid, 0, QStringLiteral("Jour :"), kDayField, QStringLiteral("txt_raz"),
        QStringLiteral("pm_raz"), this);
    bt_raz = new QPushButton(QStringLiteral("Remettre à zéro maintenant"), this);
    bt_raz->setObjectName(QStringLiteral("bt_raz"));
    pageLayout()->addWidget(bt_raz, 0, Qt::AlignLeft);
    bt4_ok = addValidateButton(QStringLiteral("bt4_ok"));
    // The reset goes by the day in memory, not by an unvalidated day on the page.
    connect(bt_raz, &QPushButton::clicked, this, [this] { m_context.accounting.resetMonth(); });
    connect(bt4_ok, &QPushButton::clicked, this, &ResetPage::store);
}

void ResetPage::load()
{
    txt_raz->setText(QString::number(m_context.state.settings.j_raz));
    setVisible(true);
}

void ResetPage::store()
{
    txt_raz->applyLeaveRule();
    Settings& s = m_context.state.settings;
    s.j_raz = dayFromField(txt_raz->text());
    m_context.settings.store(&Settings::j_raz);
}

} // namespace chronolien
