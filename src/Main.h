// The main window: the board view, the toolbar with the level display, and
// the game controller that runs the game from start-up to close.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "files/Settings.h"
#include "model/GameState.h"
#include "model/Random.h"

class QLabel;
class QScrollBar;
class QTimer;

namespace zk::platform {
class HelpService;
class SoundPlayer;
class TBevel;
class TSpeedButton;
} // namespace zk::platform

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

// The other forms, created after the main window in this order.
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

// How the window finds its surroundings. The defaults are the running
// program's: its directory, the settings directory, a time-of-day seed, the
// desktop's sound and help viewer, and QCoreApplication::exit.
struct TMainFormOptions {
    std::string programDirectory;  // empty: the executable's directory
    std::string settingsDirectory; // empty: $XDG_CONFIG_HOME, else ~/.config
    std::optional<std::uint64_t> seed;
    std::shared_ptr<zk::platform::SoundPlayer> sound;
    std::shared_ptr<zk::platform::HelpService> help;
    std::function<void(int)> exit; // ends the program with an exit status
};

class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(TMainFormOptions options = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    void SetForms(const TForms& forms);
    // Creates every other form, owned by this window, in the order of
    // program start, and keeps them.
    void CreateForms();
    const TForms& Forms() const { return forms_; }

    zk::GameState& State() { return state_; }
    const zk::GameState& State() const { return state_; }
    zk::RandomSource& Random() { return random_; }
    zk::files::SettingsStore& Settings() { return settings_; }
    bool SheetsLoaded() const { return sheetsLoaded_; }
    const QImage& Surface() const { return surface_; }
    const QImage& LevelboxImage() const { return levelImage_; }
    const QImage& PaletteSheet() const { return b3_; }
    const std::string& HelpFile() const { return helpFile_; }

    // Window handlers.
    void FormCreate();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();

    // Drawing and the board click.
    void DrawBackground();
    void DrawCell(int c, int r);
    void DrawHeldCell();
    void DrawProgressBar();
    void levelboxPaint();
    void boxPaint();
    void boxMouseDown(Qt::MouseButton button, int x, int y);
    void TimerTimer();

    // The controller's operations. StartLevel answers whether the level was
    // started (false when a confirmation was declined).
    bool StartLevel(int n);
    void SetBoardState(std::uint8_t s);
    void UpdateCaption();
    void OnSolved();
    void ApplyLanguage();
    void PlaySound(int n);

    // Toolbar and scroll bar handlers.
    void RestartBtnClick();
    void NewGameBtnClick();
    void OptionBtnClick();
    void ExitBtnClick();
    void SaveBtnClick();
    void LoadBtnClick();
    void levelScrollChange();
    void sUpBtnClick();
    void sDownBtnClick();
    void InsertBtnClick();
    void DeleteBtnClick();
    void rules();
    void info();
    void ZanforBtnClick();

    // The saved-game flows.
    void LoadGame();
    void SaveGame();

    // Sets the level scroll bar's position as the program does: a different
    // position runs levelScrollChange.
    void SetLevelScrollPosition(int position);

    // Controls, by their designer names.
    QWidget* ToolPanel = nullptr;
    zk::platform::TSpeedButton* RestartBtn = nullptr;
    zk::platform::TSpeedButton* OptionBtn = nullptr;
    zk::platform::TSpeedButton* ExitBtn = nullptr;
    zk::platform::TSpeedButton* RulesBtn = nullptr;
    zk::platform::TSpeedButton* InfoBtn = nullptr;
    zk::platform::TSpeedButton* ZanforBtn = nullptr;
    QWidget* box = nullptr;
    zk::platform::TSpeedButton* LoadBtn = nullptr;
    zk::platform::TSpeedButton* SaveBtn = nullptr;
    zk::platform::TBevel* Bevel2 = nullptr;
    QLabel* levellabel = nullptr;
    QWidget* levelbox = nullptr;
    QWidget* Shape1 = nullptr;
    zk::platform::TSpeedButton* NewGameBtn = nullptr;
    zk::platform::TSpeedButton* SoundBtn = nullptr;
    QImage numbs1;
    zk::platform::TSpeedButton* InsertBtn = nullptr;
    zk::platform::TSpeedButton* DeleteBtn = nullptr;
    QScrollBar* levelscroll = nullptr;
    zk::platform::TSpeedButton* sDownBtn = nullptr;
    zk::platform::TSpeedButton* sUpBtn = nullptr;
    QTimer* Timer = nullptr;

    // The board surface and the level indicator paint from these.
    void PaintBox(QPainter& painter, const QRect& rect);
    void RenderLevelbox();
    // The full repaint the window system asks for.
    void RepaintFromPaintEvent();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void DrawAllCells();
    void ShowHelp(const char* file, const char* germanTopic, const char* englishTopic);
    // Starts a level found by a search, and moves the scroll bar to it.
    void StartFoundLevel(std::optional<int> level);
    bool LoadSheets();
    void ShowBoxRect(int x, int y, int w, int h);
    void ShowSettingsError(const std::string& message);
    QWidget* ControlNamed(const char* name) const;
    QPoint EditFormPosition() const;

    TMainFormOptions options_;
    TForms forms_;
    zk::GameState state_;
    zk::RandomSource random_;
    zk::files::SettingsStore settings_;
    std::shared_ptr<zk::platform::SoundPlayer> sound_;
    std::shared_ptr<zk::platform::HelpService> help_;
    std::string helpFile_;

    bool FirstActivation = true;
    bool sheetsLoaded_ = false;
    bool destroyed_ = false;
    bool inBoxPaintEvent_ = false;
    int levelInPlay_ = 0; // the level the Board was last prepared from
    QImage b1_, b2_, b3_, scratch_;
    QImage surface_;
    QImage levelImage_;
};

// The one main window of the process (null before it is created).
TMainForm* MainForm();
