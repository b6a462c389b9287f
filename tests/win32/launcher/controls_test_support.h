// Hosts for the launcher control tests: a modal dialog that runs a test body
// once it is up, canvases to paint into, and bitmap comparison.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "framework/Dialog.h"
#include "Canvas.h"
#include "framework/Gdi.h"

namespace controlstest {

// Runs `body` inside a modal dialog of class Base (a fw::CDialog with a
// (template, parent) constructor) after its initialisation, then ends it.
template <class Base>
class CHostDialog : public Base {
public:
    using Step = std::function<void(CHostDialog&)>;
    CHostDialog(UINT templateId, Step setUp, Step body)
        : Base(templateId, nullptr), m_setUp(std::move(setUp)), m_body(std::move(body)) {}

    void Run() { this->DoModal(); }
    HWND hwnd() const { return this->m_hWnd; }
    using Base::AddOwnerDraw;
    using Base::OnMessage;

    // What OnCommand saw, and the colour answer the dialog gives itself.
    std::vector<int> commands;
    HBRUSH ownColourAnswer = nullptr;

protected:
    bool OnInitDialog() override {
        Base::OnInitDialog();
        if (m_setUp) m_setUp(*this);
        this->PostMessage(WM_APP);
        return true;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (msg == WM_APP) {
            m_body(*this);
            this->EndDialog(IDOK);
            return true;
        }
        if (msg == WM_CTLCOLORLISTBOX && ownColourAnswer) {
            result = reinterpret_cast<LRESULT>(ownColourAnswer);
            return true;
        }
        return Base::OnMessage(msg, wParam, lParam, result);
    }
    bool OnCommand(int id, int notifyCode) override {
        commands.push_back(notifyCode);
        return Base::OnCommand(id, notifyCode);
    }

private:
    Step m_setUp, m_body;
};

using wintest::Canvas;

// The pixel of a bitmap resource of the test program.
COLORREF ResourcePixel(UINT id, int x, int y);
COLORREF ResourcePixel(const char* name, int x, int y);

// Whether the canvas shows the bitmap unscaled at (x, y): every pixel of it.
bool ShowsBitmap(const Canvas& canvas, HBITMAP bitmap, int x, int y);

}  // namespace controlstest
