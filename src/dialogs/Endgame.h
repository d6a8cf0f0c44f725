// EndGameDlg: the exit question; only Yes (6) lets the game close.
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
