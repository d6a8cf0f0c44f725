#include "Main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

#include "Actions.h"
#include "BoardView.h"
#include "Controller.h"
#include "Editor.h"
#include "Session.h"
#include "Toolbar.h"
#include "dialogs/CodeDlg.h"
#include "dialogs/Infodlg.h"
#include "dialogs/Load.h"
#include "dialogs/Save.h"
#include "dialogs/Splasher.h"
#include "dialogs/Tongdlg.h"
#include "files/LevelFile.h"
#include "platform/Directories.h"
#include "platform/Help.h"
#include "platform/Pictures.h"
#include "platform/Placement.h"
#include "platform/Sound.h"

using namespace zk;

TMainForm::TMainForm(TMainFormOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      options_(std::move(options)) {
    setObjectName("MainForm");
    // The window takes the keys; its buttons and scroll bar take no focus.
    setFocusPolicy(Qt::StrongFocus);
    platform::InitPictures();
    setFixedSize(layout::ClientWidth, layout::ToolPanelHeight + layout::BoxHeight);
    move(292, 297);
    // Start-up moves the window to its stored place, maybe before the window
    // manager has framed it.
    platform::KeepFrameCorner(*this);

    toolbar_ = std::make_unique<Toolbar>(this);
    for (const ActionRow& row : ActionTable()) {
        if (row.control) {
            toolbar_->Add(*row.control, row.offered,
                          row.run ? std::function<void()>([this, &row] { Run(row); }) : nullptr);
        }
    }
    view_ = std::make_unique<BoardView>(state_, windowState_);
    view_->CreateBox(
        this,
        [this] {
            FollowPixelRatio();
            view_->RepaintInPaintEvent([this] { boxPaint(); });
        },
        [this](Qt::MouseButton button, int x, int y) { boxMouseDown(button, x, y); });
    view_->CreateLevelbox(toolbar_->ToolPanel);
    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setInterval(75);
    connect(Timer, &QTimer::timeout, this, &TMainForm::TimerTimer);

    FormCreate();
    controller_ = std::make_unique<GameController>(state_, windowState_, random_, *view_, *toolbar_,
                                                   forms_, *sound_, this);
    controller_->SetNearestSolutionQuery(options_.nearestSolution);
    // A press while the board moves ends the motion before it acts.
    view_->WatchMotionInput(this, [this] { return controller_->SettleMotion(); });
    const auto exit =
        options_.exit ? options_.exit : [](int code) { QCoreApplication::exit(code); };
    session_ = std::make_unique<Session>(state_, windowState_, settings_, *controller_, *view_,
                                         *toolbar_, forms_, *help_, this, *Timer, exit);
}

TMainForm::~TMainForm() {
    FormDestroy();
}

void TMainForm::CreateForms() {
    // The icon is decoded with the forms, after the main window has mapped.
    setWindowIcon(platform::WindowIcon());
    const Language& language = state_.language;
    TForms& f = forms_;
    f.editform = new Teditform(
        this, [this]() -> const QImage& { return view_->PaletteSheet(); },
        windowState_.paletteSelection, [this](int n) { controller_->PalettePick(n); });
    // Keys typed while the palette is active act on the board all the same.
    f.editform->installEventFilter(this);
    f.Splash = new TSplash(language, windowState_.programDirectory, this);
    // The others when first asked for.
    for (std::size_t m = 0; m < MessageCount; ++m) {
        f.messages[m].SetMaker([this, m] {
            return new TMessageDialog(static_cast<Message>(m), state_.language, this);
        });
    }
    f.SaveDlg.SetMaker(
        [this] { return new TSaveDlg(state_.language, state_.savedGamePath, this); });
    f.loaddlg.SetMaker([this] { return new Tloaddlg(state_.language, this); });
    f.TongueDlg.SetMaker([this] { return new TTongueDlg(this); });
    f.InfoDialog.SetMaker([this] {
        auto* info = new TInfoDialog(state_.language, this);
        info->SetLanguageDialog(forms_.TongueDlg.Get());
        info->SetApplyLanguage([this](Language chosen) {
            state_.language = chosen;
            controller_->ApplyLanguage();
        });
        return info;
    });
    // A form of its own, beside the designer's: levels outside the set.
    f.CodeDlg.SetMaker([this] { return new TCodeDlg(state_.language, this); });
}

void TMainForm::FormCreate() {
    FirstActivation = true;
    std::string& directory = windowState_.programDirectory;
    directory = options_.programDirectory.empty() ? platform::ProgramDirectory()
                                                  : options_.programDirectory;
    if (directory.empty() || directory.back() != '/') {
        directory += '/';
    }
    windowState_.playerLevelDirectory =
        options_.playerLevelDirectory
            ? *options_.playerLevelDirectory
            : files::LevelFilePlacesFor(directory).playerDirectory.string();
    // Glyphs, flags and pictures at the screen's resolution.
    platform::UsePictureRatio(devicePixelRatioF(), directory);
    const std::string settingsDir = options_.settingsDirectory.empty()
                                        ? platform::SettingsDirectory()
                                        : options_.settingsDirectory;
    settings_.Open(std::filesystem::path(settingsDir) / files::SettingsFileName);
    if (options_.seed) {
        random_.Seed(*options_.seed);
    } else {
        random_.SeedFromTimeOfDay();
    }
    sound_ = options_.sound ? options_.sound
                            : std::make_shared<platform::ModuleSoundPlayer>(
                                  QString::fromStdString(directory + platform::SoundModuleName));
    help_ = options_.help ? options_.help : std::make_shared<platform::HelpViewer>(this);
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && FirstActivation) {
        // Start-up runs once the event loop delivers the first activation,
        // outside the activation event itself.
        QTimer::singleShot(0, this, &TMainForm::FormActivate);
    }
    return QWidget::event(event);
}

