#include "logic/WebViewAddresses.h"

#include <gtest/gtest.h>

TEST(WebViewAddresses, PagesOfTheSiteAndTheLoginHost) {
    EXPECT_EQ("http://www.site.example/clienttemp.html", vantor::NoticePageAddress("www.site.example"));
    EXPECT_EQ("http://www.site.example/clienttemp2.html", vantor::BannerPageAddress("www.site.example"));
    EXPECT_EQ("https://127.10.0.1/loginclienttemp.htm", vantor::LoginPageAddress("127.10.0.1"));
    EXPECT_EQ("https://127.10.0.1/SkeinIPConfirm.html", vantor::SkeinConfirmAddress("127.10.0.1"));
}

TEST(IsClientCloseAddress, OnlyTheExactAddressOfTheLoginHost) {
    EXPECT_TRUE(vantor::IsClientCloseAddress("https://127.10.0.1/clientclose.html", "127.10.0.1"));
}

class ClientCloseLookalike : public ::testing::TestWithParam<const char*> {};

TEST_P(ClientCloseLookalike, DoesNotEndTheLauncher) {
    EXPECT_FALSE(vantor::IsClientCloseAddress(GetParam(), "127.10.0.1"));
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, ClientCloseLookalike,
    ::testing::Values("https://127.10.0.1/clientclose.html?x=1", "https://127.10.0.1/clientclose.html#top",
                      "https://127.10.0.1/clientclose.html/", "http://127.10.0.1/clientclose.html",
                      "HTTPS://127.10.0.1/clientclose.html", "https://127.10.0.1/ClientClose.html",
                      "https://127.10.0.1:443/clientclose.html", "https://127.10.0.2/clientclose.html",
                      "https://127.10.0.1/sub/clientclose.html", " https://127.10.0.1/clientclose.html",
                      "https://127.10.0.1/clientclose.htm", "about:blank", ""));
