#include "config_dialog/section_tree.h"

#include <iterator>

namespace chronolien {

namespace {

QList<SectionEntry> buildTable()
{
    using C = EntryCondition;
    auto root = [](const char16_t* text, const char16_t* key, int frame) {
        return SectionEntry { QString::fromUtf16(text), QString(), QString::fromUtf16(key), 1, 2, C::Always,
            frame, 0 };
    };
    auto child = [](const char16_t* text, const char16_t* parent, int image, C condition, int frame,
                     int number = 0) {
        return SectionEntry { QString::fromUtf16(text), QString::fromUtf16(parent), QString(), image, image,
            condition, frame, number };
    };
    QList<SectionEntry> table {
        root(u"FORFAIT", u"forfait", 0),
        child(u"Votre temps actuel", u"forfait", 3, C::Forfait, 1),
        child(u"Durée du forfait", u"forfait", 4, C::Forfait, 2),
        child(u"Alerte", u"forfait", 5, C::Forfait, 3),
        child(u"Remise à zéro", u"forfait", 6, C::Forfait, 4),
        root(u"APPARENCE", u"apparence", 5),
        child(u"Ouverture automatique", u"apparence", 7, C::Always, 6),
        child(u"Habillage", u"apparence", 8, C::Always, 8),
        child(u"Position", u"apparence", 9, C::Always, 7),
        child(u"Mode du compteur", u"apparence", 10, C::Forfait, 9),
        root(u"SONS", u"sons", 10),
        child(u"Connexion", u"sons", 11, C::Sons, 11, 1),
        child(u"Déconnexion", u"sons", 12, C::Sons, 12, 2),
        child(u"Courrier", u"sons", 13, C::Sons, 13, 3),
        root(u"COURRIER", u"courrier", 14),
    };
    for (int k = 1; k <= 5; ++k) {
        SectionEntry address = child(u"", u"courrier", 14, C::Courrier, 15, k);
        address.text = QStringLiteral("Adresse n°%1").arg(k);
        table.append(address);
    }
    table += {
        root(u"EVENEMENTS", u"even", 16),
        child(u"Connecté", u"even", 11, C::Always, 17),
        child(u"Déconnecté", u"even", 12, C::Always, 18),
        child(u"Connexion permanente", u"even", 15, C::Always, 19),
        child(u"Ligne", u"even", 11, C::Always, 20),
    };
    return table;
}

} // namespace

const QList<SectionEntry>& sectionTable()
{
    static const QList<SectionEntry> table = buildTable();
    return table;
}

QList<SectionEntry> sectionTreeEntries(bool forfait, bool sons, bool courrier)
{
    QList<SectionEntry> entries;
    for (const SectionEntry& entry : sectionTable()) {
        const bool shown = entry.condition == EntryCondition::Always
            || (entry.condition == EntryCondition::Forfait && forfait)
            || (entry.condition == EntryCondition::Sons && sons)
            || (entry.condition == EntryCondition::Courrier && courrier);
        if (shown)
            entries.append(entry);
    }
    return entries;
}

std::optional<SectionEntry> entryForText(const QString& text)
{
    for (const SectionEntry& entry : sectionTable()) {
        if (entry.text == text)
            return entry;
    }
    return std::nullopt;
}

QString frameCaption(int frame)
{
    static const char16_t* const captions[] = {
        u" FORFAIT ",
        u" Votre temps actuel ",
        u" Seuil d'alerte",
        u"Alerte",
        u"Remise à zéro",
        u"APPARENCE",
        u" Ouverture automatique ",
        u" Position ",
        u" Habillage ",
        u" Mode du compteur ",
        u" SONS ",
        u" Connection ",
        u" Déconnection ",
        u" Courrier ",
        u" COURRIER",
        u" Adresse de courrier ",
        u" EVENEMENTS ",
        u" Connection ",
        u" Déconnection ",
        u" Connexion automatique ",
        u" Ligne ",
    };
    return frame >= 0 && frame < int(std::size(captions)) ? QString::fromUtf16(captions[frame]) : QString();
}

} // namespace chronolien
