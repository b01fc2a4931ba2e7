// Opens the configuration dialog over a sample application folder and saves a picture of it on a
// few pages, for the README; with "large" after the folder, one picture with the whole tree open,
// for a run at a large text scale. Run by scripts/config-screenshots.sh.
#include "dialog_rig.h"

#include <QApplication>
#include <QDir>

using namespace chronolien;
using namespace chronolien::test;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const bool large = argc > 2 && QByteArray(argv[2]) == "large";
    QDir().mkpath(out);

    DialogRig rig({ "courrier=Vrai", "cpt_mois=45296" });
    rig.state.commandLists[0].entries = QStringList { "/usr/bin/firefox", "/usr/local/bin/releve-courrier" };
    rig.makeSkin("jupiter");
    ConfigDialog& dialog = rig.open();

    const QList<std::pair<QString, QString>> pages = large
        ? QList<std::pair<QString, QString>> { { "Votre temps actuel", "config-texte-1.5.png" } }
        : QList<std::pair<QString, QString>> {
              { "FORFAIT", "config-forfait.png" },
              { "Durée du forfait", "config-duree-du-forfait.png" },
              { "Ouverture automatique", "config-ouverture-automatique.png" },
              { "Habillage", "config-habillage.png" },
              { "Courrier", "config-son-courrier.png" },
              { "Adresse n°1", "config-adresse.png" },
              { "Connecté", "config-connecte.png" },
          };
    int failures = 0;
    for (const auto& [entry, file] : pages) {
        if (!rig.click(entry)) {
            qWarning("no entry %s", qPrintable(entry));
            ++failures;
            continue;
        }
        if (large)
            rig.dialog().rubriques()->expandAll();
        QTest::qWait(50);
        if (!dialog.grab().save(out + u'/' + file))
            ++failures;
    }
    return failures;
}
