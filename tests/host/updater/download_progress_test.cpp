#include "logic/DownloadProgress.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(ProgressPercent, TruncatesAndReaches100ExactlyAtTheTotal) {
    EXPECT_EQ(0, ProgressPercent(0, 1000));
    EXPECT_EQ(0, ProgressPercent(9, 1000));
    EXPECT_EQ(1, ProgressPercent(10, 1000));
    EXPECT_EQ(99, ProgressPercent(999, 1000));
    EXPECT_EQ(99, ProgressPercent(4294967294u, 4294967295u));
    EXPECT_EQ(100, ProgressPercent(1000, 1000));
    EXPECT_EQ(100, ProgressPercent(4294967295u, 4294967295u));
}

TEST(ProgressPercent, ZeroTotalLongerBodiesAndTotalsAbove2GiB) {
    EXPECT_EQ(0, ProgressPercent(1024, 0));
    EXPECT_EQ(100, ProgressPercent(1100, 1000)) << "the last chunk may pass the total";
    EXPECT_EQ(0, ProgressPercent(1024, 3000000000u));
    EXPECT_EQ(71, ProgressPercent(2147483648u, 3000000000u));
}

TEST(ProgressGate, AtMost101PostsNonDecreasingOverALongDownload) {
    const uint32_t total = 200000u * 1024u - 17u;
    ProgressGate gate;
    int posts = 0;
    int last = -1;
    for (uint32_t received = 0; received < total;) {
        received = received + 1024u > total ? total : received + 1024u;
        const int percent = ProgressPercent(received, total);
        ASSERT_GE(percent, last);
        last = percent;
        if (gate.ShouldPost(percent)) ++posts;
    }
    EXPECT_EQ(100, last);
    EXPECT_EQ(101, posts) << "0 to 100, each once";
}

}  // namespace
}  // namespace vantor
