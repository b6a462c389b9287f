#include "web/Explorer1.h"

#include "framework/AxHost.h"
#include "framework/BstrText.h"

namespace {

const DISPID kDispidNavigate = 104;
const DISPID kDispidLocationURL = 211;

// VARIANT owner for the results of dispatch calls.
class ScopedVariant {
public:
    ScopedVariant() { ::VariantInit(&m_value); }
    ~ScopedVariant() { ::VariantClear(&m_value); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT* get() { return &m_value; }

private:
    VARIANT m_value;
};

}  // namespace

const char CExplorer1::kClassIdText[] = "{8856F961-340A-11D0-A96B-00C04FD705A2}";

bool CExplorer1::Create(HWND parent, const RECT& place, int id, DWORD style) {
    HWND host = ::CreateWindowExA(0, "AtlAxWin", kClassIdText, style, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                  nullptr);
    if (!host) return false;
    fw::ScopedComPtr<IUnknown> control(fw::AxHostGetControl(host));
    AttachControl(host, control.get());
    return static_cast<bool>(m_control);
}

bool CExplorer1::AttachDlgItem(int id, HWND dialog) {
    HWND host = ::GetDlgItem(dialog, id);
    fw::ScopedComPtr<IUnknown> control(fw::AxHostGetControl(host));
    AttachControl(host, control.get());
    return static_cast<bool>(m_control);
}

void CExplorer1::AttachControl(HWND window, IUnknown* control) {
    Attach(window);
    m_control.reset();
    if (control) control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(m_control.put()));
}

void CExplorer1::Detach() {
    m_control.reset();
    m_hWnd = nullptr;
}

IUnknown* CExplorer1::GetControlUnknown() const {
    if (!m_control) return nullptr;
    IUnknown* unknown = nullptr;
    if (FAILED(m_control->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)))) return nullptr;
    return unknown;
}

HRESULT CExplorer1::Navigate(const std::string& address) const {
    if (!m_control) return E_NOINTERFACE;
    fw::ScopedBstr url(fw::AnsiToBstr(address));
    if (!url.get()) return E_OUTOFMEMORY;
    // Dispatch arguments run last to first: the address is the last entry.
    VARIANT args[5];
    for (VARIANT& absent : args) {
        ::VariantInit(&absent);
        V_VT(&absent) = VT_ERROR;
        V_ERROR(&absent) = DISP_E_PARAMNOTFOUND;
    }
    V_VT(&args[4]) = VT_BSTR;
    V_BSTR(&args[4]) = url.get();
    DISPPARAMS params{args, nullptr, 5, 0};
    return m_control->Invoke(kDispidNavigate, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                             nullptr, nullptr);
}

std::string CExplorer1::GetLocationURL() const {
    if (!m_control) return std::string();
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ScopedVariant result;
    HRESULT hr = m_control->Invoke(kDispidLocationURL, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                   result.get(), nullptr, nullptr);
    if (FAILED(hr) || V_VT(result.get()) != VT_BSTR) return std::string();
    return fw::BstrToAnsi(V_BSTR(result.get()));
}
