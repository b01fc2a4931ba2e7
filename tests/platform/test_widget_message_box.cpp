#include "platform/linux/widget_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace chronolien;

namespace {

QMessageBox* openBox()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

class TestWidgetMessageBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aMessageOnScreenIsNotOpenedAgain()
    {
        WidgetMessageBox messages;
        int boxesSeen = 0;
        MessageAnswer second = MessageAnswer::Ok;
        QString title;
        QTimer::singleShot(0, this, [&] {
            QMessageBox* box = openBox();
            QVERIFY(box);
            ++boxesSeen;
            title = box->windowTitle();
            // A later tick asks for the same message while the first is still open.
            second = messages.show(QStringLiteral("Forfait"), StyleInformation);
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(messages.show(QStringLiteral("Forfait"), StyleInformation), MessageAnswer::Ok);
        QCOMPARE(boxesSeen, 1);
        QCOMPARE(second, MessageAnswer::Cancel);
        QCOMPARE(title, QStringLiteral("Chronolien"));

        // Once closed, the same message can be shown again.
        QTimer::singleShot(0, this, [&] { openBox()->button(QMessageBox::Ok)->click(); });
        QCOMPARE(messages.show(QStringLiteral("Forfait"), StyleInformation), MessageAnswer::Ok);
    }

    void questionAnswers_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(QMessageBox::Yes) << int(MessageAnswer::Yes);
        QTest::newRow("no") << int(QMessageBox::No) << int(MessageAnswer::No);
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << int(MessageAnswer::Cancel);
    }
    void questionAnswers()
    {
        QFETCH(int, button);
        QFETCH(int, answer);
        WidgetMessageBox messages;
        QTimer::singleShot(0, this, [&] {
            QMessageBox* box = openBox();
            QVERIFY(box);
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->text(), QStringLiteral("Quitter ?\nVraiment ?"));
            box->button(QMessageBox::StandardButton(button))->click();
        });
        QCOMPARE(int(messages.show(QStringLiteral("Quitter ?\rVraiment ?"), StyleYesNoCancel)), answer);
    }
};

QTEST_MAIN(TestWidgetMessageBox)
#include "test_widget_message_box.moc"
