#include "dialogs/Solved.h"

namespace zk {

TSolvedDlg::TSolvedDlg(const Language& language, QWidget* mainWindow)
    : TMessageDialog(
          language, mainWindow,
          {"SolvedDlg", QRect(60, 28, 181, 17), false, platform::mrOk, platform::mrCancel, 136}) {}

void TSolvedDlg::FormActivate() {
    Label1->setText(German() ? QStringLiteral("Hurra, geschafft!")
                             : QStringLiteral("Hurrah, you did it!"));
}

} // namespace zk
