#include "logic/EnvironmentCommands.h"
#include "logic/Locations.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(IsListableLocation, NeedsPositiveIdHostAndPage) {
    LocationInfo l;
    l.ID = 1;
    SetLocationField(l.Host, "h");
    SetLocationField(l.Func, "Login.aspx");
    EXPECT_TRUE(IsListableLocation(l));
    l.ID = 0;
    EXPECT_FALSE(IsListableLocation(l));
    l.ID = -3;
    EXPECT_FALSE(IsListableLocation(l));
    l.ID = 1;
    SetLocationField(l.Host, "");
    EXPECT_FALSE(IsListableLocation(l));
    SetLocationField(l.Host, "h");
    SetLocationField(l.Func, "");
    EXPECT_FALSE(IsListableLocation(l));
}

TEST(SetLocationField, CutsAt49BytesWithoutSplittingACharacter) {
    LocationInfo l;
    SetLocationField(l.Host, std::string(60, 'a'));
    EXPECT_EQ(std::string(49, 'a'), l.Host);
    // 48 ASCII bytes and a two-byte character: the character does not fit whole.
    SetLocationField(l.Host, std::string(48, 'a') + "\xd6\xd0");
    EXPECT_EQ(std::string(48, 'a'), l.Host);
    SetLocationField(l.Host, std::string(47, 'a') + "\xd6\xd0");
    EXPECT_EQ(std::string(47, 'a') + "\xd6\xd0", l.Host);
}

TEST(BuiltInLocations, AreTheThreeRegionsInOrder) {
    EXPECT_STREQ("\xbb\xaa\xc4\xcf\xb5\xe7\xd0\xc5-\xcb\xd5\xcb\xb9\xd0\xc7\xd3\xf2", kBuiltInLocations[0].name);
    EXPECT_EQ(2, kBuiltInLocations[1].id);
    EXPECT_EQ(1, kBuiltInLocations[1].hostIndex);
    EXPECT_EQ(3, kBuiltInLocations[2].id);
}

TEST(EnvironmentCommands, QuotesEveryProgramAndComponentPath) {
    auto commands = EnvironmentCommands("C:\\windows\\system32\\", "C:\\Program Files\\Vantor Online\\");
    ASSERT_EQ(3u, commands.size());
    EXPECT_EQ("\"C:\\windows\\system32\\regsvr32.exe\" /s \"C:\\Program Files\\Vantor Online\\PlaymoorEncrypt.dll\"",
              commands[0]);
    EXPECT_EQ("\"C:\\windows\\system32\\regsvr32.exe\" /s \"C:\\Program Files\\Vantor Online\\PlaymoorPlugin.dll\"",
              commands[1]);
    EXPECT_EQ("\"C:\\Program Files\\Vantor Online\\certs\\Trustfit.exe\"", commands[2]);
}
