#pragma once

#include <QString>
#include <array>

namespace chronolien {

// One of the five boxes of the automatic-opening page: "Tout le temps", "Si je suis connecté",
// "Si je suis reçois du courrier", "Si je dépasse mon forfait", "Comme la fois précédente".
struct AutoOpenBox {
    bool ticked = false;
    bool enabled = true;
};
using AutoOpenBoxes = std::array<AutoOpenBox, 5>;

// Box k - 1 is ticked when character k of affiche_auto is "1"; any other or missing character
// leaves it unticked. Every box comes enabled.
AutoOpenBoxes autoOpenBoxesFromFlags(const QString& affiche_auto);
// The five characters of affiche_auto, box 0 first, enabled or not.
QString autoOpenFlagsFromBoxes(const AutoOpenBoxes& boxes);

// Enables and disables the boxes so that only combinations that mean something can be made;
// the ticks are never changed.
void updateAutoOpenChoices(AutoOpenBoxes& boxes, bool forfait);

} // namespace chronolien
