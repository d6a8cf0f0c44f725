// Sound, help viewer and the program's directories.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>

#include "QtPrinters.h"

#include "files/UserDirectories.h"
#include "platform/Directories.h"
#include "platform/Help.h"
#include "platform/HelpFiles.h"
#include "platform/Sound.h"
#include "platform/sound/EffectSound.h"

using namespace zk::platform;

namespace {

class RecordingPlayer : public SoundPlayer {
public:
    void Stop() override { calls << QStringLiteral("stop"); }
    void PlayAsync(const QString& file) override { calls << QStringLiteral("play ") + file; }
    QStringList calls;
};

QByteArray WaveHeader(std::uint16_t format) {
    QByteArray wave("RIFF\0\0\0\0WAVEfmt ", 16);
    auto put32 = [&wave](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            wave.append(char((v >> (8 * i)) & 0xFF));
        }
    };
    auto put16 = [&wave](std::uint16_t v) {
        wave.append(char(v & 0xFF));
        wave.append(char(v >> 8));
    };
    put32(16);
    put16(format);
    put16(1);     // channels
    put32(22050); // sample rate
    put32(44100); // bytes per second
    put16(2);     // block align
    put16(16);    // bits
    wave.append("data", 4);
    put32(4);
    wave.append(4, '\0');
    return wave;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(SoundTest, NumberedSoundStopsFirstAndPlaysOnlyWhenOn) {
    RecordingPlayer player;
    PlayGameSound(player, Sound::Move, true, "/games/zk/");
    EXPECT_EQ(player.calls, (QStringList{"stop", "play /games/zk/w2.wav"}));
    player.calls.clear();
    // Sound off: a playing sound is still cut off, nothing new plays.
    PlayGameSound(player, Sound::Move, false, "/games/zk/");
    EXPECT_EQ(player.calls, QStringList{"stop"});
    player.calls.clear();
    // Sound 0 only stops, whatever the button.
    PlayGameSound(player, Sound::None, true, "/games/zk/");
    EXPECT_EQ(player.calls, QStringList{"stop"});
}

TEST(SoundTest, UnplayableFilesGiveTheBeep) {
    QTemporaryDir dir;
    Write(dir.filePath("w1.wav"), WaveHeader(1));
    Write(dir.filePath("float.wav"), WaveHeader(3));
    Write(dir.filePath("w2.wav"), "not a wave at all");
    Write(dir.filePath("mp3.wav"), WaveHeader(85));
    EXPECT_TRUE(IsPlayableWave(dir.filePath("w1.wav")));
    EXPECT_TRUE(IsPlayableWave(dir.filePath("float.wav")));
    EXPECT_FALSE(IsPlayableWave(dir.filePath("w2.wav")));
    EXPECT_FALSE(IsPlayableWave(dir.filePath("mp3.wav")));
    EXPECT_FALSE(IsPlayableWave(dir.filePath("missing.wav")));
    // A pipe where a sound belongs beeps at once: opening it must not wait
    // for a writer, which would stop the game at its next move.
    const QString pipe = dir.filePath("pipe.wav");
    const QByteArray pipeName = QFile::encodeName(pipe);
    ASSERT_EQ(::mkfifo(pipeName.constData(), 0600), 0);
    auto checked = std::async(std::launch::async, [&] { return IsPlayableWave(pipe); });
    if (checked.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ::close(::open(pipeName.constData(), O_WRONLY | O_NONBLOCK)); // lets the check go
        FAIL() << "the check waited on the pipe";
    }
    EXPECT_FALSE(checked.get());

    int beeps = 0;
    EffectSoundPlayer player([&beeps] { ++beeps; });
    player.PlayAsync(dir.filePath("missing.wav"));
    player.PlayAsync(dir.filePath("w2.wav"));
    EXPECT_EQ(beeps, 2);
    player.Stop();
}

TEST(SoundTest, TheModuleLoadsOnTheFirstSoundAndBeepsThroughTheGame) {
    QTemporaryDir dir;
    Write(dir.filePath("w2.wav"), "not a wave at all");
    int beeps = 0;
    ModuleSoundPlayer player(QStringLiteral(ZK_SOUND_MODULE), [&beeps] { ++beeps; });
    // Stopping before any sound loads nothing.
    player.Stop();
    EXPECT_FALSE(player.Loaded());
    // The module's player checks the file and beeps through the game's beep.
    player.PlayAsync(dir.filePath("w2.wav"));
    ASSERT_TRUE(player.Loaded()) << player.LoadError().toStdString();
    EXPECT_EQ(beeps, 1);
    player.PlayAsync(dir.filePath("missing.wav"));
    EXPECT_EQ(beeps, 2);
    player.Stop();
}

TEST(SoundTest, AMissingOrForeignModuleLeavesTheBeep) {
    QTemporaryDir dir;
    Write(dir.filePath("w1.wav"), WaveHeader(1));
    // Not a library at all, and a library without the entry point.
    Write(dir.filePath("libzk-sound.so"), "garbage");
    for (const QString& module : {dir.filePath("missing.so"), dir.filePath("libzk-sound.so"),
                                  QStringLiteral(ZK_QT_CORE_LIBRARY)}) {
        int beeps = 0;
        ModuleSoundPlayer player(module, [&beeps] { ++beeps; });
        player.PlayAsync(dir.filePath("w1.wav"));
        player.Stop();
        player.PlayAsync(dir.filePath("w1.wav"));
        EXPECT_FALSE(player.Loaded()) << module.toStdString();
        EXPECT_FALSE(player.LoadError().isEmpty());
        EXPECT_EQ(beeps, 2) << module.toStdString();
    }
}

TEST(HelpTest, OpensAtContentsJumpsToTopicsAndReusesOneWindow) {
    QTemporaryDir dir;
    QByteArray rules("<html><head><title>Rules</title></head><body><p>Contents</p>");
    for (int i = 0; i < 200; ++i) {
        rules.append("<p>filler</p>");
    }
    rules.append("<h2><a name=\"The_game\">The game</a></h2><p>Swap tiles.</p></body></html>");
    Write(dir.filePath("ZKLV.HLP"), rules);
    Write(dir.filePath("ZMRX.HLP"),
          "<html><body><a name=\"Zanfor_Games_e\">More</a></body></html>");

    HelpViewer help;
    // A file that cannot be opened: no window, nothing to jump in.
    EXPECT_FALSE(help.OpenContents(dir.filePath("MISSING.HLP").toStdString()));
    EXPECT_FALSE(help.IsOpen());
    help.JumpToTopic("The_game");
    EXPECT_TRUE(help.CurrentTopic().isEmpty());

    ASSERT_TRUE(help.OpenContents(dir.filePath("ZKLV.HLP").toStdString()));
    EXPECT_TRUE(help.IsOpen());
    EXPECT_EQ(help.Window()->windowTitle(), QStringLiteral("Rules"));
    EXPECT_TRUE(help.Browser()->toPlainText().startsWith(QStringLiteral("Contents")));
    help.JumpToTopic("The_game");
    EXPECT_EQ(help.CurrentTopic(), QStringLiteral("The_game"));
    EXPECT_GT(help.Browser()->verticalScrollBar()->value(), 0);

    QWidget* window = help.Window();
    help.Quit();
    EXPECT_FALSE(help.IsOpen());
    ASSERT_TRUE(help.OpenContents(dir.filePath("ZMRX.HLP").toStdString()));
    EXPECT_EQ(help.Window(), window);
    EXPECT_EQ(help.CurrentFile(), dir.filePath("ZMRX.HLP"));
    EXPECT_TRUE(help.CurrentTopic().isEmpty());
}

TEST(DirectoriesTest, ProgramAndSettingsDirectoriesEndInASlash) {
    const std::string program = ProgramDirectory();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '/');

    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/zk-config");
    EXPECT_EQ(SettingsDirectory(), "/tmp/zk-config/");
    // Unset, empty or relative: ~/.config.
    const std::string home = QDir::homePath().toStdString() + "/.config/";
    qputenv("XDG_CONFIG_HOME", "relative/dir");
    EXPECT_EQ(SettingsDirectory(), home);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsDirectory(), home);

    // Without HOME, the home the password database gives: not /.config/.
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedState = qgetenv("XDG_STATE_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_STATE_HOME");
    const std::string own = ::getpwuid(::geteuid())->pw_dir;
    EXPECT_EQ(SettingsDirectory(),
              QDir::cleanPath(QString::fromStdString(own + "/.config")).toStdString() + "/");
    EXPECT_EQ(zk::files::StateDirectory(),
              (own.back() == '/' ? own : own + "/") + ".local/state/zanfor-kelva/");
    qputenv("HOME", savedHome);
    if (!savedState.isNull()) {
        qputenv("XDG_STATE_HOME", savedState);
    }
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST(HelpTest, NestingIsCountedAsTheHtmlRulesCloseElements) {
    EXPECT_EQ(HtmlNestingDepth("plain text, a < b"), 0);
    EXPECT_EQ(HtmlNestingDepth("<html><body><p>one<p>two<br><img src=x></body></html>"), 3);
    EXPECT_EQ(HtmlNestingDepth("<ul><li>a<li>b<li><b>c</b></ul>"), 3);
    EXPECT_EQ(HtmlNestingDepth("<table><tr><td>a<td>b<tr><td>c</table>"), 3);
    EXPECT_EQ(HtmlNestingDepth("<div title='<div><div>'><!-- <div><div> --><i/></div>"), 1);
    EXPECT_EQ(HtmlNestingDepth("<style>p > div { } <div><div></style><P>x</P>"), 1);
    EXPECT_EQ(HtmlNestingDepth("<div><span></div><div>"), 2); // closing div closes the span
    QByteArray deep;
    for (int i = 0; i < 1000; ++i) {
        deep += "<div>";
    }
    EXPECT_EQ(HtmlNestingDepth(deep.toStdString()), MaxHelpNesting + 1);
    EXPECT_EQ(HtmlNestingDepth(deep.toStdString(), 5), 6);
}

