// The forms beside the main window, made once at program start in this order
// and shown when needed.
#pragma once

namespace zk {
class TAllSolvedDlg;
class TChangeModeDlg;
class TEndGameDlg;
class TGiveUpDlg;
class TInfoDialog;
class TRestartDlg;
class TSaveDlg;
class TSolvedDlg;
class TSplash;
class TTakeDlg;
class TTongueDlg;
class Tloaddlg;
} // namespace zk
class Teditform;

struct TForms {
    zk::TTakeDlg* TakeDlg = nullptr;
    zk::TSaveDlg* SaveDlg = nullptr;
    zk::Tloaddlg* loaddlg = nullptr;
    Teditform* editform = nullptr;
    zk::TChangeModeDlg* ChangeModeDlg = nullptr;
    zk::TSplash* Splash = nullptr;
    zk::TAllSolvedDlg* AllSolvedDlg = nullptr;
    zk::TEndGameDlg* EndGameDlg = nullptr;
    zk::TGiveUpDlg* GiveUpDlg = nullptr;
    zk::TInfoDialog* InfoDialog = nullptr;
    zk::TRestartDlg* RestartDlg = nullptr;
    zk::TSolvedDlg* SolvedDlg = nullptr;
    zk::TTongueDlg* TongueDlg = nullptr;
};
