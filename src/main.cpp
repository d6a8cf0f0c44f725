// Zanfor Kelva: every window is created once, the main window first; then
// the event loop runs until the main window has closed.
#include <QApplication>
#include <QTimer>

#include "Main.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
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
