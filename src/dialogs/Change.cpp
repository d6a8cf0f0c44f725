#include "dialogs/Change.h"

namespace zk {

TChangeModeDlg::TChangeModeDlg(const Language& language, QWidget* mainWindow)
    : TMessageDialog(language, mainWindow,
                     {"ChangeModeDlg", QRect(68, 20, 165, 29), false, platform::mrOk,
                      platform::mrCancel, 136}) {
    SetPosition(Position::OverMainWindow);
}

void TChangeModeDlg::FormShow() {
    switch (NewMode) {
    case PracticeMode:
        Label1->setText(German() ? QStringLiteral("Du wechselst zum Üben-Modus.")
                                 : QStringLiteral("You enter the practice mode."));
        break;
    case ChallengeMode:
        Label1->setText(German() ? QStringLiteral("Du wechselst zum Wettkampf-Modus.")
                                 : QStringLiteral("You enter the challenge mode."));
        break;
    case EditorMode:
        Label1->setText(German() ? QStringLiteral("Du wechselst zum Editor-Modus.")
                                 : QStringLiteral("You enter the edit mode."));
        break;
    default:
        break;
    }
}

void TChangeModeDlg::FormActivate() {
    PlaceOverMainWindow();
}

} // namespace zk
