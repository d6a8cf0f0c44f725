// TakeDlg: Take5
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
