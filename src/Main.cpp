#include "Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <filesystem>

#include "Editor.h"
#include "Texts.h"
#include "dialogs/Allsolvd.h"
#include "dialogs/Change.h"
#include "dialogs/Endgame.h"
#include "dialogs/Giveup.h"
#include "dialogs/Infodlg.h"
#include "dialogs/Load.h"
#include "dialogs/Restart.h"
#include "dialogs/Save.h"
#include "dialogs/Solved.h"
#include "dialogs/Splasher.h"
#include "dialogs/Take.h"
#include "dialogs/Tongdlg.h"
#include "files/AtomicFile.h"
#include "files/LevelFile.h"
#include "files/SavedGame.h"
#include "platform/Bitmaps.h"
#include "platform/Controls.h"
#include "platform/Directories.h"
#include "platform/Help.h"
#include "platform/Modal.h"
#include "platform/Pictures.h"
#include "platform/Sound.h"

using zk::platform::BitBlt;
using zk::platform::RasterOp;

namespace {

TMainForm* theMainForm = nullptr;

constexpr int ClientWidth = 520;
constexpr int ToolPanelHeight = 33;
constexpr int BoxHeight = 376;
constexpr int CellSize = 48;
constexpr int BoardLeft = 22;
constexpr int BoardTop = 20;
constexpr int BarLeft = 469;
constexpr int BarTop = 32;
constexpr int BarWidth = 31;
constexpr int BarHeight = 315;
constexpr int EmptyBarLeft = 415;
constexpr int SpriteSize = 20;
constexpr int TimerInterval = 75;
constexpr char Section[] = "Zanfor Kelva";

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The board surface: shows the off-screen image; a full repaint request of
// the window system redraws the image first.
class TBoardBox : public QWidget {
public:
    TBoardBox(TMainForm* form, QWidget* parent) : QWidget(parent), form_(form) {
        setObjectName("box");
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        if (!form_->SheetsLoaded()) {
            // Nothing to draw from before the sheets are loaded.
            painter.fillRect(event->rect(), palette().window());
            return;
        }
        if (event->rect() == rect()) {
            form_->RepaintFromPaintEvent();
        }
        form_->PaintBox(painter, event->rect());
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        form_->boxMouseDown(event->button(), p.x(), p.y());
    }

private:
    TMainForm* form_;
};

// The level indicator: three digits and a face from the digit strip.
class TLevelBox : public QWidget {
public:
    TLevelBox(TMainForm* form, QWidget* parent) : QWidget(parent), form_(form) {
        setObjectName("levelbox");
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        form_->RenderLevelbox();
        QPainter painter(this);
        painter.drawImage(0, 0, form_->LevelboxImage());
    }

private:
    TMainForm* form_;
};

// A filled rectangle without border.
class TShape : public QWidget {
public:
    TShape(QWidget* parent, const QString& name, QColor colour) : QWidget(parent), colour_(colour) {
        setObjectName(name);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QColor colour_;
};

} // namespace

TMainForm* MainForm() {
    return theMainForm;
}

TMainForm::TMainForm(TMainFormOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      options_(std::move(options)) {
    theMainForm = this;
    setObjectName("MainForm");
    zk::platform::InitPictures();
    CreateControls();
    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
    if (theMainForm == this) {
        theMainForm = nullptr;
    }
}

void TMainForm::SetForms(const TForms& forms) {
    forms_ = forms;
}

void TMainForm::CreateForms() {
    // The icon is decoded with the forms, after the main window has mapped.
    setWindowIcon(zk::platform::WindowIcon());
    TForms f;
    f.TakeDlg = new zk::TTakeDlg(state_, this);
    f.SaveDlg = new zk::TSaveDlg(state_, this);
    f.loaddlg = new zk::Tloaddlg(state_, this);
    f.editform = new Teditform(this);
    f.ChangeModeDlg = new zk::TChangeModeDlg(state_, this);
    f.Splash = new zk::TSplash(state_, this);
    f.AllSolvedDlg = new zk::TAllSolvedDlg(state_, this);
    f.EndGameDlg = new zk::TEndGameDlg(state_, this);
    f.GiveUpDlg = new zk::TGiveUpDlg(state_, this);
    f.InfoDialog = new zk::TInfoDialog(state_, this);
    f.RestartDlg = new zk::TRestartDlg(state_, this);
    f.SolvedDlg = new zk::TSolvedDlg(state_, this);
    f.TongueDlg = new zk::TTongueDlg(state_, this);
    f.InfoDialog->SetLanguageDialog(f.TongueDlg);
    f.InfoDialog->SetApplyLanguage([this] { ApplyLanguage(); });
    SetForms(f);
}

void TMainForm::CreateControls() {
    using zk::platform::Place;
    using zk::platform::TSpeedButton;
    setFixedSize(ClientWidth, ToolPanelHeight + BoxHeight);
    move(292, 297);

    ToolPanel = new QWidget(this);
    ToolPanel->setObjectName("ToolPanel");
    ToolPanel->setAutoFillBackground(true);
    Place(ToolPanel, 0, 0, ClientWidth, ToolPanelHeight);

    auto button = [this](const char* name, int x, int y, int w, int h, const char* glyph,
                         int images) {
        auto* b = new TSpeedButton(ToolPanel, name);
        b->SetGlyph(glyph, images);
        Place(b, x, y, w, h);
        return b;
    };
    // Declaration order of the form; InsertBtn and NewGameBtn, DeleteBtn and
    // RestartBtn share their places.
    RestartBtn = button("RestartBtn", 28, 4, 25, 25, "RestartBtn.png", 2);
    OptionBtn = button("OptionBtn", 124, 4, 25, 25, "OptionBtn.png", 1);
    ExitBtn = button("ExitBtn", 148, 4, 25, 25, "ExitBtn.png", 1);
    RulesBtn = button("RulesBtn", 437, 4, 25, 25, "RulesBtn.png", 1);
    InfoBtn = button("InfoBtn", 461, 4, 25, 25, "InfoBtn.png", 1);
    ZanforBtn = button("ZanforBtn", 485, 4, 30, 25, "ZanforBtn.png", 1);
    RulesBtn->setToolTip("Spielregeln");
    InfoBtn->setToolTip("Info");
    ZanforBtn->setToolTip("Zanfor Games");

    box = new TBoardBox(this, this);
    Place(box, 0, ToolPanelHeight, ClientWidth, BoxHeight);

    LoadBtn = button("LoadBtn", 52, 4, 25, 25, "LoadBtn.png", 2);
    SaveBtn = button("SaveBtn", 76, 4, 25, 25, "SaveBtn.png", 2);

    Bevel2 = new zk::platform::TBevel(ToolPanel, "Bevel2", zk::platform::TBevel::Shape::Box);
    Place(Bevel2, 176, 4, 113, 26);
    Shape1 = new TShape(ToolPanel, "Shape1", Qt::black);
    Place(Shape1, 176, 5, 113, 24);
    levellabel = new QLabel("x", ToolPanel);
    levellabel->setObjectName("levellabel");
    levellabel->setFont(zk::platform::FormFont(12));
    levellabel->setAttribute(Qt::WA_TranslucentBackground);
    QPalette yellow = levellabel->palette();
    yellow.setColor(QPalette::WindowText, QColor(255, 255, 0));
    levellabel->setPalette(yellow);
    Place(levellabel, 180, 12, 45, 16);
    levelbox = new TLevelBox(this, ToolPanel);
    Place(levelbox, 228, 7, 57, 20);

    NewGameBtn = button("NewGameBtn", 4, 4, 25, 25, "NewGameBtn.png", 1);
    SoundBtn = button("SoundBtn", 100, 4, 25, 25, "SoundBtn.png", 2);
    SoundBtn->SetToggle(true);
    numbs1 = zk::platform::Picture("numbs1.png").toImage().convertToFormat(QImage::Format_RGB32);
    InsertBtn = button("InsertBtn", 4, 4, 25, 25, "InsertBtn.png", 2);
    InsertBtn->setToolTip("Neue Stufe");
    DeleteBtn = button("DeleteBtn", 28, 4, 25, 25, "DeleteBtn.png", 2);
    DeleteBtn->setToolTip("Stufe löschen");

    levelscroll = new QScrollBar(Qt::Horizontal, ToolPanel);
    levelscroll->setObjectName("levelscroll");
    levelscroll->setRange(1, 1);
    levelscroll->setSingleStep(1);
    levelscroll->setPageStep(10);
    levelscroll->setFocusPolicy(Qt::NoFocus);
    Place(levelscroll, 313, 8, 101, 19);
    sDownBtn = button("sDownBtn", 292, 7, 20, 20, "sDownBtn.png", 2);
    sUpBtn = button("sUpBtn", 413, 7, 20, 20, "sUpBtn.png", 2);

    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setInterval(TimerInterval);

    InsertBtn->hide();
    DeleteBtn->hide();
    levelImage_ = zk::platform::CreateBitmap(57, 20);

    connect(RestartBtn, &QAbstractButton::clicked, this, &TMainForm::RestartBtnClick);
    connect(NewGameBtn, &QAbstractButton::clicked, this, &TMainForm::NewGameBtnClick);
    connect(OptionBtn, &QAbstractButton::clicked, this, &TMainForm::OptionBtnClick);
    connect(ExitBtn, &QAbstractButton::clicked, this, &TMainForm::ExitBtnClick);
    connect(SaveBtn, &QAbstractButton::clicked, this, &TMainForm::SaveBtnClick);
    connect(LoadBtn, &QAbstractButton::clicked, this, &TMainForm::LoadBtnClick);
    connect(sUpBtn, &QAbstractButton::clicked, this, &TMainForm::sUpBtnClick);
    connect(sDownBtn, &QAbstractButton::clicked, this, &TMainForm::sDownBtnClick);
    connect(InsertBtn, &QAbstractButton::clicked, this, &TMainForm::InsertBtnClick);
    connect(DeleteBtn, &QAbstractButton::clicked, this, &TMainForm::DeleteBtnClick);
    connect(RulesBtn, &QAbstractButton::clicked, this, &TMainForm::rules);
    connect(InfoBtn, &QAbstractButton::clicked, this, &TMainForm::info);
    connect(ZanforBtn, &QAbstractButton::clicked, this, &TMainForm::ZanforBtnClick);
    connect(levelscroll, &QScrollBar::valueChanged, this, &TMainForm::levelScrollChange);
    connect(Timer, &QTimer::timeout, this, &TMainForm::TimerTimer);
}

// ---------------------------------------------------------------------------
// Program start and start-up

void TMainForm::FormCreate() {
    FirstActivation = true;
    state_.programDirectory = options_.programDirectory.empty() ? zk::platform::ProgramDirectory()
                                                                : options_.programDirectory;
    if (state_.programDirectory.empty() || state_.programDirectory.back() != '/') {
        state_.programDirectory += '/';
    }
    const std::string settingsDir = options_.settingsDirectory.empty()
                                        ? zk::platform::SettingsDirectory()
                                        : options_.settingsDirectory;
    settings_.Open(zk::files::JoinPath(settingsDir, zk::files::SettingsFileName));
    if (options_.seed) {
        random_.Seed(*options_.seed);
    } else {
        random_.SeedFromTimeOfDay();
    }
    sound_ = options_.sound
                 ? options_.sound
                 : std::make_shared<zk::platform::ModuleSoundPlayer>(QString::fromStdString(
                       state_.programDirectory + zk::platform::SoundModuleName));
    help_ = options_.help ? options_.help : std::make_shared<zk::platform::HelpViewer>(this);
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
    auto& levels = state_.levels;

    // 2-4: the language, the splash, and the language dialog on a first run.
    state_.language = settings_.ReadInteger(Section, "tongue", zk::LanguageNotChosen);
    if (forms_.Splash) {
        forms_.Splash->ShowModal();
    }
    if (state_.language == zk::LanguageNotChosen && forms_.TongueDlg) {
        forms_.TongueDlg->ShowModal();
    }

    // 5-6: the client area and the image sheets.
    setFixedSize(ClientWidth, ToolPanelHeight + BoxHeight);
    if (!LoadSheets()) {
        zk::platform::ShowError(Q(zk::SheetsFailedText(state_.language)), this);
        // The program ends here without its close sequence; the failure is
        // reported to whoever started it.
        if (options_.exit) {
            options_.exit(1);
        } else {
            QCoreApplication::exit(1);
        }
        return;
    }
    // The window system repaints the whole surface from the sheets.
    box->update();

    // 7-11: the level, the saved game, the level set and the scroll bar.
    levels.SetCurrentLevel(settings_.ReadInteger(Section, "level", 1));
    levels.ReplaceLevels({});
    levels.Flags().fill(0);
    state_.savedGamePath = settings_.ReadString(Section, "save", "");
    if (zk::files::FileExists(state_.savedGamePath) &&
        !zk::files::ReadSavedGame(state_.savedGamePath, levels.Flags())) {
        zk::platform::ShowError(
            Q(zk::files::GameLoadErrorText(state_.language, state_.savedGamePath)), this);
    }
    if (const auto message = zk::files::LoadLevels(state_)) {
        zk::platform::ShowError(Q(*message), this);
    }
    levels.ClampCurrentLevel();
    levelscroll->setMaximum(levels.LevelCount());
    SetLevelScrollPosition(levels.CurrentLevel());

    // 12-14: the help file, the window position and the mode.
    helpFile_ = state_.programDirectory + "ZKLV.HLP";
    move(settings_.ReadInteger(Section, "left", 100), settings_.ReadInteger(Section, "top", 50));
    state_.gameMode = settings_.ReadInteger(Section, "mode", zk::ChallengeMode);
    if (state_.gameMode < zk::PracticeMode || state_.gameMode > zk::EditorMode) {
        state_.gameMode = zk::ChallengeMode;
    }

    // 15-21.
    levels.InitAllSolved();
    state_.edited = false;
    state_.levelsChanged = false;
    StartLevel(levels.CurrentLevel());
    ApplyLanguage();
    state_.paletteSelection = 0;
    state_.animationFrame = 0;
    Timer->start();
    if (forms_.editform) {
        const QPoint fallback = EditFormPosition();
        forms_.editform->move(settings_.ReadInteger(Section, "eleft", fallback.x()),
                              settings_.ReadInteger(Section, "etop", fallback.y()));
    }
}

QPoint TMainForm::EditFormPosition() const {
    // Just right of the main window, top edges level.
    return {x() + frameGeometry().width(), y()};
}

bool TMainForm::LoadSheets() {
    const QString dir = Q(state_.programDirectory);
    QImage b1, b2, b3;
    if (!zk::platform::LoadBitmap(dir + "b1.bmp", b1) ||
        !zk::platform::LoadBitmap(dir + "b2.bmp", b2) ||
        !zk::platform::LoadBitmap(dir + "b3.bmp", b3)) {
        return false;
    }
    // A sheet too small for its layout would leave cells undrawn.
    if (b1.width() < 960 || b1.height() < 480 || b2.width() < ClientWidth ||
        b2.height() < BoxHeight || b3.width() < 480 || b3.height() < 240) {
        return false;
    }
    b1_ = b1;
    b2_ = b2;
    b3_ = b3;
    scratch_ = zk::platform::CreateBitmap(CellSize, CellSize);
    surface_ = zk::platform::CreateBitmap(ClientWidth, BoxHeight);
    sheetsLoaded_ = true;
    return true;
}

// ---------------------------------------------------------------------------
// Drawing

void TMainForm::ShowBoxRect(int x, int y, int w, int h) {
    // During a paint event the whole surface goes on screen anyway.
    if (!inBoxPaintEvent_) {
        box->update(x, y, w, h);
    }
}

void TMainForm::RepaintFromPaintEvent() {
    inBoxPaintEvent_ = true;
    boxPaint();
    inBoxPaintEvent_ = false;
}

void TMainForm::PaintBox(QPainter& painter, const QRect& rect) {
    painter.drawImage(rect.topLeft(), surface_, rect);
}

void TMainForm::DrawBackground() {
    if (!sheetsLoaded_) {
        return;
    }
    BitBlt(surface_, 0, 0, ClientWidth, BoxHeight, b2_, 0, 0, RasterOp::Copy);
    ShowBoxRect(0, 0, ClientWidth, BoxHeight);
}

void TMainForm::DrawCell(int c, int r) {
    if (!sheetsLoaded_ || !zk::IsOnBoard(c, r)) {
        return;
    }
    const int x = BoardLeft + CellSize * c;
    const int y = BoardTop + CellSize * r;
    const zk::TileNumber t = state_.board.At(c, r);
    if (zk::HasPicture(t)) {
        const zk::Point cell = zk::SheetCell(t);
        BitBlt(surface_, x, y, CellSize, CellSize, b1_, cell.x * CellSize, cell.y * CellSize,
               RasterOp::Copy);
    } else {
        // A byte without a tile type has no picture: a black hole.
        QPainter(&surface_).fillRect(x, y, CellSize, CellSize, Qt::black);
    }
    ShowBoxRect(x, y, CellSize, CellSize);
}

void TMainForm::DrawAllCells() {
    for (int c = 0; c < zk::Columns; ++c) {
        for (int r = 0; r < zk::Rows; ++r) {
            DrawCell(c, r);
        }
    }
}

void TMainForm::DrawHeldCell() {
    if (!sheetsLoaded_ || !state_.board.hasHeld) {
        return;
    }
    const zk::Cell held = state_.board.held;
    const zk::TileNumber t = state_.board.HeldTile();
    if (zk::HasPicture(t)) {
        const zk::Point cell = zk::SheetCell(t);
        BitBlt(scratch_, 0, 0, CellSize, CellSize, b1_, cell.x * CellSize, cell.y * CellSize,
               RasterOp::Copy);
    } else {
        scratch_.fill(Qt::black);
    }
    if (state_.boardState == zk::PlayState) {
        const zk::Point anchor = zk::SpriteAnchor(t);
        const int sx = 30 + SpriteSize * (state_.animationFrame & 7);
        BitBlt(scratch_, anchor.x, anchor.y, SpriteSize, SpriteSize, b2_, sx, 50, RasterOp::And);
        BitBlt(scratch_, anchor.x, anchor.y, SpriteSize, SpriteSize, b2_, sx, 30, RasterOp::Paint);
    }
    const int x = BoardLeft + CellSize * held.column;
    const int y = BoardTop + CellSize * held.row;
    BitBlt(surface_, x, y, CellSize, CellSize, scratch_, 0, 0, RasterOp::Copy);
    ShowBoxRect(x, y, CellSize, CellSize);
}

void TMainForm::DrawProgressBar() {
    if (!sheetsLoaded_) {
        return;
    }
    const int n = state_.levels.SolvedCount();
    const int m = state_.levels.LevelCount();
    if (n == 0) {
        BitBlt(surface_, BarLeft, BarTop, BarWidth, BarHeight, b2_, EmptyBarLeft, BarTop,
               RasterOp::Copy);
    } else if (n == m) {
        BitBlt(surface_, BarLeft, BarTop, BarWidth, BarHeight, b2_, BarLeft, BarTop,
               RasterOp::Copy);
    } else {
        const int f = n * BarHeight / m;
        BitBlt(surface_, BarLeft, BarTop, BarWidth, BarHeight - f, b2_, EmptyBarLeft, BarTop,
               RasterOp::Copy);
        const int from = BarTop + BarHeight - f;
        BitBlt(surface_, BarLeft, from, BarWidth, BoxHeight - from, b2_, BarLeft, from,
               RasterOp::Copy);
    }
    ShowBoxRect(BarLeft, BarTop, BarWidth, BoxHeight - BarTop);
}

void TMainForm::RenderLevelbox() {
    const int level = state_.levels.CurrentLevel();
    const int digits[3] = {level / 100 % 10, level / 10 % 10, level % 10};
    bool leading = true;
    for (int i = 0; i < 3; ++i) {
        leading = leading && digits[i] == 0;
        const int source = (leading && i < 2) ? 110 : 11 * digits[i];
        BitBlt(levelImage_, 13 * i, 0, 11, 20, numbs1, source, 0, RasterOp::Copy);
    }
    const bool solvedFace = state_.boardState == zk::EditingState
                                ? state_.board.IsSolved()
                                : state_.levels.IsLevelSolved(level);
    BitBlt(levelImage_, 42, 0, 13, 20, numbs1, solvedFace ? 122 : 135, 0, RasterOp::Copy);
    levelbox->setToolTip(
        Q(zk::LevelHintText(state_.language, level, state_.levels.IsLevelSolved(level))));
}

void TMainForm::levelboxPaint() {
    RenderLevelbox();
    levelbox->update();
}

void TMainForm::boxPaint() {
    if (!sheetsLoaded_) {
        return;
    }
    DrawBackground();
    DrawAllCells();
    levelboxPaint();
    UpdateCaption();
    DrawProgressBar();
}

void TMainForm::boxMouseDown(Qt::MouseButton button, int x, int y) {
    if (x < BoardLeft || y < BoardTop) {
        return;
    }
    const int c = (x - BoardLeft) / CellSize;
    const int r = (y - BoardTop) / CellSize;
    if (c > 8 || r > 6) {
        return;
    }
    switch (state_.boardState) {
    case zk::PlayState: {
        const zk::MoveResult move = state_.board.SwapWithHeld(c, r);
        if (!move.moved) {
            return;
        }
        PlaySound(2);
        DrawCell(c, r);
        DrawCell(move.previousHeld.column, move.previousHeld.row);
        state_.moved = true;
        if (state_.board.IsSolved()) {
            OnSolved();
        }
        break;
    }
    case zk::EditingState:
        if (button == Qt::LeftButton) {
            state_.board.Set(c, r, static_cast<zk::TileNumber>(state_.paletteSelection));
            DrawCell(c, r);
            state_.edited = true;
        } else if (button == Qt::RightButton) {
            if (forms_.editform) {
                forms_.editform->DrawPaletteCell(state_.paletteSelection);
            }
            state_.paletteSelection = state_.board.At(c, r);
            if (forms_.editform) {
                forms_.editform->DrawSelectionCross();
            }
            state_.board.Set(c, r, zk::EmptyTile);
            DrawCell(c, r);
            state_.edited = true;
        }
        levelboxPaint();
        break;
    default:
        break;
    }
}

void TMainForm::TimerTimer() {
    state_.animationFrame = (state_.animationFrame + 1) % 8;
    DrawHeldCell();
}

// ---------------------------------------------------------------------------
// The controller

bool TMainForm::StartLevel(int n) {
    if (state_.gameMode == zk::ChallengeMode && state_.boardState == zk::PlayState &&
        state_.moved && forms_.RestartDlg && forms_.RestartDlg->ShowModal() == zk::platform::mrNo) {
        return false;
    }
    if (state_.boardState == zk::EditingState && state_.edited) {
        if (forms_.TakeDlg && forms_.TakeDlg->ShowModal() == zk::platform::mrOk) {
            state_.levels.StoreBoard(state_.board.cells);
            state_.levelsChanged = true;
        }
        state_.edited = false;
    }
    state_.levels.SetCurrentLevel(n);
    state_.board.Prepare(state_.levels.LevelAt(n), state_.gameMode, random_);
    levelInPlay_ = n;
    DrawAllCells();
    state_.moved = false;
    SetBoardState(state_.gameMode == zk::EditorMode ? zk::EditingState : zk::PlayState);
    UpdateCaption();
    return true;
}

void TMainForm::SetBoardState(std::uint8_t s) {
    state_.boardState = s;
    const bool editing = s == zk::EditingState;
    LoadBtn->setVisible(!editing);
    SaveBtn->setVisible(true);
    if (forms_.editform) {
        forms_.editform->setVisible(editing);
    }
    RestartBtn->setVisible(!editing);
    NewGameBtn->setVisible(!editing);
    DeleteBtn->setVisible(editing);
    InsertBtn->setVisible(editing);
    OptionBtn->setEnabled(true);
    ApplyLanguage();
}

void TMainForm::UpdateCaption() {
    const std::string caption =
        zk::CaptionText(state_.gameMode, state_.language, state_.savedGamePath);
    levelboxPaint();
    setWindowTitle(Q(caption));
}

void TMainForm::OnSolved() {
    if (state_.boardState == zk::EditingState) {
        return;
    }
    PlaySound(1);
    SetBoardState(zk::SolvedState);
    if (forms_.SolvedDlg) {
        forms_.SolvedDlg->ShowModal();
    }
    if (state_.gameMode == zk::PracticeMode) {
        return;
    }
    const bool allJustSolved = state_.levels.RecordSolve();
    levelboxPaint();
    UpdateCaption();
    DrawProgressBar();
    if (allJustSolved && forms_.AllSolvedDlg) {
        forms_.AllSolvedDlg->ShowModal();
    }
}

QWidget* TMainForm::ControlNamed(const char* name) const {
    return findChild<QWidget*>(QString::fromLatin1(name));
}

void TMainForm::ApplyLanguage() {
    for (const auto& hint : zk::ToolbarHints()) {
        if (QWidget* control = ControlNamed(hint.control)) {
            control->setToolTip(QString::fromUtf8(zk::HintFor(hint, state_.language)));
        }
    }
    levellabel->setText(Q(zk::LevelLabelText(state_.language)));
    UpdateCaption();
}

void TMainForm::PlaySound(int n) {
    zk::platform::PlayNumberedSound(*sound_, n, SoundBtn->Down(), state_.programDirectory);
}

void TMainForm::SetLevelScrollPosition(int position) {
    levelscroll->setValue(position);
}

void TMainForm::RestartBtnClick() {
    if (state_.gameMode == zk::ChallengeMode && state_.boardState == zk::PlayState &&
        forms_.RestartDlg && forms_.RestartDlg->ShowModal() == zk::platform::mrNo) {
        return;
    }
    StartLevel(state_.levels.CurrentLevel());
}

void TMainForm::NewGameBtnClick() {
    if (state_.gameMode == zk::ChallengeMode && state_.boardState == zk::PlayState &&
        forms_.GiveUpDlg && forms_.GiveUpDlg->ShowModal() == zk::platform::mrNo) {
        return;
    }
    auto& levels = state_.levels;
    levels.SetCurrentLevel(1);
    SetLevelScrollPosition(1);
    levels.ResetProgress();
    if (!StartLevel(1)) {
        // The player kept the level in play: its number stays with it, so a
        // later solve records the level actually solved.
        levels.SetCurrentLevel(levelInPlay_);
        const QSignalBlocker quiet(levelscroll);
        levelscroll->setValue(levelInPlay_);
    }
    UpdateCaption();
    DrawProgressBar();
}

void TMainForm::OptionBtnClick() {
    state_.gameMode = state_.gameMode == zk::EditorMode ? zk::ChallengeMode : zk::EditorMode;
    if (forms_.ChangeModeDlg) {
        forms_.ChangeModeDlg->NewMode = state_.gameMode;
        forms_.ChangeModeDlg->ShowModal();
    }
    StartLevel(state_.levels.CurrentLevel());
    SetBoardState(state_.gameMode == zk::EditorMode ? zk::EditingState : zk::PlayState);
    StartLevel(state_.levels.CurrentLevel());
}

void TMainForm::ExitBtnClick() {
    close();
}

void TMainForm::SaveBtnClick() {
    if (state_.boardState == zk::EditingState) {
        if (const auto message = zk::files::SaveLevels(state_)) {
            zk::platform::ShowError(Q(*message), this);
        }
    } else {
        SaveGame();
    }
}

void TMainForm::LoadBtnClick() {
    LoadGame();
}

void TMainForm::levelScrollChange() {
    StartLevel(levelscroll->value());
    UpdateCaption();
}

void TMainForm::StartFoundLevel(std::optional<int> level) {
    if (level) {
        StartLevel(*level);
        SetLevelScrollPosition(*level);
        UpdateCaption();
    }
}

void TMainForm::sUpBtnClick() {
    StartFoundLevel(state_.levels.FindNextUnsolved());
}

void TMainForm::sDownBtnClick() {
    StartFoundLevel(state_.levels.FindPreviousUnsolved());
}

// ---------------------------------------------------------------------------
// The editor's buttons

void TMainForm::InsertBtnClick() {
    auto& levels = state_.levels;
    if (levels.LevelCount() >= zk::MaxLevels) {
        return;
    }
    levels.InsertLevel(state_.board.cells);
    state_.board.Clear();
    DrawAllCells();
    levelscroll->setMaximum(levels.LevelCount());
    SetLevelScrollPosition(levels.CurrentLevel());
    UpdateCaption();
    DrawProgressBar();
    state_.moved = true;
    state_.edited = true;
}

void TMainForm::DeleteBtnClick() {
    auto& levels = state_.levels;
    if (levels.LevelCount() == 0) {
        return;
    }
    levels.DeleteLevel();
    state_.board.cells = levels.LevelAt(levels.CurrentLevel());
    levelInPlay_ = levels.CurrentLevel();
    DrawAllCells();
    state_.moved = false;
    levelscroll->setMaximum(levels.LevelCount());
    DrawProgressBar();
    SetBoardState(zk::EditingState);
    state_.edited = true;
}

// ---------------------------------------------------------------------------
// Sound, help and the about box

void TMainForm::ShowHelp(const char* file, const char* germanTopic, const char* englishTopic) {
    help_->Quit();
    helpFile_ = state_.programDirectory + file;
    if (!help_->OpenContents(helpFile_)) {
        return;
    }
    help_->JumpToTopic(zk::Tr(state_.language, germanTopic, englishTopic));
}

void TMainForm::rules() {
    ShowHelp("ZKLV.HLP", "Das_Spiel", "The_game");
}

void TMainForm::ZanforBtnClick() {
    ShowHelp("ZMRX.HLP", "Zanfor_Games_d", "Zanfor_Games_e");
}

void TMainForm::info() {
    if (forms_.InfoDialog) {
        forms_.InfoDialog->ShowModal();
    }
}

// ---------------------------------------------------------------------------
// Saved games

void TMainForm::LoadGame() {
    zk::Tloaddlg* dlg = forms_.loaddlg;
    if (!dlg) {
        return;
    }
    const QString saved = Q(state_.savedGamePath);
    if (!saved.isEmpty() && !dlg->DirectoryListBox->SetDirectoryFromPath(saved)) {
        dlg->DirectoryListBox->SetDirectory(Q(state_.programDirectory));
    }
    if (dlg->ShowModal() != zk::platform::mrOk) {
        return;
    }
    const std::string name = dlg->FileListBox->FileName().toStdString();
    if (name.empty()) {
        return;
    }
    if (zk::files::FileExists(name)) {
        state_.levels.Flags().fill(0);
        if (!zk::files::ReadSavedGame(name, state_.levels.Flags())) {
            zk::platform::ShowError(Q(zk::files::GameLoadErrorText(state_.language, name)), this);
        }
    }
    state_.savedGamePath = name;
    UpdateCaption();
    DrawProgressBar();
}

void TMainForm::SaveGame() {
    zk::TSaveDlg* dlg = forms_.SaveDlg;
    if (!dlg) {
        return;
    }
    if (zk::files::FileExists(state_.savedGamePath)) {
        dlg->FileListBox->SetFileName(Q(state_.savedGamePath));
    }
    std::string path;
    for (;;) {
        if (dlg->ShowModal() != zk::platform::mrOk) {
            return;
        }
        path = zk::files::JoinPath(dlg->FileListBox->Directory().toStdString(),
                                   dlg->FileEdit->text().toStdString());
        path = zk::files::WithSavedGameExtension(path);
        if (!zk::files::FileExists(path)) {
            break;
        }
        const QString question =
            Q(zk::files::GameExistsQuestionText(state_.language, zk::files::FileNameOf(path)));
        if (zk::platform::ShowMessage(zk::platform::MessageIcon::Warning,
                                      zk::platform::MessageButtons::YesNo, question,
                                      this) != zk::platform::mrNo) {
            break;
        }
    }
    state_.savedGamePath = path;
    if (!zk::files::WriteSavedGame(path, state_.levels.Flags())) {
        zk::platform::ShowError(
            Q(zk::files::GameSaveErrorText(state_.language, zk::files::FileNameOf(path))), this);
    }
    UpdateCaption();
}

// ---------------------------------------------------------------------------
// Closing

bool TMainForm::FormCloseQuery() {
    return !forms_.EndGameDlg || forms_.EndGameDlg->ShowModal() == zk::platform::mrYes;
}

void TMainForm::ShowSettingsError(const std::string& message) {
    zk::platform::ShowError(Q(message), this);
}

void TMainForm::FormClose() {
    help_->Quit();
    if (state_.boardState == zk::EditingState) {
        state_.levels.StoreBoard(state_.board.cells);
    }
    if (state_.levelsChanged &&
        zk::platform::ShowMessage(
            zk::platform::MessageIcon::Question, zk::platform::MessageButtons::YesNo,
            Q(zk::LevelsChangedQuestionText(state_.language)), this) == zk::platform::mrYes) {
        if (const auto message = zk::files::SaveLevels(state_)) {
            zk::platform::ShowError(Q(*message), this);
        }
    }
    SaveGame();
    const QPoint palette = forms_.editform ? forms_.editform->pos() : EditFormPosition();
    try {
        // A fresh account may have no settings directory yet.
        std::error_code ignored;
        std::filesystem::create_directories(
            std::filesystem::path(settings_.FileName()).parent_path(), ignored);
        settings_.WriteInteger(Section, "mode", state_.gameMode);
        settings_.WriteBool(Section, "sound", SoundBtn->Down());
        settings_.WriteInteger(Section, "left", x());
        settings_.WriteInteger(Section, "top", y());
        settings_.WriteInteger(Section, "level", state_.levels.CurrentLevel());
        settings_.WriteInteger(Section, "tongue", state_.language);
        settings_.WriteString(Section, "save", state_.savedGamePath);
        settings_.WriteInteger(Section, "eleft", palette.x());
        settings_.WriteInteger(Section, "etop", palette.y());
    } catch (const zk::files::SettingsWriteError& error) {
        // Shown, and the close completes: a settings directory that cannot
        // be written must not keep the player in the game.
        ShowSettingsError(error.what());
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
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
    b1_ = QImage();
    b2_ = QImage();
    b3_ = QImage();
    scratch_ = QImage();
    sheetsLoaded_ = false;
}
