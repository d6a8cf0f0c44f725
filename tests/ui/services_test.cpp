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
    form->rules();
    EXPECT_EQ(help->events, (std::vector<std::string>{"quit", "open ZKLV.HLP", "jump Das_Spiel"}));
    help->events.clear();
    form->ZanforBtnClick();
    EXPECT_EQ(help->events,
              (std::vector<std::string>{"quit", "open ZMRX.HLP", "jump Zanfor_Games_d"}));
    EXPECT_EQ(form->HelpFile(), programDir.Dir() + "ZMRX.HLP");

    S().language = zk::English;
    std::filesystem::remove(programDir.File("ZKLV.HLP"));
    help->events.clear();
    form->rules(); // cannot be opened: no jump
    EXPECT_EQ(help->events, (std::vector<std::string>{"quit", "open ZKLV.HLP"}));
    form->ZanforBtnClick();
    EXPECT_EQ(help->events.back(), "jump Zanfor_Games_e");
}

TEST_F(ServicesTest, SoundFollowsTheButtonAndSoundZeroOnlyStops) {
    Start();
    sound->events.clear();
    form->PlaySound(2);
    EXPECT_EQ(sound->events, (std::vector<std::string>{"stop"}));
    form->SoundBtn->click();
    EXPECT_TRUE(form->SoundBtn->Down());
    sound->events.clear();
    form->PlaySound(0);
    form->PlaySound(1);
    EXPECT_EQ(sound->events, (std::vector<std::string>{"stop", "stop", "play w1.wav"}));
    form->SoundBtn->click();
    EXPECT_FALSE(form->SoundBtn->Down());
}

TEST_F(ServicesTest, LanguageChosenInTheAboutBoxAppliesAtOnce) {
    Start();
    ASSERT_EQ(form->levellabel->text(), "Stufe:");
    seam->Then([](zk::platform::ModalForm& f) {
        EXPECT_EQ(f.objectName(), "InfoDialog");
        zk::platform::ScriptedSeam::PressButton(f, "TongBtn");
    });
    Answer("TongueDlg", "EnglishBtn");
    form->info();
    EXPECT_EQ(S().language, zk::English);
    EXPECT_EQ(form->levellabel->text(), "Level:");
    EXPECT_EQ(form->windowTitle(), "Zanfor Kelva V2.0 - Challenge mode");
    EXPECT_EQ(form->ExitBtn->toolTip(), "I have enough!");
    EXPECT_EQ(form->levelbox->toolTip(), "Level 1: unsolved");
}
