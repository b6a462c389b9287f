#include "logic/HttpRequestText.h"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

const char kFixedLines[] =
    "Accept:*/*\r\n"
    "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
    "Connection:Keep-Alive\r\n";

std::string Compose(const GetRequestFields& fields, int* length = nullptr) {
    char buffer[kHttpRequestBufferSize];
    int n = ComposeGetRequest(fields, buffer, sizeof(buffer));
    if (length != nullptr) *length = n;
    return buffer;
}

TEST(ComposeGetRequest, UpdaterRequestIsSixLines) {
    GetRequestFields fields;
    fields.host = "h:8080";
    fields.path = "/a/b.zip";
    int length = 0;
    const std::string expected = std::string("GET /a/b.zip HTTP/1.1\r\nHost:h:8080\r\n") + kFixedLines + "\r\n";
    EXPECT_EQ(expected, Compose(fields, &length));
    EXPECT_EQ(static_cast<int>(expected.size()), length);
}

TEST(ComposeGetRequest, RefererCookieAndRangeLinesInTheirPlaces) {
    GetRequestFields fields;
    fields.host = "h";
    fields.path = "/p";
    fields.referer = "http://r/";
    fields.cookie = "k=v";
    fields.rangeFrom = 100;
    EXPECT_EQ(std::string("GET /p HTTP/1.1\r\nHost:h\r\nReferer:http://r/\r\n") + kFixedLines +
                  "Cookie:k=v\r\nRange: bytes=100-\r\n\r\n",
              Compose(fields));
}

TEST(ComposeGetRequest, RangeLine) {
    struct Case {
        int32_t from, to;
        const char* line;  // empty: no range line
    } cases[] = {
        {100, 0, "Range: bytes=100-\r\n"},
        {100, 200, "Range: bytes=100-200\r\n"},
        {100, 100, "Range: bytes=100-\r\n"},
        {100, 50, "Range: bytes=100-\r\n"},
        {0, 200, ""},
        {-5, 200, ""},
    };
    for (const Case& c : cases) {
        GetRequestFields fields;
        fields.rangeFrom = c.from;
        fields.rangeTo = c.to;
        EXPECT_EQ(std::string("GET / HTTP/1.1\r\nHost:\r\n") + kFixedLines + c.line + "\r\n", Compose(fields))
            << c.from << " " << c.to;
    }
}

TEST(ComposeGetRequest, RefusesWhatDoesNotFitAndLeavesAnEmptyBuffer) {
    GetRequestFields fields;
    fields.host = "h";
    const size_t fixed = Compose(fields).size() - 1;  // without the path "/"
    std::string path = "/" + std::string(kHttpRequestBufferSize - 1 - fixed - 1, 'x');
    fields.path = path.c_str();
    int length = 0;
    EXPECT_EQ(kHttpRequestBufferSize - 1, Compose(fields, &length).size()) << "exactly fits with its zero";
    EXPECT_EQ(static_cast<int>(kHttpRequestBufferSize - 1), length);

    path += "x";
    fields.path = path.c_str();
    char buffer[kHttpRequestBufferSize];
    buffer[0] = 'G';
    EXPECT_EQ(-1, ComposeGetRequest(fields, buffer, sizeof(buffer)));
    EXPECT_EQ('\0', buffer[0]);
}

TEST(ComposeGetRequest, RefusesNullHostOrPath) {
    char buffer[kHttpRequestBufferSize] = "x";
    GetRequestFields fields;
    fields.host = nullptr;
    EXPECT_EQ(-1, ComposeGetRequest(fields, buffer, sizeof(buffer)));
    EXPECT_EQ('\0', buffer[0]);
    fields.host = "h";
    fields.path = nullptr;
    EXPECT_EQ(-1, ComposeGetRequest(fields, buffer, sizeof(buffer)));
}

}  // namespace
}  // namespace vantor
