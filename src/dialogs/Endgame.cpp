#include "dialogs/Endgame.h"

namespace zk {

TEndGameDlg::TEndGameDlg(const Language& language, QWidget* mainWindow)
    : TMessageDialog(
          language, mainWindow,
          {"EndGameDlg", QRect(72, 20, 153, 29), true, platform::mrYes, platform::mrNo, 136}) {}

void TEndGameDlg::FormActivate() {
    Label1->setText(German() ? QStringLiteral("Willst Du wirklich schon aufhören?")
                             : QStringLiteral("Do you really want to exit?"));
    SetQuestionCaptions();
}

} // namespace zk
