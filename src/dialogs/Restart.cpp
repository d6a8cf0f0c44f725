#include "dialogs/Restart.h"

namespace zk {

TRestartDlg::TRestartDlg(const Language& language, QWidget* mainWindow)
    : TMessageDialog(
          language, mainWindow,
          {"RestartDlg", QRect(56, 20, 189, 26), true, platform::mrYes, platform::mrNo, 128}) {}

void TRestartDlg::FormActivate() {
    Label1->setText(German() ? QStringLiteral("Willst Du die Stufe wirklich aufgeben?")
                             : QStringLiteral("Do you really want to give up the level?"));
    SetQuestionCaptions();
}

} // namespace zk
