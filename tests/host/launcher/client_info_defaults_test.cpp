#include "logic/ClientInfoDefaults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));  // what follows the last CR LF
    return lines;
}

const vantor::DefaultLoginHosts kHosts{"login-a.test", "login-b.test", "login-c.test"};

}  // namespace

TEST(DefaultClientInfo, EndsWithOneZeroByteAfterTheLastLineBreak) {
    std::string content = vantor::DefaultClientInfoContent(kHosts);
    ASSERT_GE(content.size(), 3u);
    EXPECT_EQ(std::string("\r\n", 2) + '\0', content.substr(content.size() - 3));
    EXPECT_EQ(content.find('\0'), content.size() - 1) << "no zero byte before the end";
}

TEST(DefaultClientInfo, IndentsEveryLineAfterTheFirstWithFiveTabsAndABlank) {
    std::vector<std::string> lines = SplitCrLf(vantor::DefaultClientInfoContent(kHosts));
    ASSERT_EQ(24u, lines.size());  // 23 lines and the zero byte after them
    EXPECT_EQ("[ClientInfo]", lines[0]);
    for (size_t i = 1; i < 23; ++i) EXPECT_EQ(0u, lines[i].find("\t\t\t\t\t ")) << "line " << i + 1;
    EXPECT_EQ(std::string(1, '\0'), lines[23]);
}

TEST(DefaultClientInfo, HoldsTheThreeLocationsWithTheirHostsAndGbkNames) {
    std::vector<std::string> lines = SplitCrLf(vantor::DefaultClientInfoContent(kHosts));
    const std::string indent = "\t\t\t\t\t ";
    EXPECT_EQ(indent + "Version=2006.01.15", lines[1]);
    EXPECT_EQ(indent + "count = 3", lines[4]);
    EXPECT_EQ(indent + "Name = \xbb\xaa\xc4\xcf\xb4\xf3\xc7\xf8", lines[7]);  // 华南大区
    EXPECT_EQ(indent + "Host = login-a.test", lines[8]);
    EXPECT_EQ(indent + "Name = \xbb\xaa\xb1\xb1\xcd\xf8\xcd\xa8", lines[13]);  // 华北网通
    EXPECT_EQ(indent + "Host = login-b.test", lines[14]);
    EXPECT_EQ(indent + "Name = \xce\xf7\xb2\xbf\xb5\xe7\xd0\xc5", lines[19]);  // 西部电信
    EXPECT_EQ(indent + "Host = login-c.test", lines[20]);
    EXPECT_EQ(indent + "Func = Login.aspx", lines[10]);
    EXPECT_EQ(indent + "Func = login.aspx", lines[22]) << "the third location's Func starts in lower case";
}
