#include "skin_test_support.h"

namespace skintest {

HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int x, int y)>& colour) {
    void* bits = nullptr;
    HBITMAP bitmap = wintest::CreateTopDownBitmap(width, height, &bits);
    if (!bitmap) return nullptr;
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    return bitmap;
}

std::vector<Received>& Log() {
    static std::vector<Received> log;
    return log;
}

std::vector<Received> Logged(UINT msg) {
    std::vector<Received> out;
    for (const Received& r : Log())
        if (r.msg == msg) out.push_back(r);
    return out;
}

namespace {

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND || msg == WM_CLOSE || msg == WM_SYSCOMMAND) {
        Log().push_back(Received{msg, wParam, lParam});
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char* RecordingClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "SkinTestRecorder";
        ::RegisterClassA(&wc);
        return "SkinTestRecorder";
    }();
    return name;
}

}  // namespace

HWND MakeRecordingWindow(int width, int height, DWORD style) {
    return ::CreateWindowExA(0, RecordingClass(), "", style, 0, 0, width, height, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

HWND MakeChild(HWND parent, const char* windowClass, int id, int width, int height, const char* text) {
    return ::CreateWindowExA(0, windowClass, text, WS_CHILD, 0, 0, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
}

}  // namespace skintest
