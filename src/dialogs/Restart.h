// RestartDlg: Restart5
#pragma once

#include "dialogs/MessageDialog.h"

namespace zk {

class TRestartDlg : public TMessageDialog {
    Q_OBJECT
public:
    TRestartDlg(const Language& language, QWidget* mainWindow);

protected:
    void FormActivate() override;
};

} // namespace zk
