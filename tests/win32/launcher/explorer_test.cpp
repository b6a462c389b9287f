// The browser control wrapper's dispatch calls and the dialog's way of putting
// a sink on a view, against a scripted browser.
#include "scripted_browser.h"
#include "web/Explorer1.h"
#include "web/ViewSink.h"

#include <gtest/gtest.h>

namespace {

class Explorer : public ::testing::Test {
protected:
    Explorer() { view.AttachControl(nullptr, static_cast<IWebBrowser2*>(&browser)); }
    ~Explorer() override { view.Detach(); }

    scripted::Browser browser;
    CExplorer1 view;
};

TEST_F(Explorer, NavigatesByDispatchIdWithTheOtherFourArgumentsAbsent) {
    EXPECT_EQ(S_OK, view.Navigate("http://127.10.3.1/clienttemp.html"));
    ASSERT_EQ(1u, browser.calls.size());
    const scripted::DispatchCall& call = browser.calls[0];
    EXPECT_EQ(104, call.id);
    EXPECT_EQ(DISPATCH_METHOD, call.flags);
    EXPECT_FALSE(call.named);
    // Last to first: headers, post data, target frame, flags, then the address.
    EXPECT_EQ((std::vector<VARTYPE>{VT_ERROR, VT_ERROR, VT_ERROR, VT_ERROR, VT_BSTR}), call.types);
    EXPECT_EQ(std::vector<SCODE>(4, DISP_E_PARAMNOTFOUND), call.errors);
    EXPECT_EQ("http://127.10.3.1/clienttemp.html", call.address);
}

TEST_F(Explorer, PassesOnTheBrowsersAnswer) {
    browser.invokeResult = E_FAIL;
    EXPECT_EQ(E_FAIL, view.Navigate("about:blank"));
}

TEST_F(Explorer, ReadsTheLocationAsProperty211) {
    browser.locationURL = "https://127.10.0.1/SkeinIPConfirm.html";
    EXPECT_EQ("https://127.10.0.1/SkeinIPConfirm.html", view.GetLocationURL());
    ASSERT_EQ(1u, browser.calls.size());
    EXPECT_EQ(211, browser.calls[0].id);
    EXPECT_EQ(DISPATCH_PROPERTYGET, browser.calls[0].flags);
    EXPECT_TRUE(browser.calls[0].types.empty());
}

TEST_F(Explorer, AFailedLocationReadIsEmpty) {
    browser.locationURL = "https://127.10.0.1/clientclose.html";
    browser.invokeResult = E_FAIL;
    EXPECT_EQ("", view.GetLocationURL());
}

TEST_F(Explorer, HoldsOneReferenceUntilDetached) {
    EXPECT_EQ(1, browser.refs.Count());
    IUnknown* control = view.GetControlUnknown();
    EXPECT_EQ(static_cast<IUnknown*>(static_cast<IWebBrowser2*>(&browser)), control);
    EXPECT_EQ(2, browser.refs.Count());
    control->Release();
    view.Detach();
    EXPECT_EQ(0, browser.refs.Count());
    EXPECT_EQ(nullptr, view.GetControlUnknown());
}

TEST(ExplorerUnbound, DoesNothingWithoutAControl) {
    CExplorer1 view;
    EXPECT_EQ(E_NOINTERFACE, view.Navigate("about:blank"));
    EXPECT_EQ("", view.GetLocationURL());
    EXPECT_EQ(nullptr, view.GetControlUnknown());
}

TEST_F(Explorer, BorderlessSinkClearsBothFlagsAndAttaches) {
    CBrowserSink sink;
    EXPECT_TRUE(AttachBorderlessSink(view, sink));
    EXPECT_FALSE(sink.m_bShow3DBorder);
    EXPECT_FALSE(sink.m_bShowScrollBars);
    EXPECT_NE(nullptr, browser.subscriber);
    EXPECT_EQ(2, browser.refs.Count()) << "the view's and the sink's; the local one is released";
    sink.DetachBrowser();
    EXPECT_EQ(1, browser.refs.Count());
}

TEST_F(Explorer, AControlWithoutWebBrowser2KeepsTheBrowsersLook) {
    browser.answersWebBrowser2 = false;
    CBrowserSink sink;
    EXPECT_FALSE(AttachBorderlessSink(view, sink));
    EXPECT_TRUE(sink.m_bShow3DBorder);
    EXPECT_TRUE(sink.m_bShowScrollBars);
    EXPECT_EQ(nullptr, browser.subscriber);
    EXPECT_EQ(1, browser.refs.Count());
}

}  // namespace
