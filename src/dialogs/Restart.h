// RestartDlg: Restart5
#pragma once

#include "dialogs/MessageDialog.h"

namespace zk {

class TRestartDlg : public TMessageDialog {
    Q_OBJECT
public:
    TRestartDlg(GameState& state, QWidget* mainWindow);

protected:
    void FormActivate() override;
};

} // namespace zk
