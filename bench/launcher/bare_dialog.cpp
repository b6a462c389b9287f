// The floor under the launcher's start: an empty dialog of the launcher's
// size made from a template in memory, with no resources, controls or work of
// its own. run_bench.py times it from process start to its window shown, the
// same way as the launcher, so the difference is what the launcher does.
#include <windows.h>

namespace {

const wchar_t kTitle[] = L"bare dialog";

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowPos(dialog, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) EndDialog(dialog, 0);
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // DLGTEMPLATE, then the menu, class and title arrays, all WORD-aligned.
    struct {
        DLGTEMPLATE header;
        WORD menu;
        WORD windowClass;
        wchar_t title[sizeof kTitle / sizeof kTitle[0]];
    } templ = {};
    templ.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    templ.header.cx = 400;
    templ.header.cy = 267;
    for (size_t i = 0; i < sizeof kTitle / sizeof kTitle[0]; ++i) templ.title[i] = kTitle[i];
    return static_cast<int>(DialogBoxIndirectParamW(instance, &templ.header, nullptr, BareDialogProc, 0));
}
