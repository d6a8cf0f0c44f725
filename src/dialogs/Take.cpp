#include "dialogs/Take.h"

namespace zk {

TTakeDlg::TTakeDlg(const Language& language, QWidget* mainWindow)
    : TMessageDialog(
          language, mainWindow,
          {"TakeDlg", QRect(52, 24, 197, 17), true, platform::mrOk, platform::mrCancel, 136}) {
    SetPosition(Position::OverMainWindow);
}

void TTakeDlg::FormActivate() {
    PlaceOverMainWindow();
    Label1->setText(German() ? QStringLiteral("Änderungen übernehmen?")
                             : QStringLiteral("Accept modifications?"));
    SetQuestionCaptions();
}

} // namespace zk
