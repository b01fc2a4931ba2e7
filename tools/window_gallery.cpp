// Shows the floating, counter and mail windows of one skin, with the line up or down, on the
// current display and saves what the screen shows around them: the pictures of the README.
// Usage: chronolien_window_gallery <application folder> <skin> <connecte|deconnecte> <output.png>
#include "platform/process_starter.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/message_box_recorder.h"
#include "ui/counter_window.h"
#include "ui/floating_window.h"
#include "ui/mail_window.h"
#include "ui/program_windows.h"

#include <QApplication>
#include <QDate>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

using namespace chronolien;

namespace {

class NoProcesses final : public ProcessStarter {
public:
    bool startDetached(const QString&) override { return true; }
    void openUrl(const QString&) override { }
};

// A plain desktop behind the windows, so that their rounded outlines show.
class Desktop final : public QWidget {
public:
    Desktop()
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(58, 110, 140)); }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        QTextStream(stderr) << "usage: chronolien_window_gallery <application folder> <skin> "
                               "<connecte|deconnecte> <output.png>\n";
        return 2;
    }
    const bool connected = args.at(3) == QLatin1String("connecte");

    // The settings file goes to a scratch folder: the application folder is only read.
    QTemporaryDir scratch;
    test::MessageBoxRecorder messages;
    SettingsFile file(scratch.filePath(QStringLiteral("config.ini")), messages);
    AppState state;
    state.appFolder = args.at(1);
    state.settings = Settings::defaults(state.appFolder, QDate::currentDate());
    state.settings.nomskin = args.at(2);
    state.settings.affiche_actu = false;
    state.settings.pos_x = 3600;
    state.settings.pos_y = 1200;
    state.connectedFlag = connected;
    state.mailWindowShown = true;
    SettingsStore settings(state.settings, file);
    NoProcesses processes;

    Desktop desktop;
    desktop.setGeometry(app.primaryScreen()->geometry());
    desktop.show();

    ProgramWindows windows(state, settings, processes);
    windows.setConnectCaptions(connected);
    windows.setCounterTexts(
        connected ? QStringLiteral("0:12:34") : QStringLiteral("0:00:00"), QStringLiteral("-17:37:26"));
    windows.setGauge(GaugeView { true, 48, 120 + 48 * 11.2, Qt::green });
    windows.showFloatingWindow();
    windows.setDownLight(connected);
    windows.setUpLight(false);

    const QString output = args.at(4);
    int result = 1;
    QTimer::singleShot(800, &app, [&] {
        const QRect around = (windows.floatingWindow().geometry() | windows.counterWindow().geometry()
            | windows.mailWindow().geometry())
                                 .adjusted(-12, -12, 12, 12);
        const QPixmap shot
            = app.primaryScreen()->grabWindow(0, around.x(), around.y(), around.width(), around.height());
        result = shot.save(output, "PNG") ? 0 : 1;
        app.quit();
    });
    app.exec();
    return result;
}
