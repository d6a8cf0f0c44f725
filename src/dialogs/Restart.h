// RestartDlg: asks before a challenge level in play is given up; Yes (6) or No (7).
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
