#include "logic/HttpResponseHeader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vantor {
namespace {

const std::string kHeader = "HTTP/1.1 200 OK\r\nContent-Length: 12345\r\nServer: s\r\n\r\n";

// Feeds bytes until the buffer reports the header complete; returns how many it took.
size_t Feed(ResponseHeaderBuffer& header, const std::string& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i)
        if (header.Add(bytes[i])) return i + 1;
    return bytes.size() + 1;  // never completed
}

TEST(ResponseHeaderBuffer, EndsAfterTheBlankLineAndLeavesTheBody) {
    ResponseHeaderBuffer header;
    EXPECT_EQ(kHeader.size(), Feed(header, kHeader + "BODY"));
    EXPECT_EQ(kHeader, std::string(header.data(), header.length()));
}

TEST(ResponseHeaderBuffer, NoTruncatedHeaderCountsAsComplete) {
    for (size_t cut = 0; cut < kHeader.size(); ++cut) {
        ResponseHeaderBuffer header;
        EXPECT_EQ(cut + 1, Feed(header, kHeader.substr(0, cut))) << cut;
        EXPECT_EQ(static_cast<int>(cut), header.length());
    }
}

TEST(ResponseHeaderBuffer, LoneLineFeedsOrCarriageReturnsDoNotEndIt) {
    ResponseHeaderBuffer header;
    const std::string bytes = "HTTP/1.1 200 OK\n\n\r\r\n\r\r\n\n\r\n";
    EXPECT_EQ(bytes.size() + 1, Feed(header, bytes));
}

TEST(ResponseHeaderBuffer, CutAt1024Bytes) {
    ResponseHeaderBuffer header;
    const std::string longHeader = "HTTP/1.1 200 OK\r\nX: " + std::string(2000, 'a') + "\r\n\r\n";
    EXPECT_EQ(1024u, Feed(header, longHeader));
    EXPECT_EQ(1024, header.length());
    EXPECT_TRUE(header.Add('z')) << "a full buffer stays complete";
    EXPECT_EQ(1024, header.length());
}

int LookUp(const std::string& header, const char* name, char* value, size_t size) {
    return LookUpHeaderValue(header.data(), static_cast<int>(header.size()), name, value, size);
}

TEST(LookUpHeaderValue, ValueRunsFromTwoBytesAfterTheNameToCrLf) {
    char value[50] = "";
    EXPECT_EQ(5, LookUp(kHeader, "Content-Length", value, sizeof(value)));
    EXPECT_STREQ("12345", value);
    EXPECT_EQ(1, LookUp(kHeader, "Server", value, sizeof(value)));
    EXPECT_STREQ("s", value);
    EXPECT_EQ(5, LookUp(kHeader, "HTTP/1.1", value, sizeof(value))) << "found anywhere, the status line too";
    EXPECT_STREQ("00 OK", value);
}

TEST(LookUpHeaderValue, MissingNameLeavesTheValueUntouched) {
    char value[8] = "keep";
    for (const char* name : {"content-length", "Content-Length2", ""}) {
        EXPECT_EQ(-1, LookUp(kHeader, name, value, sizeof(value))) << name;
        EXPECT_STREQ("keep", value);
    }
    EXPECT_EQ(-1, LookUpHeaderValue(nullptr, 10, "X", value, sizeof(value)));
    EXPECT_EQ(-1, LookUpHeaderValue(kHeader.data(), 0, "HTTP", value, sizeof(value)));
    EXPECT_EQ(-1, LookUpHeaderValue(kHeader.data(), 20, "Content-Length", value, sizeof(value))) << "never past length";
    EXPECT_STREQ("keep", value);
}

TEST(LookUpHeaderValue, NoCrLfAfterTheNameGivesAnEmptyValue) {
    for (const char* header : {"HTTP/1.1 200 OK\r\nContent-Length", "HTTP/1.1 200 OK\r\nContent-Length:",
                               "HTTP/1.1 200 OK\r\nContent-Length: 12\r"}) {
        char value[8] = "keep";
        EXPECT_EQ(-1, LookUp(header, "Content-Length", value, sizeof(value))) << header;
        EXPECT_STREQ("", value);
    }
}

TEST(LookUpHeaderValue, LongValueIsCutToTheBufferAndItsLengthStillReported) {
    char value[8];
    std::memset(value, '#', sizeof(value));
    EXPECT_EQ(10, LookUp("Location: 0123456789\r\n", "Location", value, 4));
    EXPECT_STREQ("012", value);
    EXPECT_EQ('#', value[4]) << "nothing written past the size given";
    EXPECT_EQ(10, LookUp("Location: 0123456789\r\n", "Location", value, 0));
    EXPECT_EQ('0', value[0]);
}

}  // namespace
}  // namespace vantor
