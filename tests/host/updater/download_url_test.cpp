#include "logic/DownloadUrl.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(SplitDownloadUrl, HostPortAndPath) {
    struct Case {
        const char* url;
        const char* hostField;
        const char* host;
        int port;
        const char* path;
    } cases[] = {
        {"http://host:8080/dir/p.zip", "host:8080", "host", 8080, "/dir/p.zip"},
        {"http://host/dir/p.zip", "host", "host", 80, "/dir/p.zip"},
        {"http://127.0.0.1/", "127.0.0.1", "127.0.0.1", 80, "/"},
        {"http://h/get?f=a/b.zip", "h", "h", 80, "/get?f=a/b.zip"},
        {"http://h:65535/p", "h:65535", "h", 65535, "/p"},
        {"http://h:81x:9/p", "h:81x:9", "h", 81, "/p"},  // the decimal prefix after the first ":"
    };
    for (const Case& c : cases) {
        DownloadAddress address;
        ASSERT_TRUE(SplitDownloadUrl(c.url, address)) << c.url;
        EXPECT_EQ(c.hostField, address.hostField) << c.url;
        EXPECT_EQ(c.host, address.host) << c.url;
        EXPECT_EQ(c.port, address.port) << c.url;
        EXPECT_EQ(c.path, address.path) << c.url;
    }
}

TEST(SplitDownloadUrl, RefusesWhatTheWorkerCannotFetch) {
    for (const char* url : {
             "http://host",            // no "/" after the host
             "https://host/p.zip",     // not http://
             "HTTP://host/p.zip",      // the scheme is case-sensitive
             " http://host/p.zip",     // not at position 0
             "http:///p.zip",          // empty host
             "http://:80/p.zip",       // empty host with a port
             "http://h:0/p.zip",       // ports outside 1-65535
             "http://h:99999/p.zip",
             "http://h:abc/p.zip",
             "http://h:/p.zip",
             "http://h:-80/p.zip",
             "http://h/p.zip\r\nX-Injected: 1",  // control characters would add request lines
             "http://h\n/p.zip",
         }) {
        DownloadAddress address;
        address.host = "untouched";
        EXPECT_FALSE(SplitDownloadUrl(url, address)) << url;
        EXPECT_EQ("untouched", address.host) << url;
    }
    DownloadAddress address;
    EXPECT_FALSE(SplitDownloadUrl(std::string("http://h/a\0b.zip", 16), address)) << "a NUL would cut the path";
}

TEST(PackageNameOfUrl, TextAfterTheLastSlash) {
    EXPECT_EQ("p.zip", PackageNameOfUrl("http://host:8080/dir/p.zip"));
    EXPECT_EQ("b.zip", PackageNameOfUrl("http://host/get?f=a/b.zip"));
    EXPECT_EQ("get?f=3", PackageNameOfUrl("http://host/get?f=3"));
    EXPECT_EQ("", PackageNameOfUrl("http://host/dir/"));
    EXPECT_EQ("p.zip", PackageNameOfUrl("p.zip"));
}

TEST(IsSafePackageName, PlainFileNamesOnly) {
    for (const char* name : {"p.zip", "get?f=3", "a..b", ".zip", "\xb8\xfc\xd0\xc2.zip" /* 更新 */,
                             "\x95\x5c.zip" /* trail byte 0x5C */}) {
        EXPECT_TRUE(IsSafePackageName(name)) << name;
    }
    for (const char* name : {"", ".", "..", ". .", " ", "a\\b", "..\\x", "c:x", "C:", "a\tb", "a\x7f"}) {
        EXPECT_FALSE(IsSafePackageName(name)) << name;
    }
    EXPECT_FALSE(IsSafePackageName(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace vantor
