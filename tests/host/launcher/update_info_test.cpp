#include "logic/UpdateInfo.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(UpdateInfoUrl, AppendsTheVersionUnescaped) {
    EXPECT_EQ("http://127.10.1.1:8080/LoginPacketN/WebForm1.aspx?ver=2006.01.15",
              UpdateInfoUrl("127.10.1.1", "2006.01.15"));
    EXPECT_EQ("http://h:8080/LoginPacketN/WebForm1.aspx?ver=1 2&x=%", UpdateInfoUrl("h", "1 2&x=%"));
}

TEST(UpdateReplyDocument, PutsCrLfBeforeEveryLineAndKeepsCarriageReturns) {
    EXPECT_EQ("\r\n<a>\r\n</a>", UpdateReplyDocument("<a>\n</a>"));
    EXPECT_EQ("\r\n<a>\r\r\n</a>\r", UpdateReplyDocument("<a>\r\n</a>\r\n"));
    EXPECT_EQ("", UpdateReplyDocument(""));
    EXPECT_EQ("\r\n\r\n", UpdateReplyDocument("\n\n"));
}

namespace {
UpdateAnswer Read(const std::string& body, std::string& arg) { return ReadUpdateReply(UpdateReplyDocument(body), arg); }
}  // namespace

TEST(ReadUpdateReply, NamesTheUpdateWithItsForceFlag) {
    std::string arg;
    EXPECT_EQ(kUpdateNamed,
              Read("<pkprotocol>\n<updateInfo><Url>http://d/p.zip</Url><force>1</force></updateInfo>\n</pkprotocol>\n", arg));
    EXPECT_EQ("http://d/p.zip|1", arg);
}

TEST(ReadUpdateReply, MissingOrEmptyForceReadsAsZero) {
    std::string arg;
    EXPECT_EQ(kUpdateNamed, Read("<pkprotocol><updateInfo><Url>u</Url></updateInfo></pkprotocol>", arg));
    EXPECT_EQ("u|0", arg);
    EXPECT_EQ(kUpdateNamed, Read("<pkprotocol><updateInfo><Url>u</Url><force></force></updateInfo></pkprotocol>", arg));
    EXPECT_EQ("u|0", arg);
}

TEST(ReadUpdateReply, ForceBeforeUrlIsNotSeen) {
    std::string arg;
    EXPECT_EQ(kUpdateNamed,
              Read("<pkprotocol><updateInfo><force>1</force><Url>u</Url></updateInfo></pkprotocol>", arg));
    EXPECT_EQ("u|0", arg);
}

TEST(ReadUpdateReply, NoOrEmptyUrlMeansNoUpdate) {
    std::string arg = "untouched";
    EXPECT_EQ(kNoUpdate, Read("<pkprotocol><updateInfo></updateInfo></pkprotocol>", arg));
    EXPECT_EQ(kNoUpdate, Read("<pkprotocol><updateInfo><Url></Url><force>1</force></updateInfo></pkprotocol>", arg));
    EXPECT_EQ("untouched", arg);
}

TEST(ReadUpdateReply, WrongRootOrNoUpdateInfoFails) {
    std::string arg;
    EXPECT_EQ(kUpdateFailed, Read("<html><body>Service Unavailable</body></html>", arg));
    EXPECT_EQ(kUpdateFailed, Read("<pkprotocol><other/></pkprotocol>", arg));
    EXPECT_EQ(kUpdateFailed, Read("", arg));
    EXPECT_EQ(kUpdateFailed, Read("<pkprotocol><updateInfo>", arg));
}

TEST(ReadUpdateReply, DecodesEntitiesInTheAddress) {
    std::string arg;
    EXPECT_EQ(kUpdateNamed,
              Read("<pkprotocol><updateInfo><Url>http://d/p?a=1&amp;b=2</Url></updateInfo></pkprotocol>", arg));
    EXPECT_EQ("http://d/p?a=1&b=2|0", arg);
}

TEST(BuildUpdaterCommandLine, QuotesThePathAndPassesTheArgumentAsItIs) {
    std::string line;
    ASSERT_TRUE(BuildUpdaterCommandLine("C:\\Program Files\\Vantor", "http://d/a|b.zip|1", line));
    EXPECT_EQ("\"C:\\Program Files\\Vantor\\VantorUpdate.exe\" http://d/a|b.zip|1", line);
}

TEST(BuildUpdaterCommandLine, RefusesALineThatDoesNotFitIn512Bytes) {
    const std::string folder = "C:\\V";  // "\"C:\\V\\VantorUpdate.exe\" " is 24 bytes
    std::string line = "unchanged";
    EXPECT_TRUE(BuildUpdaterCommandLine(folder, std::string(511 - 24, 'x'), line));
    EXPECT_EQ(511u, line.size());
    line = "unchanged";
    EXPECT_FALSE(BuildUpdaterCommandLine(folder, std::string(512 - 24, 'x'), line));
    EXPECT_EQ("unchanged", line);
}

TEST(UpdaterForceFlag, TakesTheNumberAfterTheLastBar) {
    EXPECT_EQ(1, UpdaterForceFlag("http://a|b|1"));
    EXPECT_EQ(0, UpdaterForceFlag("http://a|1|0"));
    EXPECT_EQ(2, UpdaterForceFlag("2"));
    EXPECT_EQ(0, UpdaterForceFlag("http://a|yes"));
    EXPECT_EQ(7, UpdaterForceFlag("u| 7x"));
}
