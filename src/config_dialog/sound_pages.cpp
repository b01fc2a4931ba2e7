#include "config_dialog/sound_pages.h"

#include "config_dialog/config_dialog_context.h"
#include "config_dialog/file_choices.h"
#include "effects/event_effects.h"
#include "platform/sound_player.h"
#include "settings/settings.h"
#include "state/app_state.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

SoundsSectionPage::SoundsSectionPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(10, parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Un certain nombre de sons peuvent être joués pour des événements comme la connexion, la "
        "déconnexion, l'arrivée de courriers, ..."));
    addText(QStringLiteral("Cochez cette case si vous ne voulez pas du tout de sons dans Chronolien."));
    vf_sons = new QCheckBox(QStringLiteral("Pas de son"), this);
    vf_sons->setObjectName(QStringLiteral("vf_sons"));
    pageLayout()->addWidget(vf_sons);
    connect(vf_sons, &QCheckBox::clicked, this, &SoundsSectionPage::onSwitchClicked);
}

void SoundsSectionPage::load()
{
    vf_sons->setChecked(!m_context.state.settings.sons);
    setVisible(true);
}

void SoundsSectionPage::onSwitchClicked()
{
    Settings& s = m_context.state.settings;
    s.sons = !vf_sons->isChecked();
    Q_EMIT sectionChanged(QStringLiteral("sons"));
    m_context.settings.store(&Settings::sons);
}

namespace {

int frameOf(SoundEvent event)
{
    return 10 + int(event);
}

QString explanation(SoundEvent event)
{
    switch (event) {
    case SoundEvent::Connect:
        return QStringLiteral("Choisissez un fichier .WAV qui sera joué  lors de la connexion à Internet.");
    case SoundEvent::Disconnect:
        return QStringLiteral("Choisissez un fichier .WAV qui sera joué  lors de la déconnexion à Internet.");
    case SoundEvent::Mail:
        break;
    }
    return QStringLiteral(
        "Choisissez un fichier .WAV qui sera joué  lors de l'arrivée de nouveaux courriers.");
}

} // namespace

SoundEventPage::SoundEventPage(ConfigDialogContext& context, SoundEvent event, QWidget* parent)
    : ConfigPage(frameOf(event), parent)
    , m_context(context)
    , m_event(event)
{
    addText(explanation(event));
    chem_sons = new QLineEdit(this);
    chem_sons->setObjectName(QStringLiteral("chem_sons"));
    pageLayout()->addWidget(chem_sons);
    auto* buttons = new QHBoxLayout;
    bt_parc = new QPushButton(QStringLiteral("Parcourir"), this);
    bt_parc->setObjectName(QStringLiteral("bt_parc"));
    bt_jouer = new QPushButton(QStringLiteral("Jouer"), this);
    bt_jouer->setObjectName(QStringLiteral("bt_jouer"));
    buttons->addWidget(bt_parc);
    buttons->addWidget(bt_jouer);
    buttons->addStretch();
    pageLayout()->addLayout(buttons);
    vf_chsons = new QCheckBox(QStringLiteral("Ne pas utiliser de son pour cet évenement"), this);
    vf_chsons->setObjectName(QStringLiteral("vf_chsons"));
    pageLayout()->addWidget(vf_chsons);
    bt11_ok = addValidateButton(QStringLiteral("bt11_ok"));
    connect(vf_chsons, &QCheckBox::clicked, this, &SoundEventPage::onNoSoundClicked);
    connect(bt_parc, &QPushButton::clicked, this, &SoundEventPage::browse);
    connect(bt_jouer, &QPushButton::clicked, this, &SoundEventPage::play);
    connect(bt11_ok, &QPushButton::clicked, this, &SoundEventPage::store);
}

void SoundEventPage::showNoSound(bool noSound)
{
    vf_chsons->setChecked(noSound);
    bt_parc->setEnabled(!noSound);
    bt_jouer->setEnabled(!noSound);
    chem_sons->setEnabled(!noSound);
}

void SoundEventPage::load()
{
    const QString& setting = m_context.state.settings.*soundField(m_event);
    const bool noSound = setting == QLatin1String(kNoSound);
    showNoSound(noSound);
    chem_sons->setText(noSound ? defaultSoundPath(m_context.state.appFolder, m_event) : setting);
    setVisible(true);
}

void SoundEventPage::onNoSoundClicked()
{
    const bool noSound = vf_chsons->isChecked();
    showNoSound(noSound);
    if (noSound)
        chem_sons->setText(defaultSoundPath(m_context.state.appFolder, m_event));
}

void SoundEventPage::browse()
{
    if (const auto path = chooseSoundFile(m_context.state.appFolder, m_event, m_context.chooser))
        chem_sons->setText(*path);
}

void SoundEventPage::play()
{
    // The path on the page, validated or not; a path naming no file plays nothing.
    playSoundFile(
        m_context.state.settings.sons, m_context.sound, m_context.state.appFolder, chem_sons->text());
}

void SoundEventPage::store()
{
    storeSoundSetting(m_context.settings, m_context.state.appFolder, m_event,
        vf_chsons->checkState() == Qt::Checked, chem_sons->text());
}

} // namespace chronolien
