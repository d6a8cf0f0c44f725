#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "files/LevelText.h"

using namespace zk;
using namespace zk::files;

namespace {

// Levels of every shape the form must carry: empty, full of one tile, runs
// longer than one repeat symbol, every byte value, and random mixtures.
std::vector<LevelRecord> SampleLevels() {
    std::vector<LevelRecord> levels(3);
    levels[1].fill(255);
    for (std::size_t i = 0; i < levels[2].size(); ++i) {
        levels[2][i] = static_cast<TileNumber>(i < 40 ? 91 : i * 4);
    }
    std::mt19937 random(28);
    for (int n = 0; n < 200; ++n) {
        LevelRecord level{};
        const int distinct = 1 + static_cast<int>(random() % 12);
        std::vector<TileNumber> tiles;
        for (int k = 0; k < distinct; ++k) {
            tiles.push_back(static_cast<TileNumber>(random() % 256));
        }
        for (auto& cell : level) {
            cell = tiles[random() % tiles.size()];
        }
        levels.push_back(level);
    }
    return levels;
}

} // namespace

TEST(LevelText, EveryLevelComesBackAsItWasFromOneShortLine) {
    for (const LevelRecord& level : SampleLevels()) {
        const std::string line = LevelToText(level);
        ASSERT_EQ(line.rfind(LevelTextPrefix, 0), 0u) << line;
        EXPECT_EQ(line.find_first_of(" \t\r\n"), std::string::npos) << line;
        EXPECT_LE(line.size(), 4 + 126 + 2u);
        const LevelTextRead read = LevelFromText(line);
        ASSERT_TRUE(read.level) << line << ": " << DescribeLevelTextError(read.error);
        EXPECT_EQ(*read.level, level) << line;

        // Lower case, and blanks and a line end around it, read the same.
        std::string lower = line;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const LevelTextRead again = LevelFromText("  " + lower + "\r\n");
        ASSERT_TRUE(again.level) << lower;
        EXPECT_EQ(*again.level, level);
    }
    EXPECT_EQ(LevelToText(LevelRecord{}), "ZK1-00YYT-Y");
}

// Any one character replaced by any other byte, and any two neighbours
// exchanged, is refused; nothing is read from a damaged line.
TEST(LevelText, EverySingleWrongCharacterAndEveryExchangeIsRefused) {
    const std::vector<LevelRecord> all = SampleLevels();
    for (std::size_t n = 0; n < all.size(); n += 20) {
        const std::string line = LevelToText(all[n]);
        for (std::size_t i = 0; i < line.size(); ++i) {
            for (int b = 1; b < 256; ++b) {
                const char c = static_cast<char>(b);
                if (std::toupper(b) == std::toupper(static_cast<unsigned char>(line[i]))) {
                    continue;
                }
                std::string wrong = line;
                wrong[i] = c;
                ASSERT_FALSE(LevelFromText(wrong).level) << wrong;
            }
            if (i + 1 < line.size() && line[i] != line[i + 1]) {
                std::string swapped = line;
                std::swap(swapped[i], swapped[i + 1]);
                ASSERT_FALSE(LevelFromText(swapped).level) << swapped;
            }
        }
    }
}

TEST(LevelText, RefusalsSayWhatIsWrong) {
    const std::string line = LevelToText(SampleLevels()[2]);
    const auto problem = [](std::string_view text) { return LevelFromText(text).error; };

    for (const char* foreign : {"", "   ", "hello", "ZK", "ZK-00YYT-Y", "ZKA-1", "00YYT-Y"}) {
        EXPECT_EQ(problem(foreign).problem, LevelTextProblem::NotALevel) << foreign;
    }
    const LevelTextError version = problem("zk2-00YYT-Y");
    EXPECT_EQ(version.problem, LevelTextProblem::OtherVersion);
    EXPECT_EQ(version.version, "ZK2-");

    std::string bad = line;
    bad[7] = '!';
    const LevelTextError character = problem(" " + bad);
    EXPECT_EQ(character.problem, LevelTextProblem::BadCharacter);
    EXPECT_EQ(character.position, 8u);
    EXPECT_EQ(DescribeLevelTextError(character),
              "\"!\" at position 8 does not belong in a level line");

    EXPECT_EQ(problem(line.substr(0, line.size() - 3)).problem, LevelTextProblem::Damaged);
    EXPECT_EQ(problem(line + "0").problem, LevelTextProblem::Damaged);
    EXPECT_EQ(problem(line + line).problem, LevelTextProblem::BadCharacter);
    // Well checked but one repeat too many: 64 tiles.
    EXPECT_EQ(problem("ZK1-00YYV-4").problem, LevelTextProblem::Damaged);
}
