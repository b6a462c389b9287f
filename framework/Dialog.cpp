#include "Dialog.h"

namespace fw {

CDialog::CDialog(UINT templateId, HWND parent)
    : m_hResourceModule(::GetModuleHandleA(nullptr)), m_nTemplateId(templateId), m_hParent(parent) {}

INT_PTR CDialog::DoModal() {
    return ::DialogBoxParamA(m_hResourceModule, MAKEINTRESOURCEA(m_nTemplateId), m_hParent, &CDialog::DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(m_hWnd, saveAndValidate);
    DoDataExchange(dx);
    return !dx.m_bFailed;
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool CDialog::OnCommand(int, int) { return false; }

void CDialog::SetDefID(int id) { SendMessage(DM_SETDEFID, static_cast<WPARAM>(id)); }

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDialog* dialog;
    if (msg == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        dialog->m_hWnd = hwnd;
        return dialog->OnInitDialog() ? TRUE : FALSE;
    }
    dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!dialog) return FALSE;
    INT_PTR handled = dialog->Dispatch(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) dialog->m_hWnd = nullptr;
    return handled;
}

// Messages whose answer a dialog procedure returns directly; every other answer
// travels in DWLP_MSGRESULT.
static bool AnswersDirectly(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

// Colour requests that a control sends about itself (lParam is the control).
static bool IsControlColourRequest(UINT msg) {
    switch (msg) {
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

COwnerDrawControl* CDialog::FindOwnerDraw(int id) const {
    auto found = m_ownerDraw.find(id);
    return found == m_ownerDraw.end() ? nullptr : found->second;
}

INT_PTR CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        auto found = m_ownerDraw.find(static_cast<int>(item->CtlID));
        if (found == m_ownerDraw.end()) break;
        found->second->DrawItem(*item);
        return TRUE;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        auto found = m_ownerDraw.find(static_cast<int>(item->CtlID));
        if (found == m_ownerDraw.end()) break;
        found->second->MeasureItem(*item);
        return TRUE;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        COwnerDrawControl* sender = lParam ? FindOwnerDraw(id) : nullptr;
        if (sender && sender->OnReflectedCommand(code)) return TRUE;
        if (OnCommand(id, code)) return TRUE;
        if (id == IDOK && code == BN_CLICKED) { OnOK(); return TRUE; }
        if (id == IDCANCEL && code == BN_CLICKED) { OnCancel(); return TRUE; }
        return FALSE;
    }
    default:
        break;
    }
    LRESULT result = 0;
    if (!OnMessage(msg, wParam, lParam, result)) {
        if (!IsControlColourRequest(msg)) return FALSE;
        COwnerDrawControl* control = FindOwnerDraw(::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        return control ? reinterpret_cast<INT_PTR>(control->OnReflectedCtlColor(reinterpret_cast<HDC>(wParam))) : FALSE;
    }
    if (AnswersDirectly(msg)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace fw
