// Opens the configuration dialog over a sample application folder and saves a picture of it on a
// few pages, for the README. Run by scripts/config-screenshots.sh.
#include "dialog_rig.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

using namespace chronolien;
using namespace chronolien::test;

namespace {

void makeSampleSkin(const TempAppFolder& folder)
{
    QDir(folder.path()).mkpath("skin/jupiter");
    for (const char* name : { "centre.jpg", "compteur.jpg" }) {
        QImage picture(150, 90, QImage::Format_RGB32);
        picture.fill(QColor(0x30, 0x50, 0x90));
        QPainter p(&picture);
        p.setPen(Qt::white);
        p.drawText(picture.rect(), Qt::AlignCenter, QString::fromLatin1(name));
        p.end();
        picture.save(folder.file(QStringLiteral("skin/jupiter/") + QString::fromLatin1(name)), "JPG");
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    DialogRig rig;
    rig.state.settings.courrier = true;
    rig.state.settings.cpt_mois = 12 * 3600 + 34 * 60 + 56;
    rig.state.commandLists[0].entries = QStringList { "/usr/bin/firefox", "/usr/local/bin/releve-courrier" };
    makeSampleSkin(rig.folder);
    ConfigDialog& dialog = rig.open();
    dialog.resize(720, 460);

    const QList<std::pair<QString, QString>> pages = {
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
        QTest::qWait(50);
        if (!dialog.grab().save(out + u'/' + file))
            ++failures;
    }
    return failures;
}
