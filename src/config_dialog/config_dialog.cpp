#include "config_dialog/config_dialog.h"

#include "config_dialog/about_box.h"
#include "config_dialog/about_texts.h"
#include "config_dialog/appearance_pages.h"
#include "config_dialog/config_dialog_context.h"
#include "config_dialog/event_pages.h"
#include "config_dialog/line_page.h"
#include "config_dialog/link_label.h"
#include "config_dialog/mail_pages.h"
#include "config_dialog/plan_pages.h"
#include "config_dialog/section_tree.h"
#include "config_dialog/section_tree_view.h"
#include "config_dialog/sound_pages.h"
#include "platform/process_starter.h"
#include "state/app_state.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

namespace {

// The help picture: a question mark in a blue disc.
QPixmap helpPicture()
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x50, 0xB0));
    p.drawEllipse(QRectF(1, 1, 22, 22));
    QFont font = p.font();
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
    return picture;
}

} // namespace

ConfigDialog::ConfigDialog(ConfigDialogContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
    , m_rubriques(new SectionTreeView(this))
{
    setObjectName(QStringLiteral("fl_config"));
    setWindowTitle(QStringLiteral("Chronolien - Configuration"));

    auto* main = new QHBoxLayout(this);
    m_rubriques->setFixedWidth(230);
    main->addWidget(m_rubriques);

    auto* right = new QVBoxLayout;
    main->addLayout(right, 1);
    auto* header = new QHBoxLayout;
    auto* titre = new QLabel(QStringLiteral("Chronolien"), this);
    titre->setObjectName(QStringLiteral("Titre"));
    QFont titleFont = titre->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    titre->setFont(titleFont);
    version = new QLabel(dialogVersionText(), this);
    version->setObjectName(QStringLiteral("version"));
    header->addWidget(titre);
    header->addWidget(version, 0, Qt::AlignBottom);
    header->addStretch();
    right->addLayout(header);

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("pages"));
    area->setMinimumSize(440, 330);
    right->addWidget(area, 1);
    buildPages(area);

    auto* bottom = new QHBoxLayout;
    aide = new LinkLabel(QStringLiteral("aide"), this);
    aide->setPixmap(helpPicture());
    aide->setToolTip(QStringLiteral("Voir le fichier d'aide"));
    auto* aideLabel = new QLabel(QStringLiteral("Aide"), this);
    bt_propos = new QPushButton(QStringLiteral("A propos..."), this);
    bt_propos->setObjectName(QStringLiteral("bt_propos"));
    bt_ferme = new QPushButton(QStringLiteral("Fermer"), this);
    bt_ferme->setObjectName(QStringLiteral("bt_ferme"));
    bt_ferme->setToolTip(QStringLiteral("Fermer la fenêtre de configuration"));
    bottom->addWidget(aide);
    bottom->addWidget(aideLabel);
    bottom->addStretch();
    bottom->addWidget(bt_propos);
    bottom->addWidget(bt_ferme);
    right->addLayout(bottom);

    connect(m_rubriques, &SectionTreeView::entryChosen, this, &ConfigDialog::entryClick);
    connect(bt_ferme, &QPushButton::clicked, this, &QWidget::close);
    connect(bt_propos, &QPushButton::clicked, this, [this] { m_context.about.showAboutBox(); });
    connect(aide, &LinkLabel::clicked, this,
        [this] { m_context.processes.openUrl(m_context.state.dataPath(QStringLiteral("doc/aide.htm"))); });
}

ConfigDialog::~ConfigDialog() = default;

