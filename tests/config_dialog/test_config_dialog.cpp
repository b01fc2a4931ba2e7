// The dialog as a whole: its tree and pages, validating and closing.
#include "config_dialog/link_label.h"
#include "dialog_rig.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace chronolien;
using namespace chronolien::test;

using Edit = std::function<void(DialogRig&)>;
Q_DECLARE_METATYPE(Edit)

namespace {

// Settings unlike the defaults, so that every page has something to change.
const QStringList kStored = { "courrier=Vrai", "affiche_rebours=Faux", "son_mail=0", "cpt_mois=5000",
    "j_raz=3", "ligne=nm:Mobile" };

// An entry's caption, indented under its section.
QString caption(const QTreeWidgetItem* item)
{
    return (item->parent() ? QStringLiteral("  ") : QString()) + item->text(0);
}

// The tree's entries in order.
QStringList captions(SectionTreeView* tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        texts.append(caption(*it));
    return texts;
}

Edit typeTime(const QString& letter, const QString& h, const QString& m, const QString& s)
{
    return [=](DialogRig& rig) {
        for (const auto& [unit, text] : { std::pair { u'h', h }, { u'm', m }, { u's', s } })
            DialogRig::retype(rig.find<QLineEdit>(QStringLiteral("txt_") + letter + unit), text);
    };
}

Edit tickEach(const QStringList& names)
{
    return [=](DialogRig& rig) {
        for (const QString& name : names)
            DialogRig::tick(rig.find<QAbstractButton>(name));
    };
}

} // namespace

class TestConfigDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QApplication::setFont(QFont()); }

    // A page's "Valider", or Enter wherever the focus is on the page, stores that page's settings
    // only. A page left and come back to has dropped its edits and stores nothing new; a dialog
    // closed, however it is, has dropped them and stored nothing, and opened again it shows what is
    // stored, so that validating it changes nothing.
    void pageValidates_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("done"); // records of config.ini, then what the program did
        const QList<std::tuple<const char*, Edit, QStringList>> pages = {
            { "Votre temps actuel", typeTime("a", "0,5", "0", "0"),
                { "cpt_mois=1800", "counter 0:30:00", "setMonthAlertLook(0)" } },
            // Over the bounds: the seconds are brought to 59 even when Enter is pressed in their field.
            { "Durée du forfait", typeTime("f", "999", "59", "75"),
                { "cpt_limite=3599999", "setMonthAlertLook(0)" } },
            { "Alerte", tickEach({ "vf_alerte1", "vf_alerte2" }),
                { "alerte1=Faux", "alerte2=Vrai", "setMonthAlertLook(0)" } },
            { "Remise à zéro",
                [](DialogRig& rig) { DialogRig::retype(rig.find<QLineEdit>("txt_raz"), "32"); },
                { "j_raz=31" } },
            // "Tout le temps" disables the others, the third too, which takes no tick then; "Si je suis
            // connecté" keeps its tick.
            { "Ouverture automatique", tickEach({ "vf_ouv0", "vf_ouv2" }), { "affiche_auto=11000" } },
            { "Position", tickEach({ "opt_pos1" }), { "pos_mem=Faux" } },
            { "Mode du compteur", tickEach({ "opt_cpt1" }), { "affiche_rebours=Vrai" } },
            { "Connexion", tickEach({ "vf_chsons" }), { "son_connect=0" } },
            // Switched on again, the mail sound keeps the default path the page showed.
            { "Courrier", tickEach({ "vf_chsons" }), { "son_mail=%1/sons/mail.wav" } },
            { "Connexion permanente", tickEach({ "vf_auto" }), { "connect_auto=Vrai" } },
            { "Ligne", [](DialogRig& rig) { DialogRig::clickRow(rig.find<QListWidget>("lst_ligne"), 0); },
                { "ligne=pon" } },
        };
        for (const char* way : { "Valider", "Enter", "left and back", "Fermer", "close box", "Escape" }) {
            for (const auto& [entry, edit, done] : pages) {
                const bool stores = way == QLatin1String("Valider") || way == QLatin1String("Enter");
                QTest::addRow("%s, %s", entry, way)
                    << way << entry << edit << (stores ? done : QStringList());
            }
        }
    }
    void pageValidates()
    {
        QFETCH(QString, way);
        QFETCH(QString, entry);
        QFETCH(Edit, edit);
        QFETCH(QStringList, done);
        DialogRig rig(kStored);
        QVERIFY(rig.openAt(entry));
        const QByteArray before = rig.config();
        const QStringList callsBefore = rig.windows.calls;
        edit(rig);
        if (way == "Valider")
            QTest::mouseClick(rig.dialog().visiblePage()->validateButton(), Qt::LeftButton);
        else if (way == "Fermer")
            QTest::mouseClick(rig.dialog().findChild<QPushButton*>("bt_ferme"), Qt::LeftButton);
        else if (way == "close box")
            rig.dialog().close();
        else if (way == "left and back")
            QVERIFY(rig.click("APPARENCE") && rig.click(entry));
        if (way == "Enter" || way == "left and back" || way == "Escape")
            DialogRig::press(way == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        QStringList did = rig.changedRecords(before);
        if (way == "Valider" || way == "Enter") {
            if (rig.windows.counterUpdates > 0)
                did.append("counter " + rig.windows.monthText);
            did += rig.windows.calls.mid(callsBefore.size());
        }
        QCOMPARE(did, done.replaceInStrings("%1", rig.folder.path()));
        if (way == "Fermer" || way == "close box" || way == "Escape") {
            QTRY_VERIFY(!rig.launcher.dialog());
            QVERIFY(rig.openAt(entry));
            DialogRig::press(Qt::Key_Return);
            QCOMPARE(rig.changedRecords(before), QStringList());
        }
    }

    // A section switch stores itself and adds or removes its entries at once; pressed with the
    // keyboard, it keeps the focus, so that pressing it again switches it back.
    void sectionSwitch_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("effects"); // on the windows
        const QList<std::tuple<const char*, const char*, const char*, QStringList, QStringList>> rows = {
            { "no plan", "FORFAIT", "vf_forfait",
                { "Votre temps actuel", "Durée du forfait", "Alerte", "Remise à zéro", "Mode du compteur" },
                { "setMonthAlertLook(0)" } },
            { "no sound", "SONS", "vf_sons", { "Connexion", "Déconnexion", "Courrier" }, {} },
            { "no mail", "COURRIER", "vf_courrier",
                { "Adresse n°1", "Adresse n°2", "Adresse n°3", "Adresse n°4", "Adresse n°5" },
                { "applyMailWindow" } },
        };
        for (const auto& [name, entry, box, removed, effects] : rows)
            QTest::newRow(name) << entry << box << removed << effects;
    }
    void sectionSwitch()
    {
        QFETCH(QString, entry);
        QFETCH(QString, box);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, effects);
        DialogRig rig(kStored);
        rig.state.mailWindowShown = true;
        QVERIFY(rig.openAt(entry));
        const QString frame = rig.shownFrame();
        SectionTreeView* tree = rig.dialog().rubriques();
        const QStringList all = captions(tree);
        const QByteArray before = rig.config();
        const qsizetype calls = rig.windows.calls.size();
        auto* checkBox = rig.find<QCheckBox>(box);
        checkBox->setFocus();
        for (const bool off : { true, false }) {
            DialogRig::press(Qt::Key_Space);
            QCOMPARE(checkBox->isChecked(), off);
            QStringList remaining = all;
            for (const QString& caption : removed)
                remaining.removeOne(off ? "  " + caption : QString());
            QCOMPARE(captions(tree), remaining);
            QCOMPARE(rig.changedRecords(before), off ? QStringList { box.mid(3) + "=Faux" } : QStringList());
            QCOMPARE(rig.windows.calls.mid(calls, effects.size()), effects);
            QCOMPARE(tree->currentItem(), rig.entry(entry));
            QCOMPARE(rig.shownFrame(), frame);
            QCOMPARE(QApplication::focusWidget(), checkBox);
        }
    }

    void helpAndAboutBox()
    {
        DialogRig rig;
        ConfigDialog& dialog = rig.open();
        QTest::mouseClick(dialog.findChild<QLabel*>("aide"), Qt::LeftButton);
        QCOMPARE(rig.fakes.processes.opened, QStringList { rig.folder.path() + "/doc/aide.htm" });

        QTest::mouseClick(dialog.findChild<QPushButton*>("bt_propos"), Qt::LeftButton);
        AboutBox* box = rig.about.box();
        QVERIFY(box && box->isVisible());
        QTest::mouseClick(box->mail, Qt::LeftButton);
        QCOMPARE(rig.fakes.processes.opened.last(),
            "mailto:" + box->mail->text() + "?Subject=\"A propos de Chronolien 7.0.6\"");

        // Modeless: the dialog goes on working beside the box; OK closes the box.
        QVERIFY(rig.click("Alerte"));
        QCOMPARE(rig.shownFrame(), QStringLiteral("fl3"));
        QTest::mouseClick(box->bt_ok, Qt::LeftButton);
        QTRY_VERIFY(!rig.about.box());
    }

    // Each entry in the tree's order and the page its click shows alone: its frame and caption. On
    // every page the tree shows its entries whole and the dialog fits a 1024×768 screen, with room
    // for a title bar and a panel, at the usual font and at a large one. CTest runs the usual font
    // again at 1.5 times the text size (the font resolution a desktop's text scaling sets, from
    // which Qt scales the whole window) and at 1.5 times the scale.
    void everyPage_data()
    {
        QTest::addColumn<qreal>("points");
        QTest::newRow("usual font") << 0.0;
        QTest::newRow("14-point font") << 14.0;
    }
    void everyPage()
    {
        QFETCH(qreal, points);
        if (points > 0) {
            QFont font;
            font.setPointSizeF(points);
            QApplication::setFont(font);
        }
        DialogRig rig(kStored);
        rig.makeSkin("alpha");
        SectionTreeView* tree = rig.open().rubriques();
        QCOMPARE(rig.shownFrame(), QStringLiteral("fl0"));
        QCOMPARE(tree->currentItem(), rig.entry("FORFAIT"));
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            QVERIFY(!tree->topLevelItem(i)->isExpanded());
        tree->expandAll();
        const qreal ratio = rig.dialog().devicePixelRatioF();
        QStringList shown;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            QVERIFY(rig.click((*it)->text(0)));
            QVERIFY(!(*it)->icon(0).isNull());
            ConfigPage* page = rig.dialog().visiblePage();
            shown.append(caption(*it) + " > " + page->objectName() + " '" + page->title() + "'");
            // Only one page at a time, and none of its texts speaks of another system.
            const QList<ConfigPage*> pages = rig.dialog().findChildren<ConfigPage*>();
            QCOMPARE(
                std::count_if(pages.begin(), pages.end(), [](ConfigPage* p) { return !p->isHidden(); }), 1);
            for (const QLabel* label : page->findChildren<QLabel*>())
                QVERIFY2(!label->text().contains("Windows"), qPrintable(label->text()));
            // The width the tree's own delegate asks for its widest shown entry.
            const int treeNeeds = static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(0);
            QVERIFY2(treeNeeds <= tree->viewport()->width(), qPrintable((*it)->text(0)));
            QTest::qWait(20);
            // Every control of the page gets the height it needs, a wrapped text for its width.
            for (const QWidget* w : rig.dialog().visiblePage()->findChildren<QWidget*>()) {
                const auto* label = qobject_cast<const QLabel*>(w);
                const int needed = label && label->wordWrap() ? label->heightForWidth(label->width())
                    : w->minimumHeight() > 0                  ? w->minimumHeight()
                                                              : w->minimumSizeHint().height();
                QVERIFY2(!w->isVisible() || w->height() >= needed,
                    qPrintable((*it)->text(0) + ": " + w->objectName()));
            }
            const QSize size = rig.dialog().frameGeometry().size() * ratio;
            QVERIFY2(size.width() <= 1024 && size.height() <= 768 - 48,
                qPrintable(
                    QStringLiteral("%1: %2×%3").arg((*it)->text(0)).arg(size.width()).arg(size.height())));
        }
        QCOMPARE(shown,
            QStringList({ "FORFAIT > fl0 ' FORFAIT '", "  Votre temps actuel > fl1 ' Votre temps actuel '",
                "  Durée du forfait > fl2 ' Seuil d'alerte'", "  Alerte > fl3 'Alerte'",
                "  Remise à zéro > fl4 'Remise à zéro'", "APPARENCE > fl5 'APPARENCE'",
                "  Ouverture automatique > fl6 ' Ouverture automatique '", "  Habillage > fl8 ' Habillage '",
                "  Position > fl7 ' Position '", "  Mode du compteur > fl9 ' Mode du compteur '",
                "SONS > fl10 ' SONS '", "  Connexion > fl11 ' Connection '",
                "  Déconnexion > fl12 ' Déconnection '", "  Courrier > fl13 ' Courrier '",
                "COURRIER > fl14 ' COURRIER'", "  Adresse n°1 > fl15 ' Adresse de courrier '",
                "  Adresse n°2 > fl15 ' Adresse de courrier '",
                "  Adresse n°3 > fl15 ' Adresse de courrier '",
                "  Adresse n°4 > fl15 ' Adresse de courrier '",
                "  Adresse n°5 > fl15 ' Adresse de courrier '", "EVENEMENTS > fl16 ' EVENEMENTS '",
                "  Connecté > fl17 ' Connection '", "  Déconnecté > fl18 ' Déconnection '",
                "  Connexion permanente > fl19 ' Connexion automatique '", "  Ligne > fl20 ' Ligne '" }));

        // Opened again, the dialog comes back to the plan page.
        QCOMPARE(&rig.open(), &rig.dialog());
        QCOMPARE(rig.shownFrame(), QStringLiteral("fl0"));
        QCOMPARE(tree->currentItem(), rig.entry("FORFAIT"));
    }
};

QTEST_MAIN(TestConfigDialog)
#include "test_config_dialog.moc"
