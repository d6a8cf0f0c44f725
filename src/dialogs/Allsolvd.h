// AllSolvedDlg: Allsolvd5
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