void ConfigDialog::buildPages(QWidget* area)
{
    auto* stack = new QGridLayout(area);
    stack->setContentsMargins(0, 0, 0, 0);
    ConfigDialogContext& c = m_context;
    m_forfait = new ForfaitPage(c, area);
    m_currentTime = new CurrentTimePage(c, area);
    m_planLength = new PlanLengthPage(c, area);
    m_alert = new AlertPage(c, area);
    m_reset = new ResetPage(c, area);
    m_appearanceText = new TextPage(5,
        QStringLiteral("Vous trouverez dans cette rubrique tout ce qui concerne "
                       "l'apparence : l'habillage, l'ouverture automatique, le compteur, "
                       "la position, ..."),
        area);
    m_autoOpen = new AutoOpenPage(c, area);
    m_position = new PositionPage(c, area);
    m_skin = new SkinPage(c, area);
    m_counterMode = new CounterModePage(c, area);
    m_soundsSection = new SoundsSectionPage(c, area);
    for (int k = 1; k <= 3; ++k)
        m_soundEvents[std::size_t(k - 1)] = new SoundEventPage(c, SoundEvent(k), area);
    m_mailSection = new MailSectionPage(c, area);
    m_mailAddress = new MailAddressPage(c, area);
    m_eventsText = new TextPage(16,
        QStringLiteral("Vous pouvez exécuter une série d'actions à la connexion ou la "
                       "déconnexion. Vous pouvez par exemple programmer votre navigateur pour "
                       "qu'il s'ouvre automatiquement dès que vous êtes sur Internet."),
        area);
    m_commandLists = { new CommandListPage(c, 1, area), new CommandListPage(c, 2, area) };
    m_permanent = new PermanentConnectionPage(c, area);
    m_line = new LinePage(c, area);

    const std::initializer_list<ConfigPage*> all = {
        m_forfait,
        m_currentTime,
        m_planLength,
        m_alert,
        m_reset,
        m_appearanceText,
        m_autoOpen,
        m_position,
        m_skin,
        m_counterMode,
        m_soundsSection,
        m_soundEvents[0],
        m_soundEvents[1],
        m_soundEvents[2],
        m_mailSection,
        m_mailAddress,
        m_eventsText,
        m_commandLists[0],
        m_commandLists[1],
        m_permanent,
        m_line,
    };
    for (ConfigPage* p : all) {
        m_pages[std::size_t(p->frame())] = p;
        // Every page in the same place; at most one is visible.
        stack->addWidget(p, 0, 0);
    }

    connect(m_forfait, &ForfaitPage::sectionChanged, this, &ConfigDialog::showSection);
    connect(m_soundsSection, &SoundsSectionPage::sectionChanged, this, &ConfigDialog::showSection);
    connect(m_mailSection, &MailSectionPage::sectionChanged, this, &ConfigDialog::showSection);
    connect(
        m_mailSection, &MailSectionPage::switchedOn, m_mailAddress, &MailAddressPage::mailCheckingSwitchedOn);
}

ConfigPage* ConfigDialog::page(int frame) const
{
    return frame >= 0 && frame < int(m_pages.size()) ? m_pages[std::size_t(frame)] : nullptr;
}

ConfigPage* ConfigDialog::visiblePage() const
{
    for (ConfigPage* p : m_pages) {
        if (p && !p->isHidden())
            return p;
    }
    return nullptr;
}

void ConfigDialog::hideAllPages()
{
    for (ConfigPage* p : m_pages) {
        if (p)
            p->setVisible(false);
    }
}

void ConfigDialog::buildSectionTree()
{
    hideAllPages();
    const Settings& s = m_context.state.settings;
    m_rubriques->fill(sectionTreeEntries(s.forfait, s.sons, s.courrier));
}

void ConfigDialog::entryClick(QTreeWidgetItem* item)
{
    hideAllPages();
    if (!item)
        return;
    const std::optional<SectionEntry> entry = entryForText(item->text(0));
    if (entry)
        loadPage(entry->frame, entry->number);
}

void ConfigDialog::loadPage(int frame, int number)
{
    switch (frame) {
    case 0:
        m_forfait->load();
        break;
    case 1:
        m_currentTime->load();
        break;
    case 2:
        m_planLength->load();
        break;
    case 3:
        m_alert->load();
        break;
    case 4:
        m_reset->load();
        break;
    case 5:
        m_appearanceText->load();
        break;
    case 6:
        m_autoOpen->load();
        break;
    case 7:
        m_position->load();
        break;
    case 8:
        m_skin->load();
        break;
    case 9:
        m_counterMode->load();
        break;
    case 10:
        m_soundsSection->load();
        break;
    case 11:
    case 12:
    case 13:
        soundEventPage(number)->load();
        break;
    case 14:
        m_mailSection->load();
        break;
    case 15:
        m_mailAddress->load(number);
        break;
    case 16:
        m_eventsText->load();
        break;
    case 17:
    case 18: {
        CommandListPage* list = commandListPage(frame - 16);
        list->load();
        list->showSelectedLine();
        break;
    }
    case 19:
        m_permanent->load();
        break;
    case LinePage::Frame:
        m_line->load();
        break;
    default:
        break;
    }
}

void ConfigDialog::showSection(const QString& key)
{
    buildSectionTree();
    m_rubriques->selectInCode(m_rubriques->sectionItem(key));
    if (key == u"forfait")
        m_forfait->load();
    else if (key == u"sons")
        m_soundsSection->load();
    else if (key == u"courrier")
        m_mailSection->load();
}

} // namespace chronolien
