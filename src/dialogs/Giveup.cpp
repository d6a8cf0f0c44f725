#include "dialogs/Giveup.h"

namespace zk {

TGiveUpDlg::TGiveUpDlg(const Language& language, QWidget* mainWindow)
    : TMessageDialog(
          language, mainWindow,
          {"GiveUpDlg", QRect(72, 20, 149, 26), true, platform::mrYes, platform::mrNo, 136}) {}

void TGiveUpDlg::FormActivate() {
    Label1->setText(German() ? QStringLiteral("Willst Du das Spiel wirklich aufgeben?")
                             : QStringLiteral("Do you really want to give up the game?"));
    SetQuestionCaptions();
}

} // namespace zk
