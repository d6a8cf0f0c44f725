// SolvedDlg: announces the solved level; OK closes it.
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
