#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QTreeWidgetItem;

namespace chronolien {

class AlertPage;
class AutoOpenPage;
class CommandListPage;
class ConfigPage;
class CounterModePage;
class CurrentTimePage;
class ForfaitPage;
class LinePage;
class LinkLabel;
class MailAddressPage;
class MailSectionPage;
class PermanentConnectionPage;
class PlanLengthPage;
class PositionPage;
class ResetPage;
class SectionTreeView;
class SkinPage;
class SoundEventPage;
class SoundsSectionPage;
class TextPage;
struct ConfigDialogContext;

// fl_config, "Chronolien - Configuration": the tree of sections on the left, one page at a time on
// the right. Pages store their own keys when validated; closing the dialog writes nothing.
class ConfigDialog : public QWidget {
    Q_OBJECT
public:
    explicit ConfigDialog(ConfigDialogContext& context, QWidget* parent = nullptr);
    ~ConfigDialog() override;

    // Hides every page and fills the tree again from forfait, sons and courrier.
    void buildSectionTree();
    void hideAllPages();
    // Shows the page of a tree entry, loaded from memory; an entry of no known text shows none.
    void entryClick(QTreeWidgetItem* item);
    // Selects a section's root in code (no page follows) and loads the section's page.
    void showSection(const QString& key);

    SectionTreeView* rubriques() const { return m_rubriques; }
    // Page fl<frame>; fl15 is shared by the five addresses.
    ConfigPage* page(int frame) const;
    // The page showing now, or none.
    ConfigPage* visiblePage() const;

    ForfaitPage* forfaitPage() const { return m_forfait; }
    CurrentTimePage* currentTimePage() const { return m_currentTime; }
    PlanLengthPage* planLengthPage() const { return m_planLength; }
    AlertPage* alertPage() const { return m_alert; }
    ResetPage* resetPage() const { return m_reset; }
    AutoOpenPage* autoOpenPage() const { return m_autoOpen; }
    PositionPage* positionPage() const { return m_position; }
    SkinPage* skinPage() const { return m_skin; }
    CounterModePage* counterModePage() const { return m_counterMode; }
    SoundsSectionPage* soundsSectionPage() const { return m_soundsSection; }
    SoundEventPage* soundEventPage(int event) const { return m_soundEvents.at(std::size_t(event - 1)); }
    MailSectionPage* mailSectionPage() const { return m_mailSection; }
    MailAddressPage* mailAddressPage() const { return m_mailAddress; }
    CommandListPage* commandListPage(int list) const { return m_commandLists.at(std::size_t(list - 1)); }
    PermanentConnectionPage* permanentConnectionPage() const { return m_permanent; }
    LinePage* linePage() const { return m_line; }

    QLabel* version;
    LinkLabel* aide;
    QPushButton* bt_propos;
    QPushButton* bt_ferme;

private:
    void buildPages(QWidget* area);
    void loadPage(int frame, int number);

    ConfigDialogContext& m_context;
    SectionTreeView* m_rubriques;
    std::array<ConfigPage*, 21> m_pages {};
    ForfaitPage* m_forfait;
    CurrentTimePage* m_currentTime;
    PlanLengthPage* m_planLength;
    AlertPage* m_alert;
    ResetPage* m_reset;
    TextPage* m_appearanceText;
    AutoOpenPage* m_autoOpen;
    PositionPage* m_position;
    SkinPage* m_skin;
    CounterModePage* m_counterMode;
    SoundsSectionPage* m_soundsSection;
    std::array<SoundEventPage*, 3> m_soundEvents {};
    MailSectionPage* m_mailSection;
    MailAddressPage* m_mailAddress;
    TextPage* m_eventsText;
    std::array<CommandListPage*, 2> m_commandLists {};
    PermanentConnectionPage* m_permanent;
    LinePage* m_line;
};

} // namespace chronolien
