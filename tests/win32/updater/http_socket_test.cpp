// The socket client against a scripted peer: the bytes on the wire, a header
// read that leaves the body alone, and the closed state after the peer ends.
#include "loopback_server.h"

#include "HttpSocket.h"

#include <gtest/gtest.h>

namespace {

CHttpSocket* ConnectedClient(CHttpSocket& http, const LoopbackServer& server) {
    EXPECT_TRUE(http.CreateSocket());
    EXPECT_TRUE(http.Connect("127.0.0.1", server.Port()));
    return &http;
}

}  // namespace

TEST(HttpSocket, SendsTheRequestLinesAndReadsOnlyTheHeader) {
    LoopbackServer server;
    server.Serve({{"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"}});
    CHttpSocket http;
    int length = 0;
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());
    ASSERT_NE(nullptr, http.BuildGetRequest(host.c_str(), "/a/b.zip", length));
    ConnectedClient(http, server);
    ASSERT_TRUE(http.SendRequest());

    EXPECT_EQ("GET /a/b.zip HTTP/1.1\r\nHost:" + host +
                  "\r\nAccept:*/*\r\nUser-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                  "Connection:Keep-Alive\r\n\r\n",
              server.Request());
    char value[50];
    EXPECT_EQ(1, http.GetHeaderValue("Content-Length", value, sizeof value));
    EXPECT_STREQ("5", value);
    char body[16] = {};
    EXPECT_EQ(5, http.Receive(body, sizeof body));
    EXPECT_STREQ("hello", body);
    EXPECT_EQ(0, http.Receive(body, sizeof body));  // the peer closed: the client closes too
    EXPECT_EQ(0, http.Receive(body, sizeof body));
}

TEST(HttpSocket, HeaderLookupBeforeAnyRequestAndSecondCreate) {
    LoopbackServer server;
    server.Serve({{"HTTP/1.1 200 OK\r\n\r\n"}});
    CHttpSocket http;
    char value[8] = "keep";
    EXPECT_EQ(-1, http.GetHeaderValue("Content-Length", value, sizeof value));
    EXPECT_STREQ("keep", value);
    ConnectedClient(http, server);
    EXPECT_FALSE(http.CreateSocket());  // connected: the open socket stays
    ASSERT_TRUE(http.SendRequest("GET / HTTP/1.1\r\n\r\n", 0));
    EXPECT_EQ(-1, http.GetHeaderValue("Content-Length", value, sizeof value));
}

TEST(HttpSocket, ReceiveTimesOutOnASilentPeer) {
    LoopbackServer server;
    server.Serve({{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n"}}, 3000);
    CHttpSocket http;
    ConnectedClient(http, server);
    ASSERT_TRUE(http.SetTimeout(500, false));
    ASSERT_TRUE(http.SendRequest("GET / HTTP/1.1\r\n\r\n", 0));
    char body[16];
    EXPECT_EQ(-1, http.Receive(body, sizeof body));
}

TEST(HttpSocket, RefusesARequestThatDoesNotFitItsBuffer) {
    CHttpSocket http;
    int length = 7;
    const std::string path = "/" + std::string(1100, 'p');
    EXPECT_EQ(nullptr, http.BuildGetRequest("h", path.c_str(), length));
    EXPECT_EQ(0, length);
}
