// Level codes: one code, one level, the same bytes for ever within a
// generator version; mistyped codes and codes of another version refused.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Commands.h"
#include "TempDir.h"

#include "model/Deducer.h"
#include "model/Dice.h"
#include "model/LevelCode.h"
#include "model/Solver.h"

namespace {

using zk::Band;
using zk::CodeProblem;

// The codes and the hash of their level's bytes, fixed here: a change to the
// generator that would give an old code another level fails until the
// version is raised (and the codes of the old version are refused).
TEST(LevelCodes, NameTheSameLevelBytesForEver) {
    ASSERT_EQ(zk::GeneratorVersion, 1);
    const struct {
        const char* code;
        Band band;
        std::uint32_t seed;
        std::uint64_t hash;
    } pinned[] = {
        {"1E-000-008", Band::Easy, 0, 0x0991b582a0b6287dULL},
        {"1E-NWR-1ST", Band::Easy, 20251209, 0x1e87fed0a5713568ULL},
        {"1M-000-01S", Band::Medium, 1, 0xda038421ab30377cULL},
        {"1M-XF2-BAW", Band::Medium, 27231247, 0x7e8694a2f222fc48ULL},
        {"1H-000-01J", Band::Hard, 1, 0xa821bcf191154394ULL},
        {"1H-NWR-1S2", Band::Hard, 20251209, 0x2f4419c1688b734fULL},
        {"1X-NWR-1SY", Band::Expert, 20251209, 0xb05b6e7c546a2adeULL},
        {"1X-YYY-YYK", Band::Expert, zk::CodeSeedCount - 1, 0xb695577876de41e0ULL},
    };
    for (const auto& p : pinned) {
        SCOPED_TRACE(p.code);
        const zk::LevelCode code{p.band, p.seed};
        EXPECT_EQ(zk::FormatLevelCode(code), p.code);
        const auto read = zk::ReadLevelCode(p.code);
        ASSERT_EQ(read.problem, CodeProblem::None);
        EXPECT_EQ(*read.code, code);
        EXPECT_EQ(zk::LevelContentHash(zk::GenerateCodeLevel(code).record), p.hash);
    }
    // The level of the day from the date alone (medium), the days apart.
    EXPECT_EQ(zk::FormatLevelCode(zk::DailyCode({2026, 12, 9})), "1M-XF2-BAW");
    EXPECT_EQ(zk::FormatLevelCode(zk::DailyCode({2026, 12, 10})), "1M-C2Y-0KG");
    EXPECT_EQ(zk::FormatLevelCode(zk::DailyCode({2000, 2, 29})), "1M-W2D-H09");
}

// Every single wrong character and every swap of two neighbouring unequal
// characters of a code is refused as mistyped; what a person may type for
// the same code is read as it.
TEST(LevelCodes, RefuseEveryMistypeAndCodesOfAnotherVersion) {
    for (const char* text : {"1E-000-008", "1M-XF2-BAW", "1H-NWR-1S2", "1X-YYY-YYK"}) {
        std::string plain;
        for (const char* c = text; *c; ++c) {
            if (*c != '-') {
                plain += *c;
            }
        }
        ASSERT_EQ(plain.size(), static_cast<std::size_t>(zk::CodeLength));
        for (std::size_t i = 0; i < plain.size(); ++i) {
            for (const char c : zk::CodeAlphabet) {
                if (c != plain[i]) {
                    std::string typo = plain;
                    typo[i] = c;
                    EXPECT_EQ(zk::ReadLevelCode(typo).problem, CodeProblem::Check) << typo;
                }
            }
            if (i + 1 < plain.size() && plain[i] != plain[i + 1]) {
                std::string swapped = plain;
                std::swap(swapped[i], swapped[i + 1]);
                EXPECT_EQ(zk::ReadLevelCode(swapped).problem, CodeProblem::Check) << swapped;
            }
        }
    }
    const zk::LevelCode expected{Band::Medium, 27231247};
    for (const char* same :
         {"1m-xf2-baw", "1MXF2BAW", " 1M XF2 BAW ", "IM-XF2-BAW", "lm-xf2-baw"}) {
        const auto read = zk::ReadLevelCode(same);
        EXPECT_EQ(read.problem, CodeProblem::None) << same;
        EXPECT_EQ(read.code, expected) << same;
    }
    EXPECT_EQ(zk::ReadLevelCode("1E-000-00A").problem, CodeProblem::Check);
    EXPECT_EQ(zk::ReadLevelCode("").problem, CodeProblem::Length);
    EXPECT_EQ(zk::ReadLevelCode("1M-XF2-BA").problem, CodeProblem::Length);
    EXPECT_EQ(zk::ReadLevelCode("1M-XF2-BAW0").problem, CodeProblem::Length);
    const auto odd = zk::ReadLevelCode("1M-XF2-BAU");
    EXPECT_EQ(odd.problem, CodeProblem::Character);
    EXPECT_EQ(odd.character, 'U');
    const auto other = zk::ReadLevelCode("2M-3QX-9FA");
    EXPECT_EQ(other.problem, CodeProblem::Version);
    EXPECT_EQ(other.version, 2);
    EXPECT_FALSE(other.code);
    EXPECT_EQ(zk::ReadLevelCode("1Q-3QX-9FN").problem, CodeProblem::Difficulty);

    EXPECT_EQ(zk::ParseDate("2026-12-09"), (zk::Date{2026, 12, 9}));
    EXPECT_EQ(zk::ParseDate("2024-02-29"), (zk::Date{2024, 2, 29}));
    for (const char* bad : {"2026-02-29", "1900-02-29", "2026-13-01", "2026-1-01", "26-12-09",
                            "2026-12-0x", "1969-12-31", ""}) {
        EXPECT_FALSE(zk::ParseDate(bad)) << bad;
    }
    EXPECT_EQ(zk::FormatDate({2026, 1, 5}), "2026-01-05");
}

// Fifty codes drawn at random (seeds of their own, apart from the benchmark's
// and the generator's tuning): each level is stored solved, has exactly one
// solution by an independent search, and is rated in its code's band.
TEST(LevelCodes, SampledCodesAreSolvableSingleAndInTheirBand) {
    zk::Dice dice(262'612);
    for (int i = 0; i < 50; ++i) {
        const zk::LevelCode code{static_cast<Band>(i % zk::BandCount),
                                 static_cast<std::uint32_t>(dice.Below(1 << 30)) %
                                     zk::CodeSeedCount};
        const std::string text = zk::FormatLevelCode(code);
        SCOPED_TRACE(text);
        ASSERT_EQ(zk::ReadLevelCode(text).code, code);
        const zk::GeneratedLevel level = zk::GenerateCodeLevel(code);
        EXPECT_TRUE(zk::IsSolved(level.record));
        EXPECT_EQ(zk::BandOf(zk::RateByRules(level.record)), code.band);
        zk::SolverLimits limits;
        limits.solutionCap = 2;
        const auto r = zk::SolveLevel(level.record, limits);
        EXPECT_TRUE(r.countComplete);
        EXPECT_EQ(r.solutions, 1);
        EXPECT_GE(r.holdableTiles, 1);
    }
}

// zk-levels code: the level file of one level a code names; the day's code;
// a refused code writes nothing and says why.
TEST(LevelCodes, TheToolWritesACodesLevelAndPrintsTheDaysCode) {
    const auto tool = [](const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = zk::levels::RunLevelsTool(args, out, err);
        return std::make_tuple(status, out.str(), err.str());
    };
    TempDir dir;
    const auto [wrote, said, wrong] = tool({"code", "1h-nwr-1s2", "-o", dir.File("h.dat")});
    ASSERT_EQ(wrote, zk::levels::ExitOk) << wrong;
    EXPECT_NE(said.find("1H-NWR-1S2 (hard"), std::string::npos) << said;
    const auto bytes = TempDir::Read(dir.File("h.dat"));
    const auto level = zk::GenerateCodeLevel({Band::Hard, 20251209}).record;
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(level.begin(), level.end()));

    const auto [refused, none, why] = tool({"code", "1H-NWR-2S1", "-o", dir.File("x.dat")});
    EXPECT_EQ(refused, zk::levels::ExitUsage);
    EXPECT_NE(why.find("mistyped"), std::string::npos) << why;
    const auto [old, none2, version] = tool({"code", "2M-3QX-9FA", "-o", dir.File("x.dat")});
    EXPECT_EQ(old, zk::levels::ExitUsage);
    EXPECT_NE(version.find("version 2 of the level generator"), std::string::npos) << version;
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.dat")));

    EXPECT_EQ(std::get<1>(tool({"code", "--daily", "2026-12-09"})), "1M-XF2-BAW\n");
    EXPECT_EQ(std::get<1>(tool({"code", "--daily"})),
              zk::FormatLevelCode(zk::DailyCode(zk::TodayUtc())) + "\n");
    const auto [badDay, none3, day] = tool({"code", "--daily", "2026-02-30"});
    EXPECT_EQ(badDay, zk::levels::ExitUsage);
    EXPECT_NE(day.find("YYYY-MM-DD"), std::string::npos) << day;
    EXPECT_EQ(std::get<0>(tool({"code", "1M-XF2-BAW"})), zk::levels::ExitUsage); // no -o
}

} // namespace
