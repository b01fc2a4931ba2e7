#include "dialog_rig.h"
#include "settings/line_choice.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

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
    // cannot be found stays selected, marked, so that "Valider" does not drop it unseen. (Storing is
    // in the dialog's table of pages.)
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
        DialogRig rig({ QStringLiteral("ligne=") + LineChoice { stored }.toText() });
        if (!listed.isEmpty())
            rig.networkManagerNames = listed;
        QVERIFY(rig.openAt(QStringLiteral("Ligne")));
        auto* list = rig.find<QListWidget>(QStringLiteral("lst_ligne"));
        QCOMPARE(texts(list), shown);
        QCOMPARE(list->currentRow(), selected);
        QCOMPARE(rig.find<QLabel>(QStringLiteral("txt_ligne"))->isHidden(), !listed.isEmpty());
    }

    // A name that config.ini cannot give back is refused with a message, and the old choice stays.
    void refusesANameThatCannotBeStored()
    {
        DialogRig rig;
        rig.networkManagerNames = QStringList { QString(58, u'x'), QStringLiteral("Mobile") };
        QVERIFY(rig.openAt(QStringLiteral("Ligne")));
        auto* list = rig.find<QListWidget>(QStringLiteral("lst_ligne"));
        QPushButton* validate = rig.dialog().visiblePage()->validateButton();
        list->setCurrentRow(2);
        QTest::mouseClick(validate, Qt::LeftButton);
        const QByteArray before = rig.config();
        list->setCurrentRow(1);
        QTest::mouseClick(validate, Qt::LeftButton);
        QCOMPARE(rig.changedRecords(before), QStringList());
        QCOMPARE(rig.fakes.messages.shown.size(), 1);
        QVERIFY(rig.fakes.messages.shown[0].text.contains(QStringLiteral("57 caractères")));
        QCOMPARE(rig.state.settings.ligne.networkManagerConnection, QStringLiteral("Mobile"));
        QCOMPARE(rig.file.readKey(QStringLiteral("ligne")), QStringLiteral("nm:Mobile"));
    }
};

QTEST_MAIN(TestLinePage)
#include "test_line_page.moc"
