// CWnd and the thin control classes: a window handle with the calls the
// programs make on it. A CWnd does not own its window; the window system does.
#pragma once

#include <windows.h>
#include <string>

namespace fw {

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Binds this object to a dialog control (the programs' "subclass onto a control").
    bool Attach(HWND hwnd) { m_hWnd = hwnd; return hwnd != nullptr; }
    bool AttachDlgItem(int id, HWND parent) { return Attach(::GetDlgItem(parent, id)); }

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

    void ShowWindow(int cmd) const { ::ShowWindow(m_hWnd, cmd); }
    void MoveWindow(int x, int y, int w, int h, bool repaint = true) const {
        ::MoveWindow(m_hWnd, x, y, w, h, repaint ? TRUE : FALSE);
    }
    void SetWindowText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }
    void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE); }
    RECT GetClientRect() const { RECT r{}; ::GetClientRect(m_hWnd, &r); return r; }
    RECT GetWindowRect() const { RECT r{}; ::GetWindowRect(m_hWnd, &r); return r; }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(m_hWnd, msg, wp, lp); }
    bool PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageA(m_hWnd, msg, wp, lp) != FALSE; }

protected:
    HWND m_hWnd = nullptr;
};

class CStatic : public CWnd {};
class CButton : public CWnd {};
class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    void SetItemHeight(int index, int height) const { SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), height); }
    void SetItemDataPtr(int index, void* p) const { SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(p)); }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
};

}  // namespace fw
