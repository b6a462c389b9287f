#include "HostLookup.h"

#include <gtest/gtest.h>

#include "framework/ScopedHandles.h"

namespace {

// Winsock for the system resolver, for this test program's whole run.
struct WinsockStarted {
    WinsockStarted() { ::WSAStartup(MAKEWORD(2, 0), &data); }
    ~WinsockStarted() { ::WSACleanup(); }
    WSADATA data;
};

bool HangingResolver(const std::string&, in_addr* address) {
    ::Sleep(5000);  // a dead name server: the system resolver waits this long or longer
    address->s_addr = ::htonl(INADDR_LOOPBACK);
    return true;
}

DWORD WINAPI StopAfterAMoment(void* flag) {
    ::Sleep(200);
    *static_cast<std::atomic<int>*>(flag) = 1;
    return 0;
}

TEST(HostLookup, DottedTextAndNamesGiveTheirAddress) {
    WinsockStarted winsock;
    in_addr address{};
    ASSERT_TRUE(LookUpHost("127.10.4.1", 5000, nullptr, &address));
    EXPECT_EQ(address.s_addr, ::inet_addr("127.10.4.1"));
    ASSERT_TRUE(LookUpHost("localhost", 5000, nullptr, &address));
    EXPECT_EQ(address.s_addr, ::htonl(INADDR_LOOPBACK));
    EXPECT_FALSE(LookUpHost("", 5000, nullptr, &address));
    EXPECT_FALSE(LookUpHost(nullptr, 5000, nullptr, &address));
}

TEST(HostLookup, AHangingResolverIsGivenUpAtTheTimeLimitOrAtAStop) {
    in_addr address{};
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(LookUpHost("slow.example", 300, nullptr, &address, HangingResolver));
    EXPECT_LT(::GetTickCount() - start, 2000u);

    std::atomic<int> stop{0};
    fw::ScopedHandle stopper(::CreateThread(nullptr, 0, StopAfterAMoment, &stop, 0, nullptr));
    start = ::GetTickCount();
    EXPECT_FALSE(LookUpHost("slow.example", 60000, &stop, &address, HangingResolver));
    EXPECT_LT(::GetTickCount() - start, 2000u);
    ::WaitForSingleObject(stopper.get(), INFINITE);
}

}  // namespace
