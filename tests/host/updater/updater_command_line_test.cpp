#include "logic/UpdaterCommandLine.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(SplitUpdaterArguments, SplitsAtTheFirstBar) {
    struct Case {
        const char* tail;
        const char* url;
        int force;
    } cases[] = {
        {"http://h/p.zip|1", "http://h/p.zip", 1},
        {"http://h/p.zip|", "http://h/p.zip", 0},
        {"a|b|1", "a", 0},  // "b|1" has no leading number
        {"http://h/a b.zip| 2x", "http://h/a b.zip", 2},
        {" |-1", " ", -1},
    };
    for (const Case& c : cases) {
        UpdaterArguments args;
        ASSERT_TRUE(SplitUpdaterArguments(c.tail, args)) << c.tail;
        EXPECT_EQ(c.url, args.url) << c.tail;
        EXPECT_EQ(c.force, args.force) << c.tail;
    }
}

TEST(SplitUpdaterArguments, RefusesNoBarAnEmptyTailOrAnEmptyUrl) {
    for (const char* tail : {"http://h/p.zip", "", "|1"}) {
        UpdaterArguments args;
        EXPECT_FALSE(SplitUpdaterArguments(tail, args)) << tail;
    }
}

}  // namespace
}  // namespace vantor
