#include "PasswordProtection.h"

#include "framework/BstrText.h"
#include "framework/MessageBox.h"
#include "framework/ScopedHandles.h"

#include <ole2.h>

// The component's dual interface: after IUnknown's three entries and
// IDispatch's four, the eighth entry is ConvertPayload. It stays outside the
// anonymous namespace: an interface with internal linkage and no implementation
// in this file lets the compiler conclude that the pure method is the only
// target and replace the call by a call to address zero.
struct IPlaymoorEncrypt : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE ConvertPayload(BSTR payload, BSTR* token) = 0;
};

namespace {

const CLSID kClsidPlaymoorEncrypt = {0xC47F5BD3, 0x0E04, 0x41C5, {0xA4, 0x17, 0xFA, 0x45, 0x3F, 0x5E, 0xE3, 0xBE}};
const IID kIidPlaymoorEncrypt = {0x4F3642D1, 0x5AFF, 0x499A, {0x92, 0xDA, 0x8D, 0x3A, 0xEF, 0x5E, 0xE3, 0x2B}};

// COM for this thread, for the length of one conversion.
class ComApartment {
public:
    ComApartment() : m_initialised(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComApartment() { if (m_initialised) ::CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_initialised;
};

}  // namespace

ConversionResult ConvertLoginPayload(const std::string& payload, std::string& token) {
    token.clear();
    ComApartment apartment;

    fw::ScopedComPtr<IPlaymoorEncrypt> encrypt;
    {
        fw::ScopedComPtr<IUnknown> object;
        HRESULT hr = ::CoCreateInstance(kClsidPlaymoorEncrypt, nullptr,
                                        CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                            CLSCTX_REMOTE_SERVER,
                                        IID_IUnknown, reinterpret_cast<void**>(object.put()));
        if (SUCCEEDED(hr)) hr = ::OleRun(object.get());
        if (SUCCEEDED(hr)) hr = object->QueryInterface(kIidPlaymoorEncrypt, reinterpret_cast<void**>(encrypt.put()));
        if (FAILED(hr)) encrypt.reset();
    }
    if (!encrypt) {
        fw::AfxMessageBox("创建对象PlaymoorEncrypt失败，请将游戏目录下的PlaymoorEncrypt.dll复制到系统目录system32目录下，并完成注册！");
        return ConversionResult::Unavailable;
    }

    fw::ScopedBstr input(fw::AnsiToBstr(payload));
    fw::ScopedBstr output;
    HRESULT hr = encrypt->ConvertPayload(input.get(), output.put());
    if (FAILED(hr)) return ConversionResult::CallFailed;
    token = fw::BstrToAnsi(output.get());
    return ConversionResult::Converted;
}
