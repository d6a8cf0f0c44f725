// Zanfor Kelva: every window is created once, the main window first; then
// the event loop runs until the main window has closed.
#include <QApplication>
#include <QTimer>

#include "Main.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zanfor Kelva");
    QApplication::setDesktopFileName("zanfor-kelva");

    TMainForm mainForm;
    mainForm.CreateForms();
    mainForm.show();
    // Start-up runs at the first activation; without a window manager that
    // hands out activation, it runs as soon as the event loop starts.
    QTimer::singleShot(0, &mainForm, &TMainForm::FormActivate);
    return QApplication::exec();
}
