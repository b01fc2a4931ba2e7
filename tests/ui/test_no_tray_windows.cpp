#include "ui/floating_window.h"
#include "ui/program_menus.h"
#include "window_rig.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

// Until the program's icon is in a tray, the floating window is the only way into the program.
class TestNoTrayWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theFloatingWindowStaysAndItsMenuReachesEverything()
    {
        WindowRig rig;
        ProgramWindows& windows = rig.windows;
        QMenu* menu = windows.menus().centreMenu();
        const QList<QAction*> centreEntries = menu->actions();
        windows.showFloatingWindow();
        windows.setTrayIconShown(false);

        QTest::mouseClick(child(windows.floatingWindow(), QStringLiteral("bt_reduire")), Qt::LeftButton);
        QVERIFY(windows.floatingWindow().isVisible());
        QVERIFY(rig.state.settings.affiche_actu);

        QCOMPARE(menu->actions().mid(0, centreEntries.size()), centreEntries);
        QStringList added;
        for (QAction* action : menu->actions().mid(centreEntries.size()))
            added.append(action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(added, (QStringList { "-", "menuconnect", "-", "menuquitter" }));
        menu->actions().constLast()->trigger();
        QCOMPARE(rig.actions.calls, QStringList { QStringLiteral("quit") });

        // A tray that starts later holds the icon: the usual menu and hiding come back.
        windows.setTrayIconShown(true);
        QCOMPARE(menu->actions(), centreEntries);
        QTest::mouseClick(child(windows.floatingWindow(), QStringLiteral("bt_reduire")), Qt::LeftButton);
        QVERIFY(!windows.floatingWindow().isVisible());
        QVERIFY(!rig.state.settings.affiche_actu);
    }
};

QTEST_MAIN(TestNoTrayWindows)
#include "test_no_tray_windows.moc"
