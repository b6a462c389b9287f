#include "text/Base64.h"
#include "logic/LoginExchange.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(EncodeBase64, PadsTheLastGroup) {
    EXPECT_EQ("", EncodeBase64(""));
    EXPECT_EQ("YQ==", EncodeBase64("a"));
    EXPECT_EQ("YWI=", EncodeBase64("ab"));
    EXPECT_EQ("YWJj", EncodeBase64("abc"));
    EXPECT_EQ("cGxheWVyMQ==", EncodeBase64("player1"));
    EXPECT_EQ("+/+/", EncodeBase64(std::string("\xfb\xff\xbf", 3)));
    EXPECT_EQ("1tA=", EncodeBase64("\xd6\xd0"));  // GBK bytes are encoded as they are
}

TEST(LoginFormBody, CarriesBase64FieldsEightKeysAndRandUnencoded) {
    const int keys[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ("txtUserName=YWJj&txtPassword=P3g+&keys=0,0,0,0,0,0,0,0,&rand=0", LoginFormBody("abc", "?x>", keys, 0));
    const int other[8] = {1, -2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ("txtUserName=&txtPassword=&keys=1,-2,3,4,5,6,7,8,&rand=9", LoginFormBody("", "", other, 9));
}

TEST(ReadLoginReply, MapsEveryCodeOfTheTable) {
    EXPECT_EQ(LoginOutcome::Success, ReadLoginReply("1,T").outcome);
    EXPECT_EQ(LoginOutcome::WrongCredentials, ReadLoginReply("0,anything").outcome);
    EXPECT_EQ(LoginOutcome::Maintenance, ReadLoginReply("-1,x").outcome);
    EXPECT_EQ(LoginOutcome::Disabled, ReadLoginReply("-2,x").outcome);
    EXPECT_EQ(LoginOutcome::MissingField, ReadLoginReply("-3,x").outcome);
    EXPECT_EQ(LoginOutcome::BadUserName, ReadLoginReply("-4,x").outcome);
    EXPECT_EQ(LoginOutcome::Locked, ReadLoginReply("-10,x").outcome);
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply("-7,x").outcome);
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply("2,x").outcome);
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply("-5,x").outcome);
}

TEST(ReadLoginReply, ReadsTheCodeLikeScanf) {
    LoginReply r = ReadLoginReply("1abc,XYZ");
    EXPECT_EQ(LoginOutcome::Success, r.outcome);
    EXPECT_EQ("XYZ", r.payload);
    EXPECT_EQ(LoginOutcome::MissingField, ReadLoginReply(" -3,x").outcome);
    EXPECT_EQ(LoginOutcome::Success, ReadLoginReply("\r\n+1,x").outcome);
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply("x1,x").outcome);
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply("- 1,x").outcome);
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply("99999999999999,x").outcome);
}

TEST(ReadLoginReply, NeedsACommaAfterTheFirstCharacter) {
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply("").outcome);
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply("1").outcome);
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply(",x").outcome);
    EXPECT_EQ(LoginOutcome::Failed, ReadLoginReply("0").outcome) << "even a known code without a comma";
}

TEST(ReadLoginReply, PayloadIsEverythingAfterTheFirstComma) {
    EXPECT_EQ("", ReadLoginReply("1,").payload);
    EXPECT_EQ(LoginOutcome::Success, ReadLoginReply("1,").outcome);
    EXPECT_EQ("a,b", ReadLoginReply("1,a,b").payload);
    EXPECT_EQ(" T \r\n", ReadLoginReply("1, T \r\n").payload);
}

TEST(GameCommandLine, FollowsTheGameFormat) {
    std::string line;
    ASSERT_TRUE(GameCommandLine("C:\\Game", 2, "abc", "T", line));
    EXPECT_EQ("\"C:\\Game\\Vantor.exe\" 2 abc T 1", line);
    ASSERT_TRUE(GameCommandLine("C:\\Game", 2, "abc", "", line));
    EXPECT_EQ("\"C:\\Game\\Vantor.exe\" 2 abc  1", line) << "an empty token leaves two blanks";
}

TEST(GameCommandLine, RefusesMoreThan511Characters) {
    const std::string head = "\"C:\\G\\Vantor.exe\" 1 u ";  // 22 characters, then the token and " 1"
    std::string line = "unchanged";
    ASSERT_TRUE(GameCommandLine("C:\\G", 1, "u", std::string(511 - 22 - 2, 't'), line));
    EXPECT_EQ(511u, line.size());
    line = "unchanged";
    EXPECT_FALSE(GameCommandLine("C:\\G", 1, "u", std::string(512 - 22 - 2, 't'), line));
    EXPECT_EQ("unchanged", line);
}

TEST(StatisticsBody, IsSentAsTyped) {
    EXPECT_EQ("account=a b&c&version=2006.01.15&type=234", StatisticsBody("a b&c", "2006.01.15", "234"));
    EXPECT_EQ("account=u&version=&type=", StatisticsBody("u", "", ""));
}
