// ConvertPayload reached late-bound, through IDispatch by name, as a script
// host would reach it; the component has no type library.
#include "encrypt_fixture.h"

namespace {

class EncryptDispatchTest : public EncryptComponentTest {
protected:
    void SetUp() override {
        EncryptComponentTest::SetUp();
        fw::ScopedComPtr<IUnknown> encrypt;
        ASSERT_EQ(S_OK, CreateLikeTheLauncher(encrypt));
        ASSERT_EQ(S_OK, encrypt->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(m_dispatch.put())));
    }
    void TearDown() override {
        m_dispatch.reset();
        EncryptComponentTest::TearDown();
    }

    DISPID IdOf(const wchar_t* name, HRESULT expected = S_OK) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = 12345;
        EXPECT_EQ(expected, m_dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
        return id;
    }

    // Invokes ConvertPayload with one argument; result holds the answer.
    HRESULT Invoke(VARIANT& argument, VARIANT& result, EXCEPINFO* exception = nullptr, UINT argumentCount = 1) {
        DISPPARAMS params = {&argument, nullptr, argumentCount, 0};
        ::VariantInit(&result);
        UINT badArgument = 0;
        return m_dispatch->Invoke(playmoor::kDispidConvertPayload, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                  &params, &result, exception, &badArgument);
    }

    fw::ScopedComPtr<IDispatch> m_dispatch;
};

std::wstring TextOf(const VARIANT& value) {
    return V_VT(&value) == VT_BSTR ? std::wstring(V_BSTR(&value), ::SysStringLen(V_BSTR(&value))) : L"<not a BSTR>";
}

}  // namespace

TEST_F(EncryptDispatchTest, NameIsFoundWhateverItsCase) {
    EXPECT_EQ(playmoor::kDispidConvertPayload, IdOf(L"ConvertPayload"));
    EXPECT_EQ(playmoor::kDispidConvertPayload, IdOf(L"CONVERTPAYLOAD"));
    EXPECT_EQ(DISPID_UNKNOWN, IdOf(L"Convert", DISP_E_UNKNOWNNAME));
}

TEST_F(EncryptDispatchTest, NoTypeInformationIsOffered) {
    UINT count = 7;
    EXPECT_EQ(S_OK, m_dispatch->GetTypeInfoCount(&count));
    EXPECT_EQ(0u, count);
}

TEST_F(EncryptDispatchTest, InvokeReturnsTheTokenAsResult) {
    VARIANT argument, result;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = ::SysAllocString(L"a,b");
    ASSERT_EQ(S_OK, Invoke(argument, result));
    EXPECT_EQ(L"PMT-3B7638", TextOf(result));
    ::VariantClear(&argument);
    ::VariantClear(&result);
}

TEST_F(EncryptDispatchTest, ArgumentIsCoercedToText) {
    VARIANT argument, result;
    V_VT(&argument) = VT_I4;
    V_I4(&argument) = 42;
    ASSERT_EQ(S_OK, Invoke(argument, result));
    EXPECT_EQ(L"PMT-6E68", TextOf(result));
    ::VariantClear(&result);
}

TEST_F(EncryptDispatchTest, FailingPayloadRaisesAnExceptionWithItsCode) {
    VARIANT argument, result;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = ::SysAllocString(L"FAIL-CONVERT");
    EXCEPINFO exception = {};
    EXPECT_EQ(DISP_E_EXCEPTION, Invoke(argument, result, &exception));
    EXPECT_EQ(E_FAIL, exception.scode);
    EXPECT_EQ(VT_EMPTY, V_VT(&result));
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    ::VariantClear(&argument);
}

TEST_F(EncryptDispatchTest, WrongArgumentCountAndUnknownMemberAreRefused) {
    VARIANT argument, result;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = ::SysAllocString(L"x");
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, Invoke(argument, result, nullptr, 0));

    DISPPARAMS params = {&argument, nullptr, 1, 0};
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, m_dispatch->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                                        &result, nullptr, nullptr));
    ::VariantClear(&argument);
}