void TMainForm::FormActivate() {
    if (!FirstActivation) {
        return;
    }
    FirstActivation = false;
    session_->StartUp();
    if (options_.motion) {
        view_->SetMotion(*options_.motion);
    }
    if (options_.startCode) {
        controller_->RequestCodeLevel(*options_.startCode);
    }
}

void TMainForm::FollowPixelRatio() {
    // A window moved to a screen of another resolution is repainted whole:
    // the sheets are loaded again for it, and kept when that fails.
    const qreal ratio = devicePixelRatioF();
    if (!view_->SheetsLoaded() || ratio == view_->Ratio() ||
        !view_->LoadSheets(windowState_.programDirectory, ratio)) {
        return;
    }
    view_->Levelbox()->update();
    if (forms_.editform) {
        forms_.editform->update();
    }
}

void TMainForm::boxPaint() {
    controller_->Repaint();
}

void TMainForm::boxMouseDown(Qt::MouseButton button, int x, int y) {
    if (!controller_->SettleMotion()) {
        controller_->BoardClick(button, x, y);
    }
}

void TMainForm::TimerTimer() {
    controller_->Tick();
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event->key(), event->modifiers())) {
        QWidget::keyPressEvent(event);
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == forms_.editform && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return FormKeyDown(key->key(), key->modifiers());
    }
    return QWidget::eventFilter(watched, event);
}

bool TMainForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    // Nothing to act on before start-up has drawn the board.
    if (FirstActivation || !view_->SheetsLoaded()) {
        return false;
    }
    const ActionRow* row = RowForKey(key, modifiers);
    if (!row) {
        return false;
    }
    Run(*row);
    return true;
}

void TMainForm::Run(const ActionRow& row) {
    // A press that lands a running motion does only that.
    if (controller_->SettleMotion()) {
        return;
    }
    // Beyond its play, every action first brings the editor back; Ctrl+T
    // again does no more.
    if (!KeepsTestPlay(row.action) && controller_->TestPlaying()) {
        controller_->EndTestPlay();
        if (row.action == Action::TestPlay) {
            return;
        }
    }
    RunAction(row, state_.boardState, {*controller_, *session_});
}

bool TMainForm::FormCloseQuery() {
    return session_->CloseQuery();
}

bool TMainForm::FormClose() {
    return session_->Close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A solve still shining counts as if its question had been answered.
    controller_->CountPendingSolve();
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    if (!FormClose()) {
        event->ignore();
        return;
    }
    event->accept();
    if (forms_.editform) {
        forms_.editform->hide();
    }
}

void TMainForm::FormDestroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    Timer->stop();
    state_.levels.ReplaceLevels({});
    view_->FreeSheets();
}
