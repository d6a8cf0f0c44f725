// The forms beside the main window, made once at program start and shown
// when needed.
#pragma once

#include <array>

#include "dialogs/MessageDialog.h"

namespace zk {
class TCodeDlg;
class TInfoDialog;
class TSaveDlg;
class TSplash;
class TTongueDlg;
class Tloaddlg;
} // namespace zk
class Teditform;

struct TForms {
    zk::TSaveDlg* SaveDlg = nullptr;
    zk::Tloaddlg* loaddlg = nullptr;
    Teditform* editform = nullptr;
    zk::TSplash* Splash = nullptr;
    zk::TInfoDialog* InfoDialog = nullptr;
    zk::TTongueDlg* TongueDlg = nullptr;
    zk::TCodeDlg* CodeDlg = nullptr; // a level outside the set (Ctrl+N)
    // The message dialogs, by their rows.
    std::array<zk::TMessageDialog*, zk::MessageCount> messages{};

    zk::TMessageDialog* Message(zk::Message message) const {
        return messages[static_cast<std::size_t>(message)];
    }
};
