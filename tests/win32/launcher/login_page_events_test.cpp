// The dialog's answers to the login page view's events: which of them end the
// launcher by posting WM_CLOSE to its window.
#include "scripted_browser.h"
#include "web/LoginPageEvents.h"

#include <gtest/gtest.h>

namespace {

const char kLoginHost[] = "127.10.0.1";

// A window that only collects posted messages.
class MessageWindow {
public:
    MessageWindow()
        : m_hwnd(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~MessageWindow() { ::DestroyWindow(m_hwnd); }
    HWND get() const { return m_hwnd; }
    bool TakeClose() const {
        MSG msg;
        return ::PeekMessageA(&msg, m_hwnd, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
    }

private:
    HWND m_hwnd;
};

class LoginPageEvents : public ::testing::Test {
protected:
    LoginPageEvents() {
        view.AttachControl(nullptr, static_cast<IWebBrowser2*>(&browser));
        EXPECT_EQ(S_OK, events.Connect(view, window.get(), kLoginHost));
    }
    ~LoginPageEvents() override {
        events.Disconnect();
        view.Detach();
    }

    MessageWindow window;
    scripted::Browser browser;
    CExplorer1 view;
    CLoginPageEvents events;
};

TEST_F(LoginPageEvents, SubscribesToTheViewsBrowserAndLeavesIt) {
    ASSERT_NE(nullptr, browser.subscriber);
    events.Disconnect();
    EXPECT_EQ(std::vector<DWORD>{0x100}, browser.givenBack);
    EXPECT_EQ(nullptr, browser.subscriber);
    EXPECT_EQ(1, browser.refs.Count()) << "only the view's reference is left";
}

enum class Event { NavigateComplete2, WindowClosing, NavigateError };

struct EventCase {
    const char* name;
    Event event;
    const char* location;  // what the view answers as its address
    bool closes;
};

class LoginPageEvent : public LoginPageEvents, public ::testing::WithParamInterface<EventCase> {};

TEST_P(LoginPageEvent, PostsCloseOnlyForTheClosePageOrAClosingWindow) {
    browser.locationURL = GetParam().location;
    IDispatch* frame = static_cast<IWebBrowser2*>(&browser);
    // The event's own address is not what counts: the view's address is.
    const wchar_t* eventAddress = L"https://127.10.0.1/frame.html";
    HRESULT hr = S_OK;
    switch (GetParam().event) {
    case Event::NavigateComplete2:
        hr = browser.FireNavigateComplete2(frame, eventAddress);
        break;
    case Event::WindowClosing:
        hr = browser.FireWindowClosing();
        break;
    case Event::NavigateError:
        hr = browser.FireNavigateError(frame, eventAddress);
        break;
    }
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ(GetParam().closes, window.TakeClose());
    EXPECT_FALSE(window.TakeClose()) << "one WM_CLOSE at most";
}

INSTANTIATE_TEST_SUITE_P(
    Events, LoginPageEvent,
    ::testing::Values(
        EventCase{"CompleteAtClosePage", Event::NavigateComplete2, "https://127.10.0.1/clientclose.html", true},
        EventCase{"CompleteWithQuery", Event::NavigateComplete2, "https://127.10.0.1/clientclose.html?from=page",
                  false},
        EventCase{"CompleteOtherHost", Event::NavigateComplete2, "https://127.10.0.2/clientclose.html", false},
        EventCase{"CompleteOverHttp", Event::NavigateComplete2, "http://127.10.0.1/clientclose.html", false},
        EventCase{"CompleteElsewhere", Event::NavigateComplete2, "https://127.10.0.1/SkeinIPConfirm.html", false},
        EventCase{"WindowClosing", Event::WindowClosing, "https://127.10.0.1/SkeinIPConfirm.html", true},
        EventCase{"ErrorAtClosePage", Event::NavigateError, "https://127.10.0.1/clientclose.html", false}),
    [](const ::testing::TestParamInfo<EventCase>& info) { return std::string(info.param.name); });

TEST_F(LoginPageEvents, ReadsTheViewsAddressOnEachCompletedNavigation) {
    browser.FireNavigateComplete2(static_cast<IWebBrowser2*>(&browser), L"about:blank");
    ASSERT_EQ(1u, browser.calls.size());
    EXPECT_EQ(211, browser.calls[0].id);
    EXPECT_EQ(DISPATCH_PROPERTYGET, browser.calls[0].flags);
}

}  // namespace
