// EndGameDlg: Endgame5
#pragma once

#include "dialogs/MessageDialog.h"

namespace zk {

class TEndGameDlg : public TMessageDialog {
    Q_OBJECT
public:
    TEndGameDlg(const Language& language, QWidget* mainWindow);

protected:
    void FormActivate() override;
};

} // namespace zk
