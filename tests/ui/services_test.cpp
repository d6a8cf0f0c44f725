#include "MainFormFixture.h"

#include "dialogs/Infodlg.h"
#include "dialogs/Tongdlg.h"

class ServicesTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Setting("tongue", "1");
    }
};

TEST_F(ServicesTest, HelpButtonsCloseTheViewerThenOpenTheirTopicInTheLanguage) {
    Start();
    help->events.clear();
    P().Run(zk::Action::Rules);
    EXPECT_EQ(help->events, (std::vector<std::string>{"quit", "open ZKLV.HLP", "jump Das_Spiel"}));
    help->events.clear();
    P().Run(zk::Action::OtherGames);
    EXPECT_EQ(help->events,
              (std::vector<std::string>{"quit", "open ZMRX.HLP", "jump Zanfor_Games_d"}));
    EXPECT_EQ(P().HelpFile(), programDir.Dir() + "ZMRX.HLP");

    S().language = zk::English;
    std::filesystem::remove(programDir.File("ZKLV.HLP"));
    help->events.clear();
    P().Run(zk::Action::Rules); // cannot be opened: no jump
    EXPECT_EQ(help->events, (std::vector<std::string>{"quit", "open ZKLV.HLP"}));
    P().Run(zk::Action::OtherGames);
    EXPECT_EQ(help->events.back(), "jump Zanfor_Games_e");
}

TEST_F(ServicesTest, SoundFollowsTheButtonAndSoundZeroOnlyStops) {
    Start();
    sound->events.clear();
    P().PlaySound(zk::platform::Sound::Move);
    EXPECT_EQ(sound->events, (std::vector<std::string>{"stop"}));
    P().SoundBtn()->click();
    EXPECT_TRUE(P().SoundBtn()->Down());
    sound->events.clear();
    P().PlaySound(zk::platform::Sound::None);
    P().PlaySound(zk::platform::Sound::Solved);
    EXPECT_EQ(sound->events, (std::vector<std::string>{"stop", "stop", "play w1.wav"}));
    P().SoundBtn()->click();
    EXPECT_FALSE(P().SoundBtn()->Down());
}

TEST_F(ServicesTest, LanguageChosenInTheAboutBoxAppliesAtOnce) {
    Start();
    ASSERT_EQ(P().levellabel()->text(), "Stufe:");
    seam->Then([](zk::platform::ModalForm& f) {
        EXPECT_EQ(f.objectName(), "InfoDialog");
        zk::platform::ScriptedSeam::PressButton(f, "TongBtn");
    });
    Answer("TongueDlg", "EnglishBtn");
    P().Run(zk::Action::Info);
    EXPECT_EQ(S().language, zk::English);
    EXPECT_EQ(P().levellabel()->text(), "Level:");
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Challenge mode");
    EXPECT_EQ(P().ExitBtn()->toolTip(), "I have enough!");
    EXPECT_EQ(P().levelbox()->toolTip(), "Level 1: unsolved");
}
