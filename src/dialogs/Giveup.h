// GiveUpDlg: asks before a new game gives up the game in play; Yes (6) or No (7).
#pragma once

#include "dialogs/MessageDialog.h"

namespace zk {

class TGiveUpDlg : public TMessageDialog {
    Q_OBJECT
public:
    TGiveUpDlg(const Language& language, QWidget* mainWindow);

protected:
    void FormActivate() override;
};

} // namespace zk
