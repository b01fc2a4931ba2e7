#pragma once

#include "settings/settings.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"
#include "ui/program_windows.h"

#include <QColor>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QStringList>
#include <QTest>

namespace chronolien::test {

// The program's windows over a fresh application folder with default settings, the floating
// window hidden, and fakes for everything beyond the windows. What the windows ask of the rest of
// the program is recorded in calls, by the names of their signals.
struct WindowRig {
    TempAppFolder folder;
    MessageBoxRecorder messages;
    SettingsFile file { folder.file(QStringLiteral("config.ini")), messages };
    AppState state = [this] {
        AppState s;
        s.appFolder = folder.path();
        s.settings = Settings::defaults(s.appFolder, QDate(2024, 3, 15));
        s.settings.affiche_actu = false;
        return s;
    }();
    SettingsStore settings { state.settings, file };
    FakeProcessStarter processes;
    ProgramWindows windows { state, settings, processes };
    QStringList calls;

    WindowRig()
    {
        const auto record
            = [this](const char* name) { return [this, name] { calls.append(QLatin1String(name)); }; };
        QObject::connect(&windows, &ProgramWindows::toggleConnectionRequested, record("toggleConnection"));
        QObject::connect(&windows, &ProgramWindows::configurationRequested, record("configuration"));
        QObject::connect(&windows, &ProgramWindows::aboutRequested, record("about"));
        QObject::connect(&windows, &ProgramWindows::quitRequested, record("quit"));
    }

    QString stored(const QString& key) const { return file.readKey(key); }

    // Skin "jupiter": the floating window's pictures while connected and not, the counter's, the mail's.
    void writeSkin(QColor connected, QColor disconnected, QColor counter, QColor mail) const
    {
        QVERIFY(writePicture(QStringLiteral("jupiter"), QStringLiteral("centre.jpg"), { 73, 65 }, connected));
        QVERIFY(
            writePicture(QStringLiteral("jupiter"), QStringLiteral("centre2.jpg"), { 73, 65 }, disconnected));
        QVERIFY(
            writePicture(QStringLiteral("jupiter"), QStringLiteral("compteur.jpg"), { 121, 57 }, counter));
        QVERIFY(writePicture(QStringLiteral("jupiter"), QStringLiteral("mail.jpg"), { 193, 81 }, mail));
    }

    // A JPEG of one colour at skin/<skin>/<file>; false when it could not be written.
    bool writePicture(const QString& skin, const QString& name, QSize size, QColor colour) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return QDir(folder.path()).mkpath(QStringLiteral("skin/") + skin)
            && image.save(folder.file(QStringLiteral("skin/%1/%2").arg(skin, name)), "JPEG", 100);
    }
};

// The widget of the given object name inside a window; null when there is none.
template <typename T = QWidget> T* child(const QObject& window, const QString& name)
{
    return window.findChild<T*>(name);
}

} // namespace chronolien::test
