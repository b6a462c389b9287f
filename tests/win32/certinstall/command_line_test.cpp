#include <gtest/gtest.h>

#include "CommandLine.h"

using trustfit::IsAcceptedCommandLine;

namespace {

bool Accepts(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"Trustfit.exe"};
    argv.insert(argv.end(), args);
    return IsAcceptedCommandLine(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

TEST(CommandLine, AcceptsNoArgument) { EXPECT_TRUE(Accepts({})); }

TEST(CommandLine, AcceptsSilentSwitchInAnyCase) {
    EXPECT_TRUE(Accepts({"/s"}));
    EXPECT_TRUE(Accepts({"/S"}));
}

TEST(CommandLine, IgnoresArgumentsAfterTheFirst) {
    EXPECT_TRUE(Accepts({"/s", "/x"}));
    EXPECT_FALSE(Accepts({"/x", "/s"}));
}

TEST(CommandLine, RejectsAnythingElse) {
    for (const char* arg : {"/x", "", "/", "s", "-s", "/ss", "/s ", " /s", "//s", "\xC4\xE3"}) {
        EXPECT_FALSE(Accepts({arg})) << "argument \"" << arg << "\"";
    }
}
