// A modal dialog built from a dialog resource, with one dispatch point for its
// messages. Derived dialogs override OnMessage for the messages they answer and
// OnCommand for control notifications; the rest gets the default processing.
#pragma once

#include "DataExchange.h"
#include "Wnd.h"

#include <map>

namespace fw {

// A control that draws itself when its dialog receives WM_DRAWITEM for it.
class COwnerDrawControl {
public:
    virtual ~COwnerDrawControl() = default;
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
    virtual void MeasureItem(MEASUREITEMSTRUCT&) {}
    // Notifications and colour requests the control sends its dialog, handed
    // back to the control so that it keeps its own look. A command the control
    // consumes (true) does not reach the dialog; a null brush leaves the
    // colours to the dialog's default.
    virtual bool OnReflectedCommand(int /*notifyCode*/) { return false; }
    virtual HBRUSH OnReflectedCtlColor(HDC) { return nullptr; }
};

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);

    // Runs the dialog until EndDialog; returns its result (-1 when it could not be created).
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

protected:
    // Called for WM_INITDIALOG; fills the controls through DoDataExchange.
    // Returns true to let the system place the input focus.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange&) {}
    // Moves data between the controls and the members; false when a check refused it.
    bool UpdateData(bool saveAndValidate = true);

    // Enter without a default button and the OK button: reads the data and ends with IDOK.
    virtual void OnOK();
    // Escape, the close box and WM_CLOSE: ends with IDCANCEL.
    virtual void OnCancel();

    // Answers a message and returns true, or returns false for default processing.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A WM_COMMAND from a control, menu or accelerator; true when handled.
    virtual bool OnCommand(int id, int notifyCode);

    // The button that Enter activates; 0 leaves no default button.
    void SetDefID(int id);

    // Hands WM_DRAWITEM and WM_MEASUREITEM of control id to the control object,
    // and reflects its notifications and, when the dialog does not answer
    // them itself, its colour requests.
    void AddOwnerDraw(int id, COwnerDrawControl* control) { m_ownerDraw[id] = control; }

    HINSTANCE m_hResourceModule;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    COwnerDrawControl* FindOwnerDraw(int id) const;

    UINT m_nTemplateId;
    HWND m_hParent;
    std::map<int, COwnerDrawControl*> m_ownerDraw;
};

}  // namespace fw
