#include "dialogs/Allsolvd.h"

namespace zk {

TAllSolvedDlg::TAllSolvedDlg(const Language& language, QWidget* mainWindow)
    : TMessageDialog(language, mainWindow,
                     {"AllSolvedDlg", QRect(68, 20, 165, 29), false, platform::mrOk,
                      platform::mrCancel, 136}) {}

void TAllSolvedDlg::FormActivate() {
    Label1->setText(German() ? QStringLiteral("Gratulation, Du hast alle Stufen gelöst.")
                             : QStringLiteral("Congratulation, you solved all levels."));
}

} // namespace zk
