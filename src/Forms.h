// The forms beside the main window. The splash, shown at every start, and the
// editor's palette, whose place is kept from start to close, are made at
// program start; every other form is made the first time it is asked for,
// so that a run that never asks a question costs neither its widgets nor
// the time to make them.
#pragma once

#include <array>
#include <functional>

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

// A form made by its maker on first use and kept from then on.
template <class Form>
class MadeOnUse {
public:
    void SetMaker(std::function<Form*()> maker) { maker_ = std::move(maker); }
    // The form, made now if it has not been yet; none without a maker.
    Form* Get() const {
        if (!form_ && maker_) {
            form_ = maker_();
        }
        return form_;
    }
    // The form if it has been made, else none.
    Form* IfMade() const { return form_; }

private:
    std::function<Form*()> maker_;
    mutable Form* form_ = nullptr;
};

struct TForms {
    Teditform* editform = nullptr;
    zk::TSplash* Splash = nullptr;
    MadeOnUse<zk::TSaveDlg> SaveDlg;
    MadeOnUse<zk::Tloaddlg> loaddlg;
    MadeOnUse<zk::TInfoDialog> InfoDialog;
    MadeOnUse<zk::TTongueDlg> TongueDlg;
    MadeOnUse<zk::TCodeDlg> CodeDlg; // a level outside the set (Ctrl+N)
    // The message dialogs, by their rows.
    std::array<MadeOnUse<zk::TMessageDialog>, zk::MessageCount> messages;

    zk::TMessageDialog* Message(zk::Message message) const {
        return messages[static_cast<std::size_t>(message)].Get();
    }
};
