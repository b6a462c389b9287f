// The installer takes no argument or "/s" (any letter case); "/s" changes
// nothing. Arguments after the first are ignored.
#pragma once

namespace trustfit {

// argv as main() receives it (argv[0] is the program).
bool IsAcceptedCommandLine(int argc, const char* const* argv);

}  // namespace trustfit
