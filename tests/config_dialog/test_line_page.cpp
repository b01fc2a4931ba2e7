#include "config_dialog/line_page.h"
#include "dialog_rig.h"

#include <QLabel>
#include <QListWidget>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QStringList texts(const QListWidget* list)
{
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result.append(list->item(row)->text());
    return result;
}

const QString DialUp = QStringLiteral("Ligne téléphonique (pppd)");

} // namespace

class TestLinePage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The page lists what NetworkManager has, the stored line selected; a stored connection that
    // cannot be found stays selected, marked, so that "Valider" does not drop it unseen.
    void listsTheLinesWithTheStoredOneSelected_data()
    {
        QTest::addColumn<QStringList>("listed"); // what NetworkManager lists; empty: it does not answer
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("selected");
        const QStringList none;
        const QStringList two { QStringLiteral("Bluetooth"), QStringLiteral("Mobile") };
        const QString mobile = QStringLiteral("Mobile");
        QTest::newRow("no NetworkManager") << none << QString() << QStringList { DialUp } << 0;
        QTest::newRow("no NetworkManager, a connection stored")
            << none << mobile << QStringList { DialUp, QStringLiteral("Mobile (introuvable)") } << 1;
        QTest::newRow("connection listed") << two << mobile << QStringList { DialUp, two[0], two[1] } << 2;
        QTest::newRow("connection gone")
            << two << QStringLiteral("VPN")
            << QStringList { DialUp, two[0], two[1], QStringLiteral("VPN (introuvable)") } << 3;
        QTest::newRow("dial-up stored") << two << QString() << QStringList { DialUp, two[0], two[1] } << 0;
    }
    void listsTheLinesWithTheStoredOneSelected()
    {
        QFETCH(QStringList, listed);
        QFETCH(QString, stored);
        QFETCH(QStringList, shown);
        QFETCH(int, selected);
        DialogRig rig;
        if (!listed.isEmpty())
            rig.networkManagerNames = listed;
        rig.state.settings.ligne = LineChoice { stored };
        QVERIFY(rig.openAt(QStringLiteral("Ligne")));
        QCOMPARE(rig.visibleFrame(), LinePage::Frame);
        auto* list = rig.find<QListWidget>(QStringLiteral("lst_ligne"));
        QCOMPARE(texts(list), shown);
        QCOMPARE(list->currentRow(), selected);
        QCOMPARE(rig.find<QLabel>(QStringLiteral("txt_ligne"))->isHidden(), !listed.isEmpty());

        // Validated as it stands, the choice is stored again unchanged; nothing else is written.
        QCOMPARE(rig.validate(QStringLiteral("bt20_ok")), QStringList { QStringLiteral("ligne") });
        QCOMPARE(rig.file.readKey(QStringLiteral("ligne")), LineChoice { stored }.toText());
    }

    // A name that config.ini cannot give back is refused with a message, and the old choice stays.
    void refusesANameThatCannotBeStored()
    {
        DialogRig rig;
        const QString tooLong(58, u'x');
        rig.networkManagerNames = QStringList { tooLong, QStringLiteral("Mobile") };
        QVERIFY(rig.openAt(QStringLiteral("Ligne")));
        auto* list = rig.find<QListWidget>(QStringLiteral("lst_ligne"));
        list->setCurrentRow(2);
        QCOMPARE(rig.validate(QStringLiteral("bt20_ok")), QStringList { QStringLiteral("ligne") });
        list->setCurrentRow(1);
        QCOMPARE(rig.validate(QStringLiteral("bt20_ok")), QStringList());
        QCOMPARE(rig.fakes.messages.shown.size(), 1);
        QVERIFY(rig.fakes.messages.shown[0].text.contains(QStringLiteral("57 caractères")));
        QCOMPARE(rig.state.settings.ligne.networkManagerConnection, QStringLiteral("Mobile"));
        QCOMPARE(rig.file.readKey(QStringLiteral("ligne")), QStringLiteral("nm:Mobile"));
    }
};

QTEST_MAIN(TestLinePage)
#include "test_line_page.moc"
