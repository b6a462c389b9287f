#include <gtest/gtest.h>

#include "BenchHttp.h"
#include "LatencyStats.h"

namespace {

// ---- package addresses --------------------------------------------------------------------

TEST(PackageAddress, HostPortAndPathApart) {
    bench::PackageAddress a;
    ASSERT_TRUE(bench::SplitPackageAddress("http://127.10.4.1:8080/dir/p.vpk?x=1", a));
    EXPECT_EQ(a.hostField, "127.10.4.1:8080");
    EXPECT_EQ(a.host, "127.10.4.1");
    EXPECT_EQ(a.port, 8080);
    EXPECT_EQ(a.path, "/dir/p.vpk?x=1");
}

TEST(PackageAddress, NoPortMeansEighty) {
    bench::PackageAddress a;
    ASSERT_TRUE(bench::SplitPackageAddress("http://h/p", a));
    EXPECT_EQ(a.hostField, "h");
    EXPECT_EQ(a.port, 80);
    EXPECT_EQ(a.path, "/p");
}

class RefusedAddress : public testing::TestWithParam<const char*> {};

TEST_P(RefusedAddress, LeavesTheResultAlone) {
    bench::PackageAddress a;
    a.host = "untouched";
    EXPECT_FALSE(bench::SplitPackageAddress(GetParam(), a));
    EXPECT_EQ(a.host, "untouched");
}

INSTANTIATE_TEST_SUITE_P(Addresses, RefusedAddress,
                         testing::Values("https://h/p", "HTTP://h/p", "http://h", "http:///p", "http://:80/p",
                                         "http://h:/p", "http://h:0/p", "http://h:65536/p", "http://h:8x/p",
                                         "http://h:123456/p", ""));

// ---- the request ----------------------------------------------------------------------------

TEST(UpdaterRequest, SixLinesAsTheUpdaterSendsThem) {
    bench::PackageAddress a;
    ASSERT_TRUE(bench::SplitPackageAddress("http://h:8080/a/b.zip", a));
    EXPECT_EQ(bench::UpdaterRequest(a),
              "GET /a/b.zip HTTP/1.1\r\n"
              "Host:h:8080\r\n"
              "Accept:*/*\r\n"
              "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
              "Connection:Keep-Alive\r\n"
              "\r\n");
}

// ---- the reply header ------------------------------------------------------------------------

TEST(ReplyHeader, EndsOnlyAtTheBlankLine) {
    EXPECT_FALSE(bench::HeaderEnded(""));
    EXPECT_FALSE(bench::HeaderEnded("\r\n\r"));
    EXPECT_FALSE(bench::HeaderEnded("HTTP/1.1 200 OK\r\n"));
    EXPECT_TRUE(bench::HeaderEnded("\r\n\r\n"));
    EXPECT_TRUE(bench::HeaderEnded("HTTP/1.1 200 OK\r\nA: b\r\n\r\n"));
}

struct LengthCase {
    const char* header;
    int64_t expected;
};

class ContentLengthOf : public testing::TestWithParam<LengthCase> {};

TEST_P(ContentLengthOf, Header) {
    EXPECT_EQ(bench::ContentLength(GetParam().header), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, ContentLengthOf,
    testing::Values(LengthCase{"HTTP/1.1 200 OK\r\nContent-Length: 268435456\r\n\r\n", 268435456},
                    LengthCase{"HTTP/1.1 200 OK\r\nContent-Length:12\r\n\r\n", 12},
                    LengthCase{"HTTP/1.1 200 OK\r\nContent-Length: 5000000000 \r\n\r\n", 5000000000LL},
                    LengthCase{"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", 0},
                    LengthCase{"HTTP/1.1 200 OK\r\ncontent-length: 12\r\n\r\n", -1},
                    LengthCase{"HTTP/1.1 200 OK\r\nContent-Length: \r\n\r\n", -1},
                    LengthCase{"HTTP/1.1 200 OK\r\nContent-Length: 12x\r\n\r\n", -1},
                    LengthCase{"HTTP/1.1 200 OK\r\nContent-Length: 12", -1},
                    LengthCase{"HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n", -1},
                    LengthCase{"HTTP/1.1 200 OK\r\nContent-Length", -1},
                    LengthCase{"HTTP/1.1 200 OK\r\n\r\n", -1}));

// ---- answer times ----------------------------------------------------------------------------

TEST(LatencySummary, NothingMeasured) {
    const bench::LatencySummary s = bench::Summarize({}, 0, 100);
    EXPECT_EQ(s.count, 0u);
    EXPECT_EQ(s.worstMs, 0);
    EXPECT_EQ(s.p99Ms, 0);
}

TEST(LatencySummary, NinetyNinthPercentileByNearestRank) {
    std::vector<double> times;
    for (int i = 200; i >= 1; --i) times.push_back(i);   // 1..200 ms, unsorted
    const bench::LatencySummary s = bench::Summarize(times, 0, 100);
    EXPECT_EQ(s.count, 200u);
    EXPECT_EQ(s.worstMs, 200);
    EXPECT_EQ(s.p99Ms, 198);   // rank 198 of 200
    EXPECT_EQ(s.over, 100u);   // 101..200
}

TEST(LatencySummary, OneSlowAnswerInAHundredIsThePercentileOnlyBeyondAHundred) {
    std::vector<double> times(99, 1.0);
    times.push_back(500);
    EXPECT_EQ(bench::Summarize(times, 0, 100).p99Ms, 1.0);
    times.push_back(500);
    EXPECT_EQ(bench::Summarize(times, 0, 100).p99Ms, 500);
}

TEST(LatencySummary, AnswerAtTheLimitMeetsIt) {
    const bench::LatencySummary s = bench::Summarize({100.0, 100.5, 2000.0}, 1, 100);
    EXPECT_EQ(s.over, 2u);
    EXPECT_EQ(s.unanswered, 1u);
    EXPECT_EQ(s.worstMs, 2000);
}

}  // namespace
