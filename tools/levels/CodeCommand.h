// zk-levels code: the level a level code names, and the level of the day.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zk::levels {

extern const char CodeHelp[];

int CodeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zk::levels
