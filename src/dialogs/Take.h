// TakeDlg: asks whether the edits of the level being left are taken over;
// OK (1) or cancel (2).
#pragma once

#include "dialogs/MessageDialog.h"

namespace zk {

class TTakeDlg : public TMessageDialog {
    Q_OBJECT
public:
    TTakeDlg(const Language& language, QWidget* mainWindow);

protected:
    void FormActivate() override;
};

} // namespace zk
