// ChangeModeDlg: announces the game mode just entered, over the main window.
#pragma once

#include "dialogs/MessageDialog.h"
#include "model/Board.h"

namespace zk {

class TChangeModeDlg : public TMessageDialog {
    Q_OBJECT
public:
    TChangeModeDlg(const Language& language, QWidget* mainWindow);

    // The GameMode to announce; the caller sets it before showing. A value
    // outside 0..2 keeps the message of the previous showing.
    GameMode NewMode = PracticeMode;

protected:
    void FormShow() override;
    void FormActivate() override;
};

} // namespace zk
