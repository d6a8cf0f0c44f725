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
    // The window maps while the other forms are made; none of them is seen
    // before the event loop runs.
    mainForm.show();
    mainForm.CreateForms();
    // Start-up runs at the first activation; without a window manager that
    // hands out activation, it runs as soon as the event loop starts.
    QTimer::singleShot(0, &mainForm, &TMainForm::FormActivate);
    return QApplication::exec();
}
