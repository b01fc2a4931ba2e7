#include "config_dialog/auto_open_choices.h"

namespace chronolien {

AutoOpenBoxes autoOpenBoxesFromFlags(const QString& affiche_auto)
{
    AutoOpenBoxes boxes;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i].ticked = qsizetype(i) < affiche_auto.size() && affiche_auto[qsizetype(i)] == u'1';
    return boxes;
}

QString autoOpenFlagsFromBoxes(const AutoOpenBoxes& boxes)
{
    QString flags;
    for (const AutoOpenBox& box : boxes)
        flags += box.ticked ? u'1' : u'0';
    return flags;
}

void updateAutoOpenChoices(AutoOpenBoxes& boxes, bool forfait)
{
    auto enable = [&boxes](std::initializer_list<std::size_t> which, bool enabled) {
        for (std::size_t i : which)
            boxes[i].enabled = enabled;
    };
    if (boxes[0].ticked) {
        // Always shown: no other condition adds anything.
        enable({ 1, 2, 3, 4 }, false);
    } else {
        enable({ 0, 1, 2, 3, 4 }, true);
        if (boxes[4].ticked)
            enable({ 0, 1, 2, 3 }, false);
        else
            // Shown while connected already covers mail and plan alerts, which need the line.
            enable({ 2, 3 }, !boxes[1].ticked);
    }
    if (!forfait)
        boxes[3].enabled = false;
}

} // namespace chronolien
