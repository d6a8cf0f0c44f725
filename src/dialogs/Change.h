// ChangeModeDlg: announces the game mode just entered, over the main window.
#pragma once

#include "dialogs/MessageDialog.h"

namespace zk {

class TChangeModeDlg : public TMessageDialog {
    Q_OBJECT
public:
    TChangeModeDlg(GameState& state, QWidget* mainWindow);

    // The GameMode to announce; the caller sets it before showing. A value
    // outside 0..2 keeps the message of the previous showing.
    int NewMode = 0;

protected:
    void FormShow() override;
    void FormActivate() override;
};

} // namespace zk
