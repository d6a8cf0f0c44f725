// Zanfor Kelva: the size the player chose is applied first; then every
// window is created once, the main window first, and the event loop runs
// until the main window has closed.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "DisplayScale.h"
#include "Main.h"
#include "files/Settings.h"
#include "platform/Directories.h"

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

    TMainForm mainForm;
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
