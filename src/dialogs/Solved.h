// SolvedDlg: Solved5
#pragma once

#include "dialogs/MessageDialog.h"

namespace zk {

class TSolvedDlg : public TMessageDialog {
    Q_OBJECT
public:
    TSolvedDlg(const Language& language, QWidget* mainWindow);

protected:
    void FormActivate() override;
};

} // namespace zk
