#include "Session.h"

#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <filesystem>

#include "BoardView.h"
#include "Controller.h"
#include "Editor.h"
#include "Texts.h"
#include "Toolbar.h"
#include "dialogs/Infodlg.h"
#include "dialogs/Load.h"
#include "dialogs/Save.h"
#include "dialogs/Splasher.h"
#include "dialogs/Tongdlg.h"
#include "files/AtomicFile.h"
#include "files/LevelFile.h"
#include "files/SavedGame.h"
#include "platform/Help.h"
#include "platform/Modal.h"
#include "platform/Placement.h"

namespace zk {

namespace {

constexpr const char* Section = files::SettingsSection;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

Session::Session(GameState& state, WindowState& windowState, files::SettingsStore& settings,
                 GameController& controller, BoardView& view, Toolbar& toolbar, const TForms& forms,
                 platform::HelpService& help, QWidget* window, QTimer& timer,
                 std::function<void(int)> exit)
    : state_(state), windowState_(windowState), settings_(settings), controller_(controller),
      view_(view), toolbar_(toolbar), forms_(forms), help_(help), window_(window), timer_(timer),
      exit_(std::move(exit)) {}

void Session::StartUp() {
    auto& levels = state_.levels;
    const std::string& directory = windowState_.programDirectory;

    // The language, the splash, and the language dialog on a first run.
    state_.language = LanguageFromInt(settings_.ReadInteger(Section, "tongue", -1));
    if (forms_.Splash) {
        forms_.Splash->ShowModal();
    }
    if (state_.language == LanguageNotChosen && forms_.TongueDlg) {
        forms_.TongueDlg->ShowModal();
        if (const auto chosen = forms_.TongueDlg->Chosen()) {
            state_.language = *chosen;
        }
    }

    // The client area and the image sheets; without them the program ends,
    // without its close sequence, and tells whoever started it.
    window_->setFixedSize(layout::ClientWidth, layout::ToolPanelHeight + layout::BoxHeight);
    // At the window's resolution: on a scaled screen the larger sets.
    if (!view_.LoadSheets(directory, window_->devicePixelRatioF())) {
        platform::ShowError(Q(SheetsFailedText(state_.language)), window_);
        exit_(1);
        return;
    }
    // The window system repaints the whole surface from the sheets.
    view_.Box()->update();

    // The level, the saved game, the level set and the scroll bar.
    levels.SetCurrentLevel(settings_.ReadInteger(Section, "level", 1));
    levels.ReplaceLevels({});
    levels.Flags().fill(0);
    state_.savedGamePath = settings_.ReadString(Section, "save", "");
    if (files::FileExists(state_.savedGamePath) &&
        !files::ReadSavedGame(state_.savedGamePath, levels.Flags())) {
        platform::ShowError(Q(files::GameLoadErrorText(state_.language, state_.savedGamePath)),
                            window_);
    }
    if (const auto message = files::LoadLevels(state_, LevelFiles())) {
        platform::ShowError(Q(*message), window_);
    }
    levels.ClampCurrentLevel();
    levelsAtStart_ = levels.Levels();
    controller_.SetLevelScrollMaximum(levels.LevelCount());
    controller_.MoveLevelScroll(levels.CurrentLevel());

    // The help file, the window position and the mode.
    helpFile_ = directory + "ZKLV.HLP";
    // A stored position where no screen is would leave the player without
    // a window: at least its top-left corner is brought onto a screen.
    window_->move(platform::KeepOnScreen(
        {settings_.ReadInteger(Section, "left", 100), settings_.ReadInteger(Section, "top", 50)},
        window_->frameGeometry().size()));
    state_.gameMode = GameModeFromInt(settings_.ReadInteger(Section, "mode", ToInt(ChallengeMode)));

    // The marks on open connection ends, kept in a section of their own.
    storedMarks_ = settings_.ReadInteger(files::ExtrasSection, "feedback", 0) != 0;
    windowState_.connectionMarks = storedMarks_;
    view_.SetConnectionMarks(storedMarks_);

    // The first level, the texts, the palette and the animation.
    levels.InitAllSolved();
    state_.edited = false;
    state_.levelsChanged = false;
    controller_.StartLevel(levels.CurrentLevel());
    controller_.ApplyLanguage();
    windowState_.paletteSelection = 0;
    windowState_.animationFrame = 0;
    timer_.start();
    if (forms_.editform) {
        const QPoint fallback = EditFormPosition();
        forms_.editform->move(
            platform::KeepOnScreen({settings_.ReadInteger(Section, "eleft", fallback.x()),
                                    settings_.ReadInteger(Section, "etop", fallback.y())},
                                   forms_.editform->frameGeometry().size()));
    }
}

QPoint Session::EditFormPosition() const {
    // Computed wide: the window may stand anywhere an int reaches.
    const qint64 right = qint64{window_->x()} + window_->frameGeometry().width();
    return {static_cast<int>(std::clamp<qint64>(right, INT_MIN, INT_MAX)), window_->y()};
}

void Session::LoadGame() {
    Tloaddlg* dlg = forms_.loaddlg;
    if (!dlg) {
        return;
    }
    // The dialog opens in the saved game's directory, else in the program's.
    const QString saved = Q(state_.savedGamePath);
    if (!saved.isEmpty() && !dlg->DirectoryListBox->SetDirectoryFromPath(saved)) {
        dlg->DirectoryListBox->SetDirectory(Q(windowState_.programDirectory));
    }
    if (dlg->ShowModal() != platform::mrOk) {
        return;
    }
    const std::string name = dlg->FileListBox->FileName().toStdString();
    if (name.empty()) {
        return;
    }
    if (files::FileExists(name)) {
        state_.levels.Flags().fill(0);
        if (!files::ReadSavedGame(name, state_.levels.Flags())) {
            platform::ShowError(Q(files::GameLoadErrorText(state_.language, name)), window_);
        }
    }
    state_.savedGamePath = name;
    controller_.UpdateCaption();
    view_.DrawProgressBar();
}

void Session::SaveGame() {
    TSaveDlg* dlg = forms_.SaveDlg;
    if (!dlg) {
        return;
    }
    if (files::FileExists(state_.savedGamePath)) {
        dlg->FileListBox->SetFileName(Q(state_.savedGamePath));
    }
    // The dialog comes back until the name is new or may be overwritten.
    std::string path;
    for (;;) {
        if (dlg->ShowModal() != platform::mrOk) {
            return;
        }
        path = files::JoinPath(dlg->FileListBox->Directory().toStdString(),
                               dlg->FileEdit->text().toStdString());
        path = files::WithSavedGameExtension(path);
        if (!files::FileExists(path)) {
            break;
        }
        const QString question =
            Q(files::GameExistsQuestionText(state_.language, files::FileNameOf(path)));
        if (platform::ShowMessage(platform::MessageIcon::Warning, platform::MessageButtons::YesNo,
                                  question, window_) != platform::mrNo) {
            break;
        }
    }
    state_.savedGamePath = path;
    if (!files::WriteSavedGame(path, state_.levels.Flags())) {
        platform::ShowError(Q(files::GameSaveErrorText(state_.language, files::FileNameOf(path))),
                            window_);
    }
    controller_.UpdateCaption();
}

void Session::Save() {
    if (state_.boardState != EditingState) {
        SaveGame();
    } else if (const auto message = files::SaveLevels(state_, LevelFiles())) {
        platform::ShowError(Q(*message), window_);
    }
}

void Session::ShowHelp(const char* file, const char* germanTopic, const char* englishTopic) {
    help_.Quit();
    helpFile_ = windowState_.programDirectory + file;
    if (!help_.OpenContents(helpFile_)) {
        return;
    }
    help_.JumpToTopic(Tr(state_.language, germanTopic, englishTopic));
}

void Session::ShowInfo() {
    if (forms_.InfoDialog) {
        forms_.InfoDialog->ShowModal();
    }
}

void Session::RequestClose() {
    window_->close();
}

bool Session::CloseQuery() {
    TMessageDialog* endGame = forms_.Message(Message::EndGameDlg);
    return !endGame || endGame->ShowModal() == platform::mrYes;
}

void Session::Close() {
    help_.Quit();
    // A test-play ends as if never begun.
    controller_.EndTestPlay();
    // The editor's Board goes into its level without a question.
    if (state_.boardState == EditingState) {
        state_.levels.StoreBoard(state_.board.cells);
    }
    if (LevelsToOffer() &&
        platform::ShowMessage(platform::MessageIcon::Question, platform::MessageButtons::YesNo,
                              Q(LevelsChangedQuestionText(state_.language)),
                              window_) == platform::mrYes) {
        if (const auto message = files::SaveLevels(state_, LevelFiles())) {
            platform::ShowError(Q(*message), window_);
        }
    }
    SaveGame();
    WriteSettings();
}

bool Session::LevelsToOffer() const {
    // After an accepted "Accept modifications?" always, as before; otherwise
    // whenever the run changed the level set and the level file does not hold
    // it (a file that is missing or cannot be read holds nothing), so that
    // edits, inserted and deleted levels are not lost without a word.
    if (state_.levelsChanged) {
        return true;
    }
    const std::vector<LevelRecord>& levels = state_.levels.Levels();
    if (levels == levelsAtStart_) {
        return false;
    }
    // The file the next start reads: the player's copy once there is one.
    const std::string file = files::LocateLevelFile(LevelFiles()).path;
    return files::ReadLevelFile(file).levels != levels;
}

files::LevelFilePlaces Session::LevelFiles() const {
    return {windowState_.programDirectory, windowState_.playerLevelDirectory};
}

void Session::WriteSettings() {
    const QPoint palette = forms_.editform ? forms_.editform->pos() : EditFormPosition();
    try {
        // A fresh account may have no settings directory yet.
        std::error_code ignored;
        std::filesystem::create_directories(
            std::filesystem::path(settings_.FileName()).parent_path(), ignored);
        settings_.WriteInteger(Section, "mode", ToInt(state_.gameMode));
        settings_.WriteBool(Section, "sound", toolbar_.SoundOn());
        settings_.WriteInteger(Section, "left", window_->x());
        settings_.WriteInteger(Section, "top", window_->y());
        settings_.WriteInteger(Section, "level", state_.levels.CurrentLevel());
        settings_.WriteInteger(Section, "tongue", ToInt(state_.language));
        settings_.WriteString(Section, "save", state_.savedGamePath);
        settings_.WriteInteger(Section, "eleft", palette.x());
        settings_.WriteInteger(Section, "etop", palette.y());
        // Written only when changed, so a game that never used them leaves
        // the file as the game's own keys make it.
        if (windowState_.connectionMarks != storedMarks_) {
            settings_.WriteBool(files::ExtrasSection, "feedback", windowState_.connectionMarks);
            storedMarks_ = windowState_.connectionMarks;
        }
    } catch (const files::SettingsWriteError& error) {
        // Shown, and the close completes: a settings directory that cannot
        // be written must not keep the player in the game.
        platform::ShowError(Q(error.what()), window_);
    }
}

} // namespace zk
