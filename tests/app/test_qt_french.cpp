#include "app/desktop_session.h"
#include "core/application.h"
#include "platform/linux/widget_message_box.h"
#include "ui/xvfb_display.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace chronolien;
using chronolien::test::XvfbDisplay;

// Qt's own texts (one catalogue holds the buttons, file dialogs and context menus) and the window
// titles once the program has settled on the desktop, run under an English locale (see the test's
// environment).
class TestQtFrench : public QObject {
    Q_OBJECT
public:
    explicit TestQtFrench(const XvfbDisplay& x)
        : m_x(x)
    {
    }

private Q_SLOTS:
    void initTestCase() { settleOnDesktop(false); }

    void quitQuestionAnswersInFrench()
    {
        WidgetMessageBox messages;
        QStringList buttons;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (const QAbstractButton* button : box->buttons())
                buttons.append(button->text().remove(u'&'));
            box->button(QMessageBox::Cancel)->click();
        });
        QCOMPARE(messages.show(Application::quitQuestion(), StyleYesNoCancel), MessageAnswer::Cancel);
        buttons.sort();
        QCOMPARE(buttons, (QStringList { "Annuler", "Non", "Oui" }));
    }

    // As the desktop shows them: a display name would be appended to the titles, and an untitled
    // skinned window shows the program's name.
    void windowTitlesStay()
    {
        if (!m_x.isRunning())
            QSKIP(qPrintable(m_x.failure()));
        for (const QString title : { "Chronolien - Configuration", "" }) {
            QWidget window;
            window.setWindowTitle(title);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QProcess xprop;
            xprop.start(QStringLiteral("xprop"),
                { QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("_NET_WM_NAME") });
            QVERIFY(xprop.waitForFinished());
            QCOMPARE(QString::fromUtf8(xprop.readAllStandardOutput()).trimmed(),
                QStringLiteral("_NET_WM_NAME(UTF8_STRING) = \"%1\"")
                    .arg(title.isEmpty() ? "Chronolien" : title));
        }
    }

private:
    const XvfbDisplay& m_x;
};

CHRONOLIEN_XVFB_MAIN(TestQtFrench)
#include "test_qt_french.moc"
