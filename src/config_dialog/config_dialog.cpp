#include "config_dialog/config_dialog.h"

#include "config_dialog/about_box.h"
#include "config_dialog/about_texts.h"
#include "config_dialog/config_dialog_context.h"
#include "config_dialog/config_page.h"
#include "config_dialog/link_label.h"
#include "config_dialog/page_list.h"
#include "config_dialog/section_tree_view.h"
#include "platform/process_starter.h"
#include "state/app_state.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStackedLayout>
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
    auto* version = new QLabel(dialogVersionText(), this);
    version->setObjectName(QStringLiteral("version"));
    header->addWidget(titre);
    header->addWidget(version, 0, Qt::AlignBottom);
    header->addStretch();
    right->addLayout(header);
    right->addWidget(buildPages(), 1);

    auto* bottom = new QHBoxLayout;
    auto* aide = new LinkLabel(QStringLiteral("aide"), this);
    aide->setPixmap(helpPicture());
    aide->setToolTip(QStringLiteral("Voir le fichier d'aide"));
    auto* aideLabel = new QLabel(QStringLiteral("Aide"), this);
    auto* about = new QPushButton(QStringLiteral("A propos..."), this);
    about->setObjectName(QStringLiteral("bt_propos"));
    auto* closeButton = new QPushButton(QStringLiteral("Fermer"), this);
    closeButton->setObjectName(QStringLiteral("bt_ferme"));
    closeButton->setToolTip(QStringLiteral("Fermer la fenêtre de configuration"));
    bottom->addWidget(aide);
    bottom->addWidget(aideLabel);
    bottom->addStretch();
    bottom->addWidget(about);
    bottom->addWidget(closeButton);
    right->addLayout(bottom);

    connect(m_rubriques, &SectionTreeView::entryChosen, this, &ConfigDialog::showEntry);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(about, &QPushButton::clicked, this, [this] { m_context.about.showAboutBox(); });
    connect(aide, &LinkLabel::clicked, this,
        [this] { m_context.processes.openUrl(m_context.state.dataPath(QStringLiteral("doc/aide.htm"))); });
}

ConfigDialog::~ConfigDialog() = default;

QWidget* ConfigDialog::buildPages()
{
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("pages"));
    // Every page in the same place, at most one visible; the place is as large as the largest
    // page, so that the dialog keeps its size from page to page.
    auto* stack = new QStackedLayout(area);
    stack->setStackingMode(QStackedLayout::StackAll);
    QHash<int, ConfigPage*> pageOfFrame;
    for (const PageEntry& entry : pageList()) {
        ConfigPage*& page = pageOfFrame[entry.frame];
        if (!page) {
            page = entry.make(m_context, area);
            page->setObjectName(QStringLiteral("fl%1").arg(entry.frame));
            page->setTitle(entry.frameCaption);
            stack->addWidget(page);
            m_pages.append(page);
            connect(page, &ConfigPage::sectionSwitched, this, [this, id = entry.id] { showSection(id); });
        }
        m_pageOfEntry.insert(entry.id, page);
    }
    hideAllPages();
    return area;
}

ConfigPage* ConfigDialog::visiblePage() const
{
    for (ConfigPage* page : m_pages) {
        if (!page->isHidden())
            return page;
    }
    return nullptr;
}

void ConfigDialog::hideAllPages()
{
    for (ConfigPage* page : m_pages)
        page->setVisible(false);
}

void ConfigDialog::buildSectionTree()
{
    hideAllPages();
    m_rubriques->fill(shownEntries(m_context.state.settings));
}

void ConfigDialog::showEntry(const QString& id)
{
    hideAllPages();
    const PageEntry* entry = pageEntry(id);
    if (entry)
        m_pageOfEntry.value(id)->load(entry->number);
}

void ConfigDialog::showSection(const QString& id)
{
    // Hiding the pages takes the focus from the switch the user just pressed; it goes back to it,
    // so that the next key acts on the switch again.
    QWidget* focused = focusWidget();
    buildSectionTree();
    m_rubriques->selectInCode(m_rubriques->item(id));
    showEntry(id);
    if (focused && focused->isVisible())
        focused->setFocus(Qt::OtherFocusReason);
}

bool ConfigDialog::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize)
        keepRoomForWrappedTexts();
    return handled;
}

void ConfigDialog::keepRoomForWrappedTexts()
{
    // A window's layout bounds its height by its controls' minimum sizes only, not by the height
    // its word-wrapped texts need at its width, which grows with the font: without this, a large
    // font squeezes the page's fields and cuts its texts.
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > 0 && needed != minimumHeight())
        setMinimumHeight(needed);
}

void ConfigDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        validateShownPage();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ConfigDialog::validateShownPage()
{
    // A focused button takes Enter as its own press ("A propos...", "Remettre à zéro maintenant").
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
        button->click();
        return;
    }
    // A page offers no "Valider" where there is nothing it could store (a skin without its
    // pictures); Enter stores nothing there either.
    ConfigPage* page = visiblePage();
    QPushButton* validate = page ? page->validateButton() : nullptr;
    if (validate && validate->isVisibleTo(page) && validate->isEnabled())
        validate->click();
}

} // namespace chronolien
