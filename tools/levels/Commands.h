// zk-levels: generates, checks and grades level files with the solver.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zk::levels {

// Exit statuses of the tool.
inline constexpr int ExitOk = 0;
inline constexpr int ExitUnplayable = 1; // check: some level is proven unplayable
inline constexpr int ExitUndecided = 2;  // check: some level's search ran out of its budget
inline constexpr int ExitUsage = 3;      // bad arguments, or a file that cannot be read or written

// Runs the tool on its arguments (without the program name); normal output
// goes to out, errors to err. Returns the exit status.
int RunLevelsTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zk::levels