TEST(HelpTest, TooLargeOrTooDeeplyNestedFilesShowNothing) {
    QTemporaryDir dir;
    auto nested = [](const char* open, int depth) {
        QByteArray html("<html><body>");
        for (int i = 0; i < depth; ++i) {
            html += open;
        }
        return html + "deep";
    };
    // 200 nested tables in a few kilobytes: the layout would take minutes.
    Write(dir.filePath("tables.hlp"), nested("<table><tr><td>", 200));
    // Tables behind a stray quote, which the tag count takes for an attribute
    // running to the end, are still weighed as the viewer lays them out; and
    // what a textarea holds is counted, as the viewer lays it out too.
    Write(dir.filePath("quote.hlp"), "<p\"x>" + nested("<table><tr><td>", 16));
    Write(dir.filePath("textarea.hlp"), "<textarea>" + nested("<div>", 31));
    // Many tables nested six deep: each cheap, together seconds.
    QByteArray many("<html><body>");
    for (int i = 0; i < 100; ++i) {
        many += nested("<table><tr><td>", 6).mid(12) + QByteArray("</table>").repeated(6);
    }
    Write(dir.filePath("many.hlp"), many);
    Write(dir.filePath("ten.hlp"), nested("<table><tr><td>", 10)); // 32 elements deep
    Write(dir.filePath("divs33.hlp"), nested("<div>", 31));        // html, body and 31 divs
    Write(dir.filePath("divs32.hlp"), nested("<div>", 30));
    QByteArray big("<html><body><p>");
    big += QByteArray(MaxHelpFileSize, 'x');
    Write(dir.filePath("big.hlp"), big);
    Write(dir.filePath("ok.hlp"), "<html><body><p><a name=\"The_game\">Swap</a></p></body></html>");

    HelpViewer help;
    for (const char* bad :
         {"tables.hlp", "quote.hlp", "textarea.hlp", "many.hlp", "divs33.hlp", "big.hlp"}) {
        EXPECT_FALSE(help.OpenContents(dir.filePath(bad).toStdString())) << bad;
        EXPECT_FALSE(help.IsOpen()) << bad;
    }
    ASSERT_TRUE(help.OpenContents(dir.filePath("divs32.hlp").toStdString()));
    ASSERT_TRUE(help.OpenContents(dir.filePath("ten.hlp").toStdString()));
    ASSERT_TRUE(help.OpenContents(dir.filePath("ok.hlp").toStdString()));
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("Swap")));
    // A link inside the help to a damaged file, or to a device, shows nothing.
    for (const char* bad : {"tables.hlp", "big.hlp"}) {
        help.Browser()->setSource(QUrl::fromLocalFile(dir.filePath(bad)));
        EXPECT_TRUE(help.Browser()->toPlainText().isEmpty()) << bad;
    }
    help.Browser()->setSource(QUrl::fromLocalFile(QStringLiteral("/dev/zero")));
    EXPECT_TRUE(help.Browser()->toPlainText().isEmpty());
}

