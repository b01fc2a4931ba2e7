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
    : ConfigPage(6, parent)
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
    for (std::size_t i = 0; i < vf_ouv.size(); ++i) {
        vf_ouv[i] = new QCheckBox(captions[i], this);
        vf_ouv[i]->setObjectName(QStringLiteral("vf_ouv%1").arg(i));
        pageLayout()->addWidget(vf_ouv[i]);
        connect(vf_ouv[i], &QCheckBox::clicked, this, &AutoOpenPage::updateChoices);
    }
    bt6_ok = addValidateButton(QStringLiteral("bt6_ok"));
    connect(bt6_ok, &QPushButton::clicked, this, &AutoOpenPage::store);
}

void AutoOpenPage::load()
{
    const AutoOpenBoxes boxes = autoOpenBoxesFromFlags(m_context.state.settings.affiche_auto);
    for (std::size_t i = 0; i < vf_ouv.size(); ++i)
        vf_ouv[i]->setChecked(boxes[i].ticked);
    updateChoices();
    setVisible(true);
}

void AutoOpenPage::updateChoices()
{
    AutoOpenBoxes boxes;
    for (std::size_t i = 0; i < vf_ouv.size(); ++i)
        boxes[i].ticked = vf_ouv[i]->checkState() == Qt::Checked;
    updateAutoOpenChoices(boxes, m_context.state.settings.forfait);
    for (std::size_t i = 0; i < vf_ouv.size(); ++i)
        vf_ouv[i]->setEnabled(boxes[i].enabled);
}

void AutoOpenPage::store()
{
    AutoOpenBoxes boxes;
    for (std::size_t i = 0; i < vf_ouv.size(); ++i)
        boxes[i].ticked = vf_ouv[i]->checkState() == Qt::Checked;
    Settings& s = m_context.state.settings;
    s.affiche_auto = autoOpenFlagsFromBoxes(boxes);
    m_context.settings.store(&Settings::affiche_auto);
}

SkinPage::SkinPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(8, parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Choisissez dans cette liste l'habillage que vous voulez. Vous aurez en dessous un aperçu "
        "des fenêtres.  Cliquez ensuite sur Valider pour effectuer le changement."));
    lst_skin = new QListWidget(this);
    lst_skin->setObjectName(QStringLiteral("lst_skin"));
    lst_skin->setMaximumHeight(90);
    pageLayout()->addWidget(lst_skin);
    auto* pictures = new QHBoxLayout;
    img_skin = new QLabel(this);
    img_skin->setObjectName(QStringLiteral("img_skin"));
    img_skin2 = new QLabel(this);
    img_skin2->setObjectName(QStringLiteral("img_skin2"));
    pictures->addWidget(img_skin);
    pictures->addWidget(img_skin2);
    pictures->addStretch();
    pageLayout()->addLayout(pictures);
    bt8_ok = addValidateButton(QStringLiteral("bt8_ok"));
    connect(lst_skin, &QListWidget::itemClicked, this, &SkinPage::preview);
    connect(bt8_ok, &QPushButton::clicked, this, &SkinPage::store);
}

bool SkinPage::load()
{
    lst_skin->clear();
    const std::optional<QStringList> skins = listSkins(m_context.state.appFolder, m_context.messages);
    if (!skins)
        return false;
    lst_skin->addItems(*skins);
    // The first entry is offered, not the skin in use.
    if (lst_skin->count() > 0)
        lst_skin->setCurrentRow(0);
    preview();
    setVisible(true);
    return true;
}

void SkinPage::preview()
{
    const QListWidgetItem* item = lst_skin->currentItem();
    const SkinPreview shown = item ? previewSkin(m_context.state.appFolder, item->text()) : SkinPreview {};
    auto showPicture = [](QLabel* label, const std::optional<QImage>& picture) {
        label->setPixmap(picture
                ? QPixmap::fromImage(picture->scaled(160, 120, Qt::KeepAspectRatio, Qt::SmoothTransformation))
                : QPixmap());
        label->setVisible(picture.has_value());
    };
    showPicture(img_skin, shown.centre);
    showPicture(img_skin2, shown.counter);
    bt8_ok->setVisible(shown.canChoose());
}

void SkinPage::store()
{
    const QListWidgetItem* item = lst_skin->currentItem();
    if (item && chooseSkin(m_context.settings, m_context.state.appFolder, item->text())
        && m_context.reloadSkins)
        m_context.reloadSkins();
}

PositionPage::PositionPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(7, parent)
    , m_context(context)
{
    addText(QStringLiteral("Déterminez l'emplacement de l'écran où vous voulez que la fenêtre apparaisse."));
    opt_pos = addOptions(this, pageLayout(), QStringLiteral("opt_pos"),
        QStringLiteral("A son dernier emplacement"), QStringLiteral("Toujours au même endroit"));
    bt_pos = new QPushButton(QStringLiteral("Sauvegarder la position actuelle"), this);
    bt_pos->setObjectName(QStringLiteral("bt_pos"));
    bt_pos->setEnabled(false);
    pageLayout()->addWidget(bt_pos, 0, Qt::AlignLeft);
    bt7_ok = addValidateButton(QStringLiteral("bt7_ok"));
    connect(opt_pos[1], &QRadioButton::toggled, bt_pos, &QPushButton::setEnabled);
    connect(bt_pos, &QPushButton::clicked, this, &PositionPage::savePosition);
    connect(bt7_ok, &QPushButton::clicked, this, &PositionPage::store);
}

void PositionPage::load()
{
    opt_pos[m_context.state.settings.pos_mem ? 0 : 1]->setChecked(true);
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
    s.pos_mem = opt_pos[0]->isChecked();
    m_context.settings.store(&Settings::pos_mem);
}

CounterModePage::CounterModePage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(9, parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Choisissez le mode d'affichage du compteur. A compte à rebours, le compteur atteint zéro "
        "à l'épuisement du forfait."));
    opt_cpt = addOptions(this, pageLayout(), QStringLiteral("opt_cpt"), QStringLiteral("Normal"),
        QStringLiteral("Compte à rebours"));
    bt9_ok = addValidateButton(QStringLiteral("bt9_ok"));
    connect(bt9_ok, &QPushButton::clicked, this, &CounterModePage::store);
}

void CounterModePage::load()
{
    opt_cpt[m_context.state.settings.affiche_rebours ? 1 : 0]->setChecked(true);
    setVisible(true);
}

void CounterModePage::store()
{
    Settings& s = m_context.state.settings;
    s.affiche_rebours = opt_cpt[1]->isChecked();
    m_context.settings.store(&Settings::affiche_rebours);
}

} // namespace chronolien
