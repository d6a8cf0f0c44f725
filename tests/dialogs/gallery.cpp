// Shows every dialog in a real window, in both languages, and writes what it
// looks like to PNG files: zk_dialog_gallery <output directory>.
// Run it under a real display (e.g. Xvfb) to check fonts, glyphs and bevels.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>
#include <cstdio>

#include "ScriptedSeam.h"
#include "dialogs/Infodlg.h"
#include "dialogs/Load.h"
#include "dialogs/MessageDialog.h"
#include "dialogs/Save.h"
#include "dialogs/Splasher.h"
#include "dialogs/Tongdlg.h"
#include "model/GameState.h"

using namespace zk;
using namespace zk::platform;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    GameState state;
    const std::string programDirectory =
        (QDir(out).absolutePath() + QStringLiteral("/")).toStdString();
    QWidget main;
    main.setWindowTitle(QStringLiteral("Zanfor Kelva V2.0"));
    main.setGeometry(100, 50, 520, 409);
    main.show();

    ScriptedSeam seam;
    auto shoot = [&](ModalForm& form, const QString& name) {
        seam.Then([&form, name, out](ModalForm&) {
            QTest::qWait(300);
            form.grab().save(out + QLatin1Char('/') + name + QStringLiteral(".png"));
            form.close();
        });
        form.ShowModal();
    };

    TMessageDialog change(Message::ChangeModeDlg, state.language, &main);
    TMessageDialog solved(Message::SolvedDlg, state.language, &main);
    TMessageDialog allSolved(Message::AllSolvedDlg, state.language, &main);
    TMessageDialog giveUp(Message::GiveUpDlg, state.language, &main);
    TMessageDialog restart(Message::RestartDlg, state.language, &main);
    TMessageDialog endGame(Message::EndGameDlg, state.language, &main);
    TMessageDialog take(Message::TakeDlg, state.language, &main);
    TTongueDlg tongue(&main);
    TInfoDialog info(state.language, &main);
    Tloaddlg load(state.language, &main);
    TSaveDlg save(state.language, state.savedGamePath, &main);
    load.DirectoryListBox->SetDirectory(out);
    save.DirectoryListBox->SetDirectory(out);

    for (Language language : {English, German}) {
        state.language = language;
        const QString suffix = language == German ? QStringLiteral("_de") : QStringLiteral("_en");
        change.NewMode = ChallengeMode;
        shoot(change, QStringLiteral("ChangeModeDlg") + suffix);
        shoot(solved, QStringLiteral("SolvedDlg") + suffix);
        shoot(allSolved, QStringLiteral("AllSolvedDlg") + suffix);
        shoot(giveUp, QStringLiteral("GiveUpDlg") + suffix);
        shoot(restart, QStringLiteral("RestartDlg") + suffix);
        shoot(endGame, QStringLiteral("EndGameDlg") + suffix);
        shoot(take, QStringLiteral("TakeDlg") + suffix);
        shoot(info, QStringLiteral("InfoDialog") + suffix);
        shoot(load, QStringLiteral("loaddlg") + suffix);
        shoot(save, QStringLiteral("SaveDlg") + suffix);
    }
    shoot(tongue, QStringLiteral("TongueDlg"));
    TSplash splash(state.language, programDirectory, &main);
    shoot(splash, QStringLiteral("Splash"));
    for (const auto& message : seam.Messages()) {
        std::fprintf(stderr, "message: %s\n", qPrintable(message.request.text));
    }
    return 0;
}
