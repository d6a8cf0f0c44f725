// Zanfor Kelva: the size the player chose is applied first; then every
// window is created once, the main window first, and the event loop runs
// until the main window has closed.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "DisplayScale.h"
#include "Main.h"
#include "files/Settings.h"
#include "model/LevelCode.h"
#include "platform/Directories.h"

namespace {

// --code CODE or --code=CODE: the level of a code to start on. A code that
// cannot be read is told on the standard error, and the game starts on the
// level set as usual.
std::optional<zk::LevelCode> StartCode(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string_view text;
        if (arg == "--code") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "zanfor-kelva: --code needs a level code\n");
                return std::nullopt;
            }
            text = argv[++i];
        } else if (arg.starts_with("--code=")) {
            text = arg.substr(7);
        } else {
            continue;
        }
        const zk::CodeReading reading = zk::ReadLevelCode(text);
        if (!reading.code) {
            std::fprintf(stderr, "zanfor-kelva: --code %s: %s\n",
                         zk::files::EscapedForMessage(std::string(text)).c_str(),
                         zk::CodeProblemText(reading, zk::English).c_str());
        }
        return reading.code;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    // Before the application object: it takes its scale factor when it is made.
    const std::string settings =
        (std::filesystem::path(zk::platform::SettingsDirectory()) / zk::files::SettingsFileName)
            .string();
    std::function<void()> restore;
    if (const auto scale =
            zk::ChosenDisplayScale(argc, argv, settings, [](const std::string& message) {
                std::fprintf(stderr, "zanfor-kelva: %s\n", message.c_str());
            })) {
        restore = zk::ApplyDisplayScale(*scale);
    }

    QApplication app(argc, argv);
    if (restore) {
        restore();
    }
    QApplication::setApplicationName("Zanfor Kelva");
    QApplication::setDesktopFileName("games.zanfor.ZanforKelva");

    TMainFormOptions options;
    options.startCode = StartCode(argc, argv);
    TMainForm mainForm(std::move(options));
    // The main window maps as soon as the event loop runs; the other forms
    // are made right after, before start-up, and none of them is seen before.
    // Start-up runs at the first activation; without a window manager that
    // hands out activation, it runs as soon as the forms are made.
    mainForm.show();
    QTimer::singleShot(0, &mainForm, [&mainForm] {
        mainForm.CreateForms();
        mainForm.FormActivate();
    });
    return QApplication::exec();
}
