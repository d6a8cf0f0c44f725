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

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

std::optional<std::string> LoadLevels(GameState& state, const files::LevelFilePlaces& places) {
    const files::LevelFileLocation file = files::LocateLevelFile(places);
    files::LevelFileContents contents = files::ReadLevelFile(file.path);
    if (contents.levels.empty()) {
        state.levels.ReplaceLevels({LevelRecord{}});
        state.levels.SetCurrentLevel(1);
        return LevelReadErrorText(state.language, contents.error,
                                  (file.shownDirectory / file.shownName).string());
    }
    state.levels.ReplaceLevels(std::move(contents.levels));
    return std::nullopt;
}

std::optional<std::string> SaveLevels(GameState& state, const files::LevelFilePlaces& places) {
    if (state.boardState == EditingState) {
        state.levels.StoreBoard(state.board.cells);
    }
    const files::LevelFileLocation file = files::LevelFileToWrite(places);
    if (file.playersOwn) {
        files::CreatePrivateDirectories(places.playerDirectory);
    }
    const auto failed = files::WriteLevelFile(file.path, state.levels.Levels());
    state.edited = false;
    if (failed) {
        // The player's copy is named with its directory: the name alone
        // would send the player to the program's file.
        return LevelWriteErrorText(state.language, *failed,
                                   file.playersOwn ? file.path.string() : file.shownName);
    }
    return std::nullopt;
}

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

    // The settings as the last close left them.
    stored_ = files::ReadGameSettings(settings_);

    // The language, the splash, and the language dialog on a first run.
    state_.language = stored_.tongue;
    if (forms_.Splash) {
        forms_.Splash->ShowModal();
    }
    if (state_.language == LanguageNotChosen) {
        if (TTongueDlg* tongue = forms_.TongueDlg.Get()) {
            tongue->ShowModal();
            if (const auto chosen = tongue->Chosen()) {
                state_.language = *chosen;
            }
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
    levels.SetCurrentLevel(stored_.level);
    levels.ReplaceLevels({});
    levels.Flags().fill(0);
    state_.savedGamePath = stored_.save;
    if (files::FileExists(state_.savedGamePath) &&
        !files::ReadSavedGame(state_.savedGamePath, levels.Flags())) {
        platform::ShowError(Q(GameLoadErrorText(state_.language, state_.savedGamePath)), window_);
    }
    if (const auto message = LoadLevels(state_, LevelFiles())) {
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
    window_->move(
        platform::KeepOnScreen({stored_.left, stored_.top}, window_->frameGeometry().size()));
    state_.gameMode = stored_.mode;

    // The marks on open connection ends.
    windowState_.connectionMarks = stored_.feedback;
    view_.SetConnectionMarks(stored_.feedback);
    // The slide of a move and the shine of a solve.
    view_.SetMotion(stored_.animations);

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
        forms_.editform->move(platform::KeepOnScreen(
            {stored_.eleft.value_or(fallback.x()), stored_.etop.value_or(fallback.y())},
            forms_.editform->frameGeometry().size()));
    }
    // What writes interrupted in an earlier run left behind, once the window
    // is shown: start-up does not wait for it.
    QTimer::singleShot(0, window_,
                       [written = FilesWritten()] { files::CleanUpInterruptedWrites(written); });
}

std::vector<std::string> Session::FilesWritten() const {
    return {files::LocateLevelFile(LevelFiles()).path.string(),
            files::LevelFileToWrite(LevelFiles()).path.string(), state_.savedGamePath,
            settings_.FileName().string()};
}

QPoint Session::EditFormPosition() const {
    // Computed wide: the window may stand anywhere an int reaches.
    const qint64 right = qint64{window_->x()} + window_->frameGeometry().width();
    return {static_cast<int>(std::clamp<qint64>(right, INT_MIN, INT_MAX)), window_->y()};
}

void Session::LoadGame() {
    Tloaddlg* dlg = forms_.loaddlg.Get();
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
            platform::ShowError(Q(GameLoadErrorText(state_.language, name)), window_);
        }
    }
    state_.savedGamePath = name;
    controller_.UpdateCaption();
    view_.DrawProgressBar();
}

void Session::SaveGame() {
    TSaveDlg* dlg = forms_.SaveDlg.Get();
    if (!dlg) {
        return;
    }
    if (files::FileExists(state_.savedGamePath)) {
        dlg->FileListBox->SetFileName(Q(state_.savedGamePath));
    }
    // The dialog comes back until the name is new or may be overwritten.
    std::filesystem::path path;
    for (;;) {
        if (dlg->ShowModal() != platform::mrOk) {
            return;
        }
        // The dialog takes no name with a "/" in it.
        path = files::WithSavedGameExtension(
            std::filesystem::path(dlg->FileListBox->Directory().toStdString()) /
            dlg->FileEdit->text().toStdString());
        if (!files::FileExists(path.string())) {
            break;
        }
        const QString question =
            Q(GameExistsQuestionText(state_.language, path.filename().string()));
        if (platform::ShowMessage(platform::MessageIcon::Warning, platform::MessageButtons::YesNo,
                                  question, window_) != platform::mrNo) {
            break;
        }
    }
    state_.savedGamePath = path.string();
    if (!files::WriteSavedGame(path, state_.levels.Flags())) {
        platform::ShowError(Q(GameSaveErrorText(state_.language, path.filename().string())),
                            window_);
    }
    controller_.UpdateCaption();
}

void Session::Save() {
    if (state_.boardState != EditingState) {
        SaveGame();
    } else {
        WriteLevels();
    }
}

bool Session::WriteLevels() {
    const bool edited = state_.edited;
    const auto message = SaveLevels(state_, LevelFiles());
    if (!message) {
        return true;
    }
    // Not written: the work stays marked as unsaved, so that leaving the
    // level and the close ask again.
    state_.edited = edited;
    state_.levelsChanged = true;
    platform::ShowError(Q(*message), window_);
    return false;
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
    if (TInfoDialog* info = forms_.InfoDialog.Get()) {
        info->ShowModal();
    }
}

void Session::RequestClose() {
    window_->close();
}

bool Session::CloseQuery() {
    TMessageDialog* endGame = forms_.Message(Message::EndGameDlg);
    return !endGame || endGame->ShowModal() == platform::mrYes;
}

bool Session::Close() {
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
                              window_) == platform::mrYes &&
        !WriteLevels()) {
        return false;
    }
    SaveGame();
    WriteSettings();
    return true;
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
    return files::ReadLevelFile(files::LocateLevelFile(LevelFiles()).path).levels != levels;
}

files::LevelFilePlaces Session::LevelFiles() const {
    return {windowState_.programDirectory, windowState_.playerLevelDirectory};
}

void Session::WriteSettings() {
    const QPoint palette = forms_.editform ? forms_.editform->pos() : EditFormPosition();
    files::GameSettings now = stored_;
    now.mode = state_.gameMode;
    now.sound = toolbar_.SoundOn();
    now.left = window_->x();
    now.top = window_->y();
    now.level = state_.levels.CurrentLevel();
    now.tongue = state_.language;
    now.save = state_.savedGamePath;
    now.eleft = palette.x();
    now.etop = palette.y();
    now.feedback = windowState_.connectionMarks;
    try {
        files::WriteGameSettings(settings_, now, stored_);
        stored_ = now;
    } catch (const files::SettingsWriteError& error) {
        // Shown, and the close completes: a settings directory that cannot
        // be written must not keep the player in the game.
        platform::ShowError(Q(SettingsWriteErrorText(error.Path().string())), window_);
    }
}

} // namespace zk