TEST(HelpTest, TheWindowOpensBesideItsOwnerWhereTheScreenAllows) {
    QTemporaryDir dir;
    Write(dir.filePath("ZKLV.HLP"), "<html><body><p>Rules</p></body></html>");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setFixedSize(100, 80);
    owner.move(screen.topLeft());
    owner.show();
    HelpViewer help(&owner);
    ASSERT_TRUE(help.OpenContents(dir.filePath("ZKLV.HLP").toStdString()));
    const QRect window = help.Window()->frameGeometry();
    EXPECT_EQ(window.topLeft(), QPoint(owner.frameGeometry().right() + 1, screen.top()));
    EXPECT_FALSE(window.intersects(owner.frameGeometry()));
}

TEST(HelpTest, TheShippedHelpFilesAreShown) {
    for (const char* file : {"ZKLV.HLP", "ZMRX.HLP"}) {
        const auto bytes = ReadHelpResource(QStringLiteral(ZK_GAME_DIR) + file, true);
        ASSERT_TRUE(bytes) << file;
        EXPECT_LE(HtmlNestingDepth(bytes->toStdString()), 8) << file;
    }
}

TEST(DirectoriesTest, AProgramDirectoryOfAnyNameIsFoundAndItsFilesAreRead) {
    QTemporaryDir base;
    // One name in UTF-8, one in Latin-1 bytes that are no UTF-8 at all.
    for (const std::string& name : {std::string("spiel-\xc3\xbc"), std::string("spiel-\xfc\xff")}) {
        const std::string dir = QFile::encodeName(base.path()).toStdString() + "/" + name;
        ASSERT_EQ(::mkdir(dir.c_str(), 0755), 0);
        const std::string probe = dir + "/probe";
        ASSERT_NO_THROW(std::filesystem::copy_file(ZK_PROGRAM_DIR_PROBE, probe));
        ::chmod(probe.c_str(), 0755);
        std::FILE* marker = std::fopen((dir + "/marker.txt").c_str(), "w");
        ASSERT_NE(marker, nullptr);
        std::fputs("beside", marker);
        std::fclose(marker);

        std::FILE* out = ::popen(("'" + probe + "'").c_str(), "r");
        ASSERT_NE(out, nullptr);
        char line[4096] = {};
        std::string report;
        while (std::fgets(line, sizeof line, out)) {
            report += line;
        }
        ASSERT_EQ(::pclose(out), 0) << report;
        const std::string found = report.substr(0, report.find('\n'));
        EXPECT_NE(found, "/");
        EXPECT_EQ(found.back(), '/');
        EXPECT_EQ(report.substr(report.find('\n') + 1), "1 1\n") << found;
        if (name.back() != '\xff') {
            EXPECT_EQ(found, dir + "/");
        }
    }
}
