#include "platform/linux/qt_sound_player.h"

#include <QDir>
#include <QTest>

using namespace chronolien;

// The sound module is loaded by name at the first sound; a module whose factory went missing or
// was renamed would leave every sound silent without a word, so the built module is checked here.
class TestQtSoundPlayer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theModuleIsLoadedAtTheFirstSoundOnly()
    {
        QtSoundPlayer player { QStringLiteral(CHRONOLIEN_SOUND_MODULE) };
        QVERIFY(!player.moduleLoaded());
        // Loaded: its factory was found and made a player. No file: the effect gets no source, so
        // no sample is loaded on Qt's loader thread, which would outlive this short test.
        player.play(QString());
        QVERIFY(player.moduleLoaded());
    }

    void withoutTheModuleNothingPlays()
    {
        QtSoundPlayer player { QDir::tempPath() + QStringLiteral("/no-such-module.so") };
        player.play(QStringLiteral("/nonexistent/connect.wav"));
        player.play(QStringLiteral("/nonexistent/connect.wav"));
        QVERIFY(!player.moduleLoaded());
    }
};

QTEST_GUILESS_MAIN(TestQtSoundPlayer)
#include "test_qt_sound_player.moc"
