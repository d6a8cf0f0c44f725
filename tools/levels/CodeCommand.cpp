#include "CodeCommand.h"

#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "files/LevelFile.h"
#include "model/LevelCode.h"

namespace zk::levels {

const char CodeHelp[] = R"(Usage: zk-levels code CODE -o FILE
       zk-levels code --daily [DATE]

A level code (such as 1M-3QX-9FE) names one generated level: the generator's
version, the difficulty (E easy, M medium, H hard, X expert), a seed and a
check character. The first form writes the code's level to FILE as a level
file of one level, stored solved (replacing FILE whole); the same code always
gives the same bytes with one version of the generator. Lower case, spaces
and O, I, L for 0, 1, 1 are read as the code; a mistyped code or one of
another generator version is refused.

The second form prints the code of the level of the day (a medium level that
depends on the date alone): of DATE, written YYYY-MM-DD, or of today in UTC.

Options:
  -o FILE     the file to write
  --daily     print the level of the day's code

Exit status: 0 written or printed; 3 bad arguments, a code refused, or the
file cannot be written.
)";

namespace {

int Refuse(std::ostream& err, const std::string& message) {
    err << "zk-levels code: " << message << "\n"
        << "Try \"zk-levels code --help\".\n";
    return ExitUsage;
}

int Daily(const std::vector<std::string>& positional, std::ostream& out, std::ostream& err) {
    if (positional.size() > 1) {
        return Refuse(err, "--daily takes at most one date");
    }
    Date date = TodayUtc();
    if (!positional.empty()) {
        const auto parsed = ParseDate(positional[0]);
        if (!parsed) {
            return Refuse(err, "\"" + positional[0] +
                                   "\" is not a date written YYYY-MM-DD from 1970 on");
        }
        date = *parsed;
    }
    out << FormatLevelCode(DailyCode(date)) << "\n";
    return ExitOk;
}

} // namespace

int CodeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool daily = false;
    std::vector<std::string> positional;
    std::optional<std::string> path;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << CodeHelp;
            return ExitOk;
        }
        if (a == "--daily") {
            daily = true;
        } else if (a == "-o" || a == "--output") {
            if (path) {
                return Refuse(err, a + " given twice");
            }
            if (i + 1 >= args.size()) {
                return Refuse(err, "option " + a + " needs a value");
            }
            path = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return Refuse(err, "unknown option " + a);
        } else {
            positional.push_back(a); // a code may begin with nothing but its version
        }
    }
    if (daily) {
        return path ? Refuse(err, "--daily writes no file") : Daily(positional, out, err);
    }
    if (positional.size() != 1) {
        return Refuse(err, positional.empty() ? "no level code given" : "give one level code");
    }
    if (!path || path->empty()) {
        return Refuse(err, "-o FILE is required");
    }
    const CodeReading reading = ReadLevelCode(positional[0]);
    if (!reading.code) {
        return Refuse(err, "\"" + positional[0] + "\": " + CodeProblemText(reading, English));
    }
    const std::filesystem::path target(*path);
    const std::filesystem::path dir =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec) || std::filesystem::is_directory(target, ec)) {
        err << "zk-levels code: cannot write " << *path
            << ": no such directory, or the name is a directory\n";
        return ExitUsage;
    }
    const GeneratedLevel level = GenerateCodeLevel(*reading.code);
    if (files::WriteLevelFile(*path, {level.record})) {
        err << "zk-levels code: cannot write " << *path
            << "; the previous file, if any, is unchanged\n";
        return ExitUsage;
    }
    out << "Wrote the level of " << FormatLevelCode(*reading.code) << " ("
        << BandName(reading.code->band, English) << ", " << level.movableCells
        << " movable cells, shape " << level.shape << ") to " << *path << ".\n";
    return ExitOk;
}

} // namespace zk::levels
