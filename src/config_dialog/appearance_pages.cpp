#include "config_dialog/appearance_pages.h"

#include "config_dialog/auto_open_choices.h"
#include "config_dialog/config_dialog_context.h"
#include "settings/settings.h"
#include "skins/skin_page.h"
#include "state/app_state.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace chronolien {

namespace {

// The most a skin's picture takes on the page.
constexpr QSize kPreviewSize(160, 120);

std::array<QRadioButton*, 2> addOptions(
    ConfigPage* page, QVBoxLayout* layout, const QString& name, const QString& first, const QString& second)
{
    std::array<QRadioButton*, 2> options { new QRadioButton(first, page), new QRadioButton(second, page) };
    auto* group = new QButtonGroup(page);
    for (int i = 0; i < 2; ++i) {
        options[std::size_t(i)]->setObjectName(name + QString::number(i));
        group->addButton(options[std::size_t(i)], i);
        layout->addWidget(options[std::size_t(i)]);
    }
    options[0]->setChecked(true);
    return options;
}

} // namespace

AutoOpenPage::AutoOpenPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
{
    addText(QStringLiteral("Dans quel cas voulez vous que Chronolien apparaisse à l'écran."));
    const QString captions[5] = {
        QStringLiteral("Tout le temps"),
        QStringLiteral("Si je suis connecté"),
        QStringLiteral("Si je suis reçois du courrier"),
        QStringLiteral("Si je dépasse mon forfait"),
        QStringLiteral("Comme la fois précédente"),
    };
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i] = new QCheckBox(captions[i], this);
        m_boxes[i]->setObjectName(QStringLiteral("vf_ouv%1").arg(i));
        pageLayout()->addWidget(m_boxes[i]);
        connect(m_boxes[i], &QCheckBox::clicked, this, &AutoOpenPage::updateChoices);
    }
    addValidateButton(QStringLiteral("bt6_ok"));
}

void AutoOpenPage::load(int)
{
    const AutoOpenBoxes boxes = autoOpenBoxesFromFlags(m_context.state.settings.affiche_auto);
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(boxes[i].ticked);
    updateChoices();
    setVisible(true);
}

AutoOpenBoxes AutoOpenPage::ticks() const
{
    AutoOpenBoxes boxes;
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        boxes[i].ticked = plainlyTicked(m_boxes[i]);
    return boxes;
}

void AutoOpenPage::updateChoices()
{
    AutoOpenBoxes boxes = ticks();
    updateAutoOpenChoices(boxes, m_context.state.settings.forfait);
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setEnabled(boxes[i].enabled);
}

void AutoOpenPage::store()
{
    m_context.state.settings.affiche_auto = autoOpenFlagsFromBoxes(ticks());
    m_context.settings.store(&Settings::affiche_auto);
}

SkinPage::SkinPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
    , m_skins(new QListWidget(this))
    , m_centre(new QLabel(this))
    , m_counter(new QLabel(this))
{
    addText(QStringLiteral(
        "Choisissez dans cette liste l'habillage que vous voulez. Vous aurez en dessous un aperçu "
        "des fenêtres.  Cliquez ensuite sur Valider pour effectuer le changement."));
    m_skins->setObjectName(QStringLiteral("lst_skin"));
    m_skins->setMaximumHeight(90);
    pageLayout()->addWidget(m_skins);
    auto* pictures = new QHBoxLayout;
    m_centre->setObjectName(QStringLiteral("img_skin"));
    m_counter->setObjectName(QStringLiteral("img_skin2"));
    for (QLabel* picture : { m_centre, m_counter }) {
        // The page keeps the pictures' place whether a skin shows them or not.
        picture->setFixedSize(kPreviewSize);
        QSizePolicy policy = picture->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        picture->setSizePolicy(policy);
        pictures->addWidget(picture);
    }
    pictures->addStretch();
    pageLayout()->addLayout(pictures);
    addValidateButton(QStringLiteral("bt8_ok"));
    connect(m_skins, &QListWidget::currentItemChanged, this, &SkinPage::preview);
}

void SkinPage::load(int)
{
    m_skins->clear();
    const std::optional<QStringList> skins = listSkins(m_context.state.appFolder, m_context.messages);
    if (!skins)
        return;
    m_skins->addItems(*skins);
    // The first entry is offered, not the skin in use.
    if (m_skins->count() > 0)
        m_skins->setCurrentRow(0);
    preview();
    setVisible(true);
}

void SkinPage::preview()
{
    const QListWidgetItem* item = m_skins->currentItem();
    const SkinPreview shown = item ? previewSkin(m_context.state.appFolder, item->text()) : SkinPreview {};
    auto showPicture = [](QLabel* label, const std::optional<QImage>& picture) {
        label->setPixmap(picture ? QPixmap::fromImage(
                             picture->scaled(kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation))
                                 : QPixmap());
        label->setVisible(picture.has_value());
    };
    showPicture(m_centre, shown.centre);
    showPicture(m_counter, shown.counter);
    validateButton()->setVisible(shown.canChoose());
}

void SkinPage::store()
{
    const QListWidgetItem* item = m_skins->currentItem();
    if (item && chooseSkin(m_context.settings, m_context.state.appFolder, item->text())
        && m_context.reloadSkins)
        m_context.reloadSkins();
}

PositionPage::PositionPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
{
    addText(QStringLiteral("Déterminez l'emplacement de l'écran où vous voulez que la fenêtre apparaisse."));
    m_options = addOptions(this, pageLayout(), QStringLiteral("opt_pos"),
        QStringLiteral("A son dernier emplacement"), QStringLiteral("Toujours au même endroit"));
    auto* saveNow = new QPushButton(QStringLiteral("Sauvegarder la position actuelle"), this);
    saveNow->setObjectName(QStringLiteral("bt_pos"));
    saveNow->setEnabled(false);
    pageLayout()->addWidget(saveNow, 0, Qt::AlignLeft);
    addValidateButton(QStringLiteral("bt7_ok"));
    connect(m_options[1], &QRadioButton::toggled, saveNow, &QPushButton::setEnabled);
    connect(saveNow, &QPushButton::clicked, this, &PositionPage::savePosition);
}

void PositionPage::load(int)
{
    m_options[m_context.state.settings.pos_mem ? 0 : 1]->setChecked(true);
    setVisible(true);
}

void PositionPage::savePosition()
{
    // pos_x and pos_y in memory follow the floating window's every drop.
    m_context.settings.store(&Settings::pos_x);
    m_context.settings.store(&Settings::pos_y);
}

void PositionPage::store()
{
    Settings& s = m_context.state.settings;
    s.pos_mem = m_options[0]->isChecked();
    m_context.settings.store(&Settings::pos_mem);
}

CounterModePage::CounterModePage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Choisissez le mode d'affichage du compteur. A compte à rebours, le compteur atteint zéro "
        "à l'épuisement du forfait."));
    m_options = addOptions(this, pageLayout(), QStringLiteral("opt_cpt"), QStringLiteral("Normal"),
        QStringLiteral("Compte à rebours"));
    addValidateButton(QStringLiteral("bt9_ok"));
}

void CounterModePage::load(int)
{
    m_options[m_context.state.settings.affiche_rebours ? 1 : 0]->setChecked(true);
    setVisible(true);
}

void CounterModePage::store()
{
    Settings& s = m_context.state.settings;
    s.affiche_rebours = m_options[1]->isChecked();
    m_context.settings.store(&Settings::affiche_rebours);
}

} // namespace chronolien
