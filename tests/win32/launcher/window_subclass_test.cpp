// The framework's window subclassing and the dialog's reflection of control
// notifications and colour requests back to the control objects.
#include "framework/WindowSubclass.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls_test_ids.h"
#include "controls_test_support.h"

namespace {

const UINT kAsk = WM_APP + 7;  // a message only the subclass answers

class CRecorder : public fw::CWindowSubclass {
public:
    std::vector<UINT> seen;
    LRESULT answer = 42;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(msg);
        if (msg == kAsk) return answer;
        return DefaultProc(msg, wParam, lParam);
    }
};

HWND MakeStatic(const char* text) {
    return ::CreateWindowExA(0, "STATIC", text, WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                             nullptr);
}

bool Saw(const CRecorder& r, UINT msg) { return std::find(r.seen.begin(), r.seen.end(), msg) != r.seen.end(); }

}  // namespace

TEST(WindowSubclass, SeesMessagesFirstAndLeavesTheRestToTheClass) {
    HWND window = MakeStatic("four");
    CRecorder recorder;
    ASSERT_TRUE(recorder.Subclass(window));
    EXPECT_EQ(42, ::SendMessageA(window, kAsk, 0, 0));
    EXPECT_EQ(4, ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) << "the class's own answer";
    EXPECT_TRUE(Saw(recorder, WM_GETTEXTLENGTH));
    ::DestroyWindow(window);
}

TEST(WindowSubclass, RefusesNoWindowAndASecondWindow) {
    HWND first = MakeStatic("a"), second = MakeStatic("b");
    CRecorder recorder;
    EXPECT_FALSE(recorder.Subclass(nullptr));
    ASSERT_TRUE(recorder.Subclass(first));
    EXPECT_FALSE(recorder.Subclass(second));
    EXPECT_EQ(first, recorder.GetSubclassedHwnd());
    ::DestroyWindow(first);
    ::DestroyWindow(second);
}

TEST(WindowSubclass, TwoObjectsOnOneWindowBothSeeItsMessages) {
    HWND window = MakeStatic("two");
    CRecorder inner, outer;
    inner.answer = 1;
    ASSERT_TRUE(inner.Subclass(window));
    ASSERT_TRUE(outer.Subclass(window));
    EXPECT_EQ(3, ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_TRUE(Saw(inner, WM_GETTEXTLENGTH));
    EXPECT_TRUE(Saw(outer, WM_GETTEXTLENGTH));
    outer.Unsubclass();
    EXPECT_EQ(1, ::SendMessageA(window, kAsk, 0, 0)) << "the other one still holds the window";
    ::DestroyWindow(window);
}

TEST(WindowSubclass, ObjectGoingFirstGivesTheWindowBack) {
    HWND window = MakeStatic("back");
    {
        CRecorder recorder;
        ASSERT_TRUE(recorder.Subclass(window));
    }
    EXPECT_EQ(0, ::SendMessageA(window, kAsk, 0, 0)) << "no subclass answers any more";
    EXPECT_EQ(4, ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    ::DestroyWindow(window);
}

TEST(WindowSubclass, WindowGoingFirstReleasesTheObject) {
    CRecorder recorder;
    HWND window = MakeStatic("gone");
    ASSERT_TRUE(recorder.Subclass(window));
    ::DestroyWindow(window);
    EXPECT_TRUE(Saw(recorder, WM_NCDESTROY));
    EXPECT_EQ(nullptr, recorder.GetSubclassedHwnd());
    HWND next = MakeStatic("next");
    EXPECT_TRUE(recorder.Subclass(next)) << "free for another window";
    ::DestroyWindow(next);
}

namespace {

class CReflected : public fw::COwnerDrawControl {
public:
    void DrawItem(const DRAWITEMSTRUCT&) override {}
    bool OnReflectedCommand(int notifyCode) override {
        codes.push_back(notifyCode);
        return consume;
    }
    HBRUSH OnReflectedCtlColor(HDC) override { return brush; }

    std::vector<int> codes;
    bool consume = false;
    HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
};

using Host = controlstest::CHostDialog<fw::CDialog>;

LRESULT SendColourRequest(const Host& host, int id, HDC dc) {
    return ::SendMessageA(host.hwnd(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(::GetDlgItem(host.hwnd(), id)));
}

void Notify(const Host& host, int id, int code) {
    ::SendMessageA(host.hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(host.hwnd(), id)));
}

}  // namespace

TEST(DialogReflection, NotificationsReachTheControlThenTheDialogUnlessConsumed) {
    CReflected control;
    Host host(
        IDD_LIST_HOST, [&control](Host& h) { h.AddOwnerDraw(IDC_PLAIN_LIST, &control); },
        [&control](Host& h) {
            h.commands.clear();
            control.codes.clear();
            Notify(h, IDC_PLAIN_LIST, LBN_SELCHANGE);
            EXPECT_EQ(std::vector<int>{LBN_SELCHANGE}, control.codes);
            EXPECT_EQ(std::vector<int>{LBN_SELCHANGE}, h.commands);
            control.consume = true;
            Notify(h, IDC_PLAIN_LIST, LBN_DBLCLK);
            EXPECT_EQ(1u, h.commands.size()) << "a consumed notification stays with the control";
            h.commands.clear();
            Notify(h, IDC_PLAIN_STATIC, STN_CLICKED);
            EXPECT_EQ(2u, control.codes.size()) << "other controls' notifications are not reflected";
            EXPECT_EQ(std::vector<int>{STN_CLICKED}, h.commands);
        });
    host.Run();
}

TEST(DialogReflection, ColourRequestsReachTheControlWhenTheDialogLeavesThem) {
    CReflected control;
    Host host(
        IDD_LIST_HOST, [&control](Host& h) { h.AddOwnerDraw(IDC_PLAIN_LIST, &control); },
        [&control](Host& h) {
            controlstest::Canvas canvas(2, 2, RGB(0, 0, 0));
            EXPECT_EQ(reinterpret_cast<LRESULT>(control.brush), SendColourRequest(h, IDC_PLAIN_LIST, canvas.dc()));
            const auto dialogsOwn = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
            h.ownColourAnswer = dialogsOwn;
            EXPECT_EQ(reinterpret_cast<LRESULT>(dialogsOwn), SendColourRequest(h, IDC_PLAIN_LIST, canvas.dc()))
                << "the dialog's own answer comes first";
            h.ownColourAnswer = nullptr;
            control.brush = nullptr;
            EXPECT_NE(0, SendColourRequest(h, IDC_PLAIN_LIST, canvas.dc())) << "the default colours";
        });
    host.Run();
}
