#pragma once

#include <QDate>
#include <QString>

namespace chronolien {

// The settings of config.ini that the usage report needs, named after their keys.
struct PlanSettings {
    bool forfait = true;
    qint32 cpt_limite = 0;
    qint32 cpt_mois = 0;
    int j_raz = 1;
    QDate date_raz; // invalid when config.ini holds none that reads
};

// Reads them from config.ini without ever writing it: a missing file is not created and a key that
// is absent or does not read takes the program's default (date_raz stays invalid). Anything but a
// regular file reads as absent.
PlanSettings readPlanSettings(const QString& configPath);

} // namespace chronolien
