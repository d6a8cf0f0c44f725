// AllSolvedDlg: the congratulation once every level is solved; OK closes it.
#pragma once

#include "dialogs/MessageDialog.h"

namespace zk {

class TAllSolvedDlg : public TMessageDialog {
    Q_OBJECT
public:
    TAllSolvedDlg(const Language& language, QWidget* mainWindow);

protected:
    void FormActivate() override;
};

} // namespace zk
