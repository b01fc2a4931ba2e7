#include "config_dialog/page_list.h"

#include "config_dialog/appearance_pages.h"
#include "config_dialog/event_pages.h"
#include "config_dialog/line_page.h"
#include "config_dialog/mail_pages.h"
#include "config_dialog/plan_pages.h"
#include "config_dialog/section_switch_page.h"
#include "config_dialog/sound_pages.h"
#include "settings/settings.h"

namespace chronolien {

namespace {

// Makes a page of class Page, given the context, these arguments and its parent.
template <typename Page, typename... Arguments> PageMaker page(Arguments... arguments)
{
    return [=](ConfigDialogContext& context, QWidget* parent) -> ConfigPage* {
        return new Page(context, arguments..., parent);
    };
}

QList<PageEntry> buildList()
{
    using S = ShownWhen;
    // identifier, parent, tree caption, frame, frame caption, picture, shown when, page
    QList<PageEntry> list {
        { "forfait", {}, "FORFAIT", 0, " FORFAIT ", 0, S::Always, page<SectionSwitchPage>(&kPlanSwitch) },
        { "monthTime", "forfait", "Votre temps actuel", 1, " Votre temps actuel ", 3, S::Plan,
            page<PlanTimePage>(&kMonthTime) },
        { "planLength", "forfait", "Durée du forfait", 2, " Seuil d'alerte", 4, S::Plan,
            page<PlanTimePage>(&kPlanLength) },
        { "alert", "forfait", "Alerte", 3, "Alerte", 5, S::Plan, page<AlertPage>() },
        { "resetDay", "forfait", "Remise à zéro", 4, "Remise à zéro", 6, S::Plan, page<ResetPage>() },
        { "apparence", {}, "APPARENCE", 5, "APPARENCE", 0, S::Always,
            page<TextPage>(
                QStringLiteral("Vous trouverez dans cette rubrique tout ce qui concerne l'apparence : "
                               "l'habillage, l'ouverture automatique, le compteur, la position, ...")) },
        { "autoOpen", "apparence", "Ouverture automatique", 6, " Ouverture automatique ", 7, S::Always,
            page<AutoOpenPage>() },
        { "skin", "apparence", "Habillage", 8, " Habillage ", 8, S::Always, page<SkinPage>() },
        { "position", "apparence", "Position", 7, " Position ", 9, S::Always, page<PositionPage>() },
        { "counterMode", "apparence", "Mode du compteur", 9, " Mode du compteur ", 10, S::Plan,
            page<CounterModePage>() },
        { "sons", {}, "SONS", 10, " SONS ", 0, S::Always, page<SectionSwitchPage>(&kSoundSwitch) },
        { "connectSound", "sons", "Connexion", 11, " Connection ", 11, S::Sounds,
            page<SoundEventPage>(SoundEvent::Connect) },
        { "disconnectSound", "sons", "Déconnexion", 12, " Déconnection ", 12, S::Sounds,
            page<SoundEventPage>(SoundEvent::Disconnect) },
        { "mailSound", "sons", "Courrier", 13, " Courrier ", 13, S::Sounds,
            page<SoundEventPage>(SoundEvent::Mail) },
        { "courrier", {}, "COURRIER", 14, " COURRIER", 0, S::Always, page<SectionSwitchPage>(&kMailSwitch) },
    };
    for (int k = 1; k <= 5; ++k) {
        list.append({ QStringLiteral("address%1").arg(k), "courrier", QStringLiteral("Adresse n°%1").arg(k),
            15, " Adresse de courrier ", 14, S::Mail, page<MailAddressPage>(), k });
    }
    list += {
        { "even", {}, "EVENEMENTS", 16, " EVENEMENTS ", 0, S::Always,
            page<TextPage>(
                QStringLiteral("Vous pouvez exécuter une série d'actions à la connexion ou la déconnexion. "
                               "Vous pouvez par exemple programmer votre navigateur pour qu'il s'ouvre "
                               "automatiquement dès que vous êtes sur Internet.")) },
        { "connectCommands", "even", "Connecté", 17, " Connection ", 11, S::Always,
            page<CommandListPage>(1) },
        { "disconnectCommands", "even", "Déconnecté", 18, " Déconnection ", 12, S::Always,
            page<CommandListPage>(2) },
        { "permanentConnection", "even", "Connexion permanente", 19, " Connexion automatique ", 15, S::Always,
            page<PermanentConnectionPage>() },
        { "line", "even", "Ligne", 20, " Ligne ", 11, S::Always, page<LinePage>() },
    };
    return list;
}

bool shown(ShownWhen condition, const Settings& s)
{
    switch (condition) {
    case ShownWhen::Always:
        return true;
    case ShownWhen::Plan:
        return s.forfait;
    case ShownWhen::Sounds:
        return s.sons;
    case ShownWhen::Mail:
        return s.courrier;
    }
    return false;
}

} // namespace

const QList<PageEntry>& pageList()
{
    static const QList<PageEntry> list = buildList();
    return list;
}

QList<PageEntry> shownEntries(const Settings& settings)
{
    QList<PageEntry> entries;
    for (const PageEntry& entry : pageList()) {
        if (shown(entry.shownWhen, settings))
            entries.append(entry);
    }
    return entries;
}

const PageEntry* pageEntry(const QString& id)
{
    for (const PageEntry& entry : pageList()) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

} // namespace chronolien
