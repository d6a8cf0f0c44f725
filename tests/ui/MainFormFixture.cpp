#include "MainFormFixture.h"

#include <QFile>
#include <algorithm>

#include "files/LevelFile.h"
#include "files/Settings.h"

std::vector<std::string> RecordingSound::Played() const {
    std::vector<std::string> played;
    for (const auto& e : events) {
        if (e.rfind("play ", 0) == 0) {
            played.push_back(e.substr(5));
        }
    }
    return played;
}

bool RecordingHelp::OpenContents(const std::string& file) {
    events.push_back("open " + file.substr(file.find_last_of('/') + 1));
    return QFile::exists(QString::fromStdString(file));
}

zk::LevelRecord CornerLevel(int column, int row) {
    zk::LevelRecord level;
    level.fill(120);
    level[zk::CellIndex(column, row)] = 7;
    level[zk::CellIndex(column + 1, row)] = 6;
    level[zk::CellIndex(column, row + 1)] = 4;
    level[zk::CellIndex(column + 1, row + 1)] = 5;
    return level;
}

void MainFormTest::SetUp() {
    for (const char* name : {"b1.bmp", "b2.bmp", "b3.bmp", "b5.bmp", "w1.wav", "w2.wav", "ZKLV.HLP",
                             "ZMRX.HLP", "libzk-art.so"}) {
        QFile::copy(QString(ZK_GAME_DIR) + name, QString::fromStdString(programDir.File(name)));
    }
    WriteLevels({CornerLevel(0, 0), CornerLevel(3, 2), CornerLevel(7, 5)});
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cacheDir.Dir()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataDir.Dir()));
    seam = std::make_unique<zk::platform::ScriptedSeam>();
    sound = std::make_shared<RecordingSound>();
    help = std::make_shared<RecordingHelp>();
}

void MainFormTest::TearDown() {
    form.reset();
    seam.reset();
}

void MainFormTest::WriteLevels(const std::vector<zk::LevelRecord>& levels) {
    ASSERT_FALSE(zk::files::WriteLevelFile(programDir.File(zk::files::LevelFileName), levels));
}

void MainFormTest::Setting(const std::string& key, const std::string& value) {
    zk::files::SettingsStore(SettingsFile()).WriteString(zk::files::SettingsSection, key, value);
}

std::string MainFormTest::SettingsFile() const {
    return configDir.File("quillmar.ini");
}

std::string MainFormTest::ReadSetting(const std::string& key) const {
    return zk::files::SettingsStore(SettingsFile())
        .ReadString(zk::files::SettingsSection, key, "<missing>");
}

void MainFormTest::Start(const QString& languageButton) {
    TMainFormOptions options;
    options.programDirectory = programDir.Dir();
    options.settingsDirectory = configDir.Dir();
    options.seed = 20261208;
    options.sound = sound;
    options.help = help;
    options.exit = [this](int code) { exits.push_back(code); };
    options.nearestSolution = nearestSolution;
    options.motion = motion;
    options.playerLevelDirectory = playerLevelDirectory;
    form = std::make_unique<TMainForm>(options);
    form->CreateForms();
    form->show();
    seam->ThenCloseBox(); // the splash
    const bool asksLanguage = zk::files::SettingsStore(SettingsFile())
                                  .ReadInteger(zk::files::SettingsSection, "tongue", -1) == -1;
    if (asksLanguage) {
        if (languageButton.isEmpty()) {
            seam->ThenCloseBox();
        } else {
            seam->ThenPress(languageButton);
        }
    }
    form->FormActivate();
}

void MainFormTest::ClickCell(int c, int r, Qt::MouseButton button) {
    P().boxMouseDown(button, 22 + 48 * c + 10, 20 + 48 * r + 10);
}

int MainFormTest::SolveByClicks(std::optional<zk::LevelRecord> level) {
    const zk::LevelRecord target = level ? *level : S().levels.LevelAt(S().levels.CurrentLevel());
    int clicks = 0;
    auto& board = S().board;
    while (S().boardState == zk::PlayState && clicks < 200) {
        const int p = zk::CellIndex(board.held.column, board.held.row);
        int pick = -1;
        for (int q = 0; q < zk::CellCount && pick < 0; ++q) {
            const auto qs = static_cast<std::size_t>(q);
            if (q == p || board.cells[qs] == target[qs] || !zk::IsMovable(board.cells[qs])) {
                continue;
            }
            // Bring the tile that belongs on the held cell, or, when the held
            // tile already stands right, leave through a misplaced cell that
            // is no other home of its number (between two such homes it would
            // only go back and forth).
            const auto ps = static_cast<std::size_t>(p);
            if (board.cells[ps] != target[ps] ? board.cells[qs] == target[ps]
                                              : target[qs] != target[ps]) {
                pick = q;
            }
        }
        if (pick < 0) {
            break;
        }
        ClickCell(pick / zk::Rows, pick % zk::Rows);
        ++clicks;
    }
    return clicks;
}

void MainFormTest::CloseWindow() {
    form->close();
}

void MainFormTest::CloseWindowAnsweringEverything() {
    Answer("EndGameDlg", "OKBtn");
    AnswerCloseBox("SaveDlg");
    CloseWindow();
}

void MainFormTest::Answer(const QString& formName, const QString& button) {
    seam->Then([formName, button](zk::platform::ModalForm& f) {
        EXPECT_EQ(f.objectName(), formName) << "answered the wrong form";
        zk::platform::ScriptedSeam::PressButton(f, button);
    });
}

void MainFormTest::AnswerCloseBox(const QString& formName) {
    seam->Then([formName](zk::platform::ModalForm& f) {
        EXPECT_EQ(f.objectName(), formName) << "answered the wrong form";
        f.Close();
    });
}

std::vector<QString> MainFormTest::ShownForms() const {
    std::vector<QString> names;
    for (const auto& showing : seam->Forms()) {
        names.push_back(showing.name);
    }
    return names;
}
