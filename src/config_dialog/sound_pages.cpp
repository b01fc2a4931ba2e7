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

namespace {

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
    : ConfigPage(parent)
    , m_context(context)
    , m_event(event)
    , m_path(new QLineEdit(this))
    , m_browse(new QPushButton(QStringLiteral("Parcourir"), this))
    , m_play(new QPushButton(QStringLiteral("Jouer"), this))
    , m_noSound(new QCheckBox(QStringLiteral("Ne pas utiliser de son pour cet évenement"), this))
{
    addText(explanation(event));
    m_path->setObjectName(QStringLiteral("chem_sons"));
    pageLayout()->addWidget(m_path);
    auto* buttons = new QHBoxLayout;
    m_browse->setObjectName(QStringLiteral("bt_parc"));
    m_play->setObjectName(QStringLiteral("bt_jouer"));
    buttons->addWidget(m_browse);
    buttons->addWidget(m_play);
    buttons->addStretch();
    pageLayout()->addLayout(buttons);
    m_noSound->setObjectName(QStringLiteral("vf_chsons"));
    pageLayout()->addWidget(m_noSound);
    addValidateButton(QStringLiteral("bt11_ok"));
    connect(m_noSound, &QCheckBox::clicked, this, &SoundEventPage::onNoSoundClicked);
    connect(m_browse, &QPushButton::clicked, this, &SoundEventPage::browse);
    connect(m_play, &QPushButton::clicked, this, &SoundEventPage::play);
}

void SoundEventPage::showNoSound(bool noSound)
{
    m_noSound->setChecked(noSound);
    for (QWidget* control : std::initializer_list<QWidget*> { m_browse, m_play, m_path })
        control->setEnabled(!noSound);
}

void SoundEventPage::load(int)
{
    const QString& setting = m_context.state.settings.*soundField(m_event);
    const bool noSound = setting == QLatin1String(kNoSound);
    showNoSound(noSound);
    m_path->setText(noSound ? defaultSoundPath(m_context.state.appFolder, m_event) : setting);
    setVisible(true);
}

void SoundEventPage::onNoSoundClicked()
{
    const bool noSound = m_noSound->isChecked();
    showNoSound(noSound);
    if (noSound)
        m_path->setText(defaultSoundPath(m_context.state.appFolder, m_event));
}

void SoundEventPage::browse()
{
    if (const auto path = chooseSoundFile(m_context.state.appFolder, m_event, m_context.chooser))
        m_path->setText(*path);
}

void SoundEventPage::play()
{
    // The path on the page, validated or not; a path naming no file plays nothing.
    playSoundFile(m_context.state.settings.sons, m_context.sound, m_context.state.appFolder, m_path->text());
}

void SoundEventPage::store()
{
    storeSoundSetting(
        m_context.settings, m_context.state.appFolder, m_event, plainlyTicked(m_noSound), m_path->text());
}

} // namespace chronolien
