// The web views' sink against a scripted browser: its interface table, the
// exits of its event handler, the host flags and the order of re-attaching.
#include "scripted_browser.h"
#include "web/BrowserSink.h"

#include <gtest/gtest.h>

#include <exdispid.h>

namespace {

IUnknown* EventInterface(CBrowserSink& sink) { return static_cast<DWebBrowserEvents2*>(&sink); }
IUnknown* UiHandler(CBrowserSink& sink) { return static_cast<IDocHostUIHandler*>(&sink); }

// What the sink answers for one interface: its event or its UI-handler table, or nothing.
enum class Answer { Events, UiHandler, None };

struct QueryCase {
    const char* name;
    const IID* iid;
    Answer answer;
};

class SinkQueryInterface : public ::testing::TestWithParam<QueryCase> {};

TEST_P(SinkQueryInterface, AnswersWithItsTable) {
    CBrowserSink sink;
    void* object = &sink;  // a failing query must clear it
    HRESULT hr = sink.QueryInterface(*GetParam().iid, &object);
    switch (GetParam().answer) {
    case Answer::Events:
        EXPECT_EQ(S_OK, hr);
        EXPECT_EQ(EventInterface(sink), object);
        break;
    case Answer::UiHandler:
        EXPECT_EQ(S_OK, hr);
        EXPECT_EQ(UiHandler(sink), object);
        break;
    case Answer::None:
        EXPECT_EQ(E_NOINTERFACE, hr);
        EXPECT_EQ(nullptr, object);
        break;
    }
    // A success hands out one reference.
    EXPECT_EQ(GetParam().answer == Answer::None ? 1u : 2u, sink.AddRef());
}

INSTANTIATE_TEST_SUITE_P(
    Interfaces, SinkQueryInterface,
    ::testing::Values(QueryCase{"BrowserEvents", &DIID_DWebBrowserEvents2, Answer::Events},
                      QueryCase{"HostUiHandler", &IID_IDocHostUIHandler, Answer::UiHandler},
                      QueryCase{"Unknown", &IID_IUnknown, Answer::UiHandler},
                      QueryCase{"Dispatch", &IID_IDispatch, Answer::None},
                      QueryCase{"WebBrowser2", &IID_IWebBrowser2, Answer::None},
                      QueryCase{"CustomDoc", &__uuidof(ICustomDoc), Answer::None},
                      QueryCase{"OleCommandTarget", &IID_IOleCommandTarget, Answer::None}),
    [](const ::testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });

TEST(BrowserSink, CountsReferencesWithoutDestroyingItself) {
    CBrowserSink sink;
    EXPECT_EQ(1u, sink.AddRef());
    EXPECT_EQ(2u, EventInterface(sink)->AddRef()) << "both tables share one count";
    EXPECT_EQ(1u, UiHandler(sink)->Release());
    EXPECT_EQ(0u, sink.Release());
    DOCHOSTUIINFO info{};
    EXPECT_EQ(S_OK, sink.GetHostInfo(&info)) << "a count of 0 leaves the sink alive";
}

TEST(BrowserSink, LeavesEverythingButHostInfoToTheBrowser) {
    CBrowserSink sink;
    EXPECT_EQ(E_NOTIMPL, sink.GetTypeInfoCount(nullptr));
    EXPECT_EQ(E_NOTIMPL, sink.GetTypeInfo(0, 0, nullptr));
    EXPECT_EQ(E_NOTIMPL, sink.GetIDsOfNames(IID_NULL, nullptr, 0, 0, nullptr));
    POINT point{};
    EXPECT_EQ(E_NOTIMPL, sink.ShowContextMenu(0, &point, nullptr, nullptr)) << "the browser's own menu shows";
    EXPECT_EQ(E_NOTIMPL, sink.ShowUI(0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(E_NOTIMPL, sink.HideUI());
    EXPECT_EQ(E_NOTIMPL, sink.UpdateUI());
    EXPECT_EQ(E_NOTIMPL, sink.EnableModeless(TRUE));
    EXPECT_EQ(E_NOTIMPL, sink.OnDocWindowActivate(TRUE));
    EXPECT_EQ(E_NOTIMPL, sink.OnFrameWindowActivate(TRUE));
    EXPECT_EQ(E_NOTIMPL, sink.ResizeBorder(nullptr, nullptr, FALSE));
    EXPECT_EQ(E_NOTIMPL, sink.TranslateAccelerator(nullptr, nullptr, 0));
    // Results are cleared, as COM asks of a failing call.
    LPOLESTR key = reinterpret_cast<LPOLESTR>(&sink);
    EXPECT_EQ(E_NOTIMPL, sink.GetOptionKeyPath(&key, 0));
    EXPECT_EQ(nullptr, key);
    IDropTarget* drop = reinterpret_cast<IDropTarget*>(&sink);
    EXPECT_EQ(E_NOTIMPL, sink.GetDropTarget(nullptr, &drop));
    EXPECT_EQ(nullptr, drop);
    IDispatch* external = reinterpret_cast<IDispatch*>(&sink);
    EXPECT_EQ(E_NOTIMPL, sink.GetExternal(&external));
    EXPECT_EQ(nullptr, external);
    LPWSTR url = reinterpret_cast<LPWSTR>(&sink);
    EXPECT_EQ(E_NOTIMPL, sink.TranslateUrl(0, nullptr, &url));
    EXPECT_EQ(nullptr, url);
    IDataObject* data = reinterpret_cast<IDataObject*>(&sink);
    EXPECT_EQ(E_NOTIMPL, sink.FilterDataObject(nullptr, &data));
    EXPECT_EQ(nullptr, data);
}

struct HostInfoCase {
    BOOL show3DBorder, showScrollBars;
    DWORD added;
};

class SinkHostInfo : public ::testing::TestWithParam<HostInfoCase> {};

TEST_P(SinkHostInfo, AddsTheFlagOfEachClearedSetting) {
    CBrowserSink sink;
    sink.m_bShow3DBorder = GetParam().show3DBorder;
    sink.m_bShowScrollBars = GetParam().showScrollBars;
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof(info);
    info.dwFlags = DOCHOSTUIFLAG_DIALOG;  // what the browser set stays
    EXPECT_EQ(S_OK, sink.GetHostInfo(&info));
    EXPECT_EQ(DOCHOSTUIFLAG_DIALOG | GetParam().added, info.dwFlags);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, SinkHostInfo,
    ::testing::Values(HostInfoCase{TRUE, TRUE, 0}, HostInfoCase{FALSE, TRUE, DOCHOSTUIFLAG_NO3DBORDER},
                      HostInfoCase{TRUE, FALSE, DOCHOSTUIFLAG_SCROLL_NO},
                      HostInfoCase{FALSE, FALSE, DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO}));

TEST(BrowserSink, ShowsBorderAndScrollBarsUntilTold) {
    CBrowserSink sink;
    EXPECT_TRUE(sink.m_bShow3DBorder);
    EXPECT_TRUE(sink.m_bShowScrollBars);
}

// The arguments of NavigateComplete2, last to first: the URL, then the frame's browser.
struct CompleteArgs {
    VARIANT url;
    VARIANT args[2];
    DISPPARAMS params;

    explicit CompleteArgs(const VARIANT& frame) {
        V_VT(&url) = VT_BSTR;
        V_BSTR(&url) = nullptr;
        V_VT(&args[0]) = VT_VARIANT | VT_BYREF;
        V_VARIANTREF(&args[0]) = &url;
        args[1] = frame;
        params = DISPPARAMS{args, nullptr, 2, 0};
    }
};

HRESULT InvokeEvent(CBrowserSink& sink, DISPID id, DISPPARAMS* params) {
    return sink.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
}

VARIANT DispatchArg(IDispatch* object) {
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
    return v;
}

class SinkInvoke : public ::testing::Test {
protected:
    SinkInvoke() { frame.document = &document; }

    CBrowserSink sink;
    scripted::Document document;
    scripted::Browser frame;
};

TEST_F(SinkInvoke, RefusesAMissingArgumentBlockWhateverTheEvent) {
    EXPECT_EQ(E_INVALIDARG, InvokeEvent(sink, DISPID_NAVIGATECOMPLETE2, nullptr));
    EXPECT_EQ(E_INVALIDARG, InvokeEvent(sink, DISPID_BEFORENAVIGATE2, nullptr));
}

TEST_F(SinkInvoke, OtherEventsSucceedWithoutTouchingTheirArguments) {
    CompleteArgs args(DispatchArg(static_cast<IWebBrowser2*>(&frame)));
    for (DISPID id : {DISPID_BEFORENAVIGATE2, DISPID_DOCUMENTCOMPLETE, DISPID_NAVIGATEERROR, DISPID_WINDOWCLOSING}) {
        EXPECT_EQ(S_OK, InvokeEvent(sink, id, &args.params)) << id;
    }
    EXPECT_EQ(0, document.setHandlerCalls);
    EXPECT_EQ(0, frame.refs.Count());
}

TEST_F(SinkInvoke, RefusesFewerThanTwoArguments) {
    CompleteArgs args(DispatchArg(static_cast<IWebBrowser2*>(&frame)));
    for (UINT count : {0u, 1u}) {
        args.params.cArgs = count;
        EXPECT_EQ(E_INVALIDARG, InvokeEvent(sink, DISPID_NAVIGATECOMPLETE2, &args.params)) << count;
    }
    EXPECT_EQ(0, document.setHandlerCalls);
}

TEST_F(SinkInvoke, RefusesAFirstArgumentThatIsNoDispatchInterface) {
    IDispatch* frameDispatch = static_cast<IWebBrowser2*>(&frame);
    VARIANT byRef;
    V_VT(&byRef) = VT_DISPATCH | VT_BYREF;
    V_DISPATCHREF(&byRef) = &frameDispatch;
    VARIANT unknown;
    V_VT(&unknown) = VT_UNKNOWN;
    V_UNKNOWN(&unknown) = static_cast<IWebBrowser2*>(&frame);
    VARIANT empty;
    V_VT(&empty) = VT_EMPTY;
    for (const VARIANT& first : {byRef, unknown, empty, DispatchArg(nullptr)}) {
        CompleteArgs args(first);
        EXPECT_EQ(E_INVALIDARG, InvokeEvent(sink, DISPID_NAVIGATECOMPLETE2, &args.params)) << V_VT(&first);
    }
    EXPECT_EQ(0, document.setHandlerCalls);
    EXPECT_EQ(0, frame.refs.Count());
}

TEST_F(SinkInvoke, InstallsItselfAsTheDocumentsUiHandlerAndReleasesWhatItAskedFor) {
    CompleteArgs args(DispatchArg(static_cast<IWebBrowser2*>(&frame)));
    EXPECT_EQ(S_OK, InvokeEvent(sink, DISPID_NAVIGATECOMPLETE2, &args.params));
    EXPECT_EQ(UiHandler(sink), document.handler);
    EXPECT_EQ(0, frame.refs.Count());
    EXPECT_EQ(0, document.refs.Count());
    EXPECT_EQ(2u, sink.AddRef()) << "the document keeps one reference, this is the second";
}

TEST_F(SinkInvoke, InstallsAnewForEveryDocument) {
    CompleteArgs args(DispatchArg(static_cast<IWebBrowser2*>(&frame)));
    InvokeEvent(sink, DISPID_NAVIGATECOMPLETE2, &args.params);
    scripted::Document next;
    frame.document = &next;
    InvokeEvent(sink, DISPID_NAVIGATECOMPLETE2, &args.params);
    EXPECT_EQ(UiHandler(sink), next.handler);
    EXPECT_EQ(1, document.setHandlerCalls);
}

// One step of the installation fails: the event still succeeds, quietly.
struct FailingStep {
    const char* name;
    void (*arrange)(scripted::Browser& frame, scripted::Document& document);
    int setHandlerCalls;
};

class SinkInvokeFailingStep : public SinkInvoke, public ::testing::WithParamInterface<FailingStep> {};

TEST_P(SinkInvokeFailingStep, SucceedsQuietlyAndReleasesWhatItGot) {
    GetParam().arrange(frame, document);
    CompleteArgs args(DispatchArg(static_cast<IWebBrowser2*>(&frame)));
    EXPECT_EQ(S_OK, InvokeEvent(sink, DISPID_NAVIGATECOMPLETE2, &args.params));
    EXPECT_EQ(nullptr, document.handler);
    EXPECT_EQ(GetParam().setHandlerCalls, document.setHandlerCalls);
    EXPECT_EQ(0, frame.refs.Count());
    EXPECT_EQ(0, document.refs.Count());
}

void FrameIsNoWebBrowser2(scripted::Browser& frame, scripted::Document&) { frame.answersWebBrowser2 = false; }
void DocumentRefused(scripted::Browser& frame, scripted::Document&) { frame.documentResult = E_FAIL; }
void NoDocumentYet(scripted::Browser& frame, scripted::Document&) { frame.document = nullptr; }
void DocumentIsNoCustomDoc(scripted::Browser&, scripted::Document& document) { document.answersCustomDoc = false; }
void HandlerRefused(scripted::Browser&, scripted::Document& document) { document.setHandlerResult = E_FAIL; }

INSTANTIATE_TEST_SUITE_P(
    Steps, SinkInvokeFailingStep,
    ::testing::Values(FailingStep{"FrameIsNoWebBrowser2", FrameIsNoWebBrowser2, 0},
                      FailingStep{"DocumentRefused", DocumentRefused, 0},
                      FailingStep{"NoDocumentYet", NoDocumentYet, 0},
                      FailingStep{"DocumentIsNoCustomDoc", DocumentIsNoCustomDoc, 0},
                      FailingStep{"HandlerRefused", HandlerRefused, 1}),
    [](const ::testing::TestParamInfo<FailingStep>& info) { return std::string(info.param.name); });

TEST(BrowserSinkAttach, SubscribesItsEventInterfaceAndKeepsTheBrowser) {
    scripted::Browser browser;
    CBrowserSink sink;
    sink.AttachBrowser(&browser);
    EXPECT_EQ(static_cast<IDispatch*>(static_cast<DWebBrowserEvents2*>(&sink)), browser.subscriber);
    EXPECT_EQ(1, browser.refs.Count()) << "the sink's own reference";
    sink.DetachBrowser();
    EXPECT_EQ(std::vector<DWORD>{0x100}, browser.givenBack);
    EXPECT_EQ(nullptr, browser.subscriber);
    EXPECT_EQ(0, browser.refs.Count());
    EXPECT_EQ(1u, sink.AddRef()) << "the browser gave its reference to the sink back";
}

TEST(BrowserSinkAttach, EventsOfTheBrowserReachTheSink) {
    scripted::Browser browser;
    scripted::Document document;
    browser.document = &document;
    CBrowserSink sink;
    sink.AttachBrowser(&browser);
    EXPECT_EQ(S_OK, browser.FireNavigateComplete2(static_cast<IWebBrowser2*>(&browser), L"http://127.10.3.1/"));
    EXPECT_EQ(UiHandler(sink), document.handler);
    sink.DetachBrowser();
}

TEST(BrowserSinkAttach, SecondBrowserOnlyAfterTheFirstIsLeftAndReleased) {
    scripted::Journal journal;
    scripted::Browser first("first", &journal), second("second", &journal);
    CBrowserSink sink;
    sink.AttachBrowser(&first);
    sink.AttachBrowser(&second);
    EXPECT_EQ((scripted::Journal{"first advise 256", "first unadvise 256", "second advise 256"}), journal);
    EXPECT_EQ(0, first.refs.Count());
    EXPECT_EQ(nullptr, first.subscriber);
    EXPECT_EQ(1, second.refs.Count());
    sink.DetachBrowser();
}

TEST(BrowserSinkAttach, TheSinksEndLeavesTheBrowser) {
    scripted::Browser browser;
    {
        CBrowserSink sink;
        sink.AttachBrowser(&browser);
    }
    EXPECT_EQ(std::vector<DWORD>{0x100}, browser.givenBack);
    EXPECT_EQ(0, browser.refs.Count());
}

TEST(BrowserSinkAttach, ABrowserWithoutEventsIsKeptAndNothingGivenBack) {
    scripted::Browser browser;
    browser.answersConnectionPoints = false;
    CBrowserSink sink;
    sink.AttachBrowser(&browser);
    EXPECT_EQ(1, browser.refs.Count());
    sink.DetachBrowser();
    EXPECT_TRUE(browser.givenBack.empty());
    EXPECT_EQ(0, browser.refs.Count());
}

TEST(BrowserSinkAttach, NoBrowserLeavesTheCurrentOne) {
    scripted::Browser browser;
    CBrowserSink sink;
    sink.AttachBrowser(&browser);
    sink.AttachBrowser(nullptr);
    EXPECT_EQ(0, browser.refs.Count());
    EXPECT_EQ(nullptr, browser.subscriber);
}

}  // namespace
