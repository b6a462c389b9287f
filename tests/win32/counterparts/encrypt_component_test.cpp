// PlaymoorEncrypt.dll as the launcher uses it: registered by its own
// DllRegisterServer, created with every server context, OleRun, the
// interface, and ConvertPayload called through the eighth table entry.
#include "encrypt_fixture.h"
#include "framework/BstrText.h"

#include <olectl.h>

namespace {

// The function table as the launcher indexes it, without the C++ declaration.
struct EncryptFunctionTable {
    void* unknown[3];
    void* dispatch[4];
    HRESULT(STDMETHODCALLTYPE* ConvertPayload)(IUnknown* self, BSTR payload, BSTR* token);
};

HRESULT CallEighthEntry(IUnknown* encrypt, BSTR payload, BSTR* token) {
    const EncryptFunctionTable* table = *reinterpret_cast<EncryptFunctionTable**>(encrypt);
    return table->ConvertPayload(encrypt, payload, token);
}

class ConvertPayloadTest : public EncryptComponentTest {
protected:
    void SetUp() override {
        EncryptComponentTest::SetUp();
        ASSERT_EQ(S_OK, CreateLikeTheLauncher(m_encrypt));
    }
    void TearDown() override {
        m_encrypt.reset();
        EncryptComponentTest::TearDown();
    }

    // ANSI in, ANSI out, the launcher's conversions both ways.
    std::string Convert(const std::string& payload, HRESULT expected = S_OK) {
        fw::ScopedBstr input(fw::AnsiToBstr(payload));
        fw::ScopedBstr token;
        EXPECT_EQ(expected, CallEighthEntry(m_encrypt.get(), input.get(), token.put()));
        return fw::BstrToAnsi(token.get());
    }

    fw::ScopedComPtr<IUnknown> m_encrypt;
};

}  // namespace

// ---- creation ---------------------------------------------------------------

TEST_F(EncryptComponentTest, CreatedInProcessWithEveryServerContextRunAndQueried) {
    fw::ScopedComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, ::CoCreateInstance(playmoor::kClsidPlaymoorEncrypt, nullptr,
                                       CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                           CLSCTX_REMOTE_SERVER,
                                       IID_IUnknown, reinterpret_cast<void**>(object.put())));
    fw::ScopedComPtr<IUnknown> runnable;
    EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(IID_IRunnableObject, reinterpret_cast<void**>(runnable.put())));
    EXPECT_EQ(S_OK, ::OleRun(object.get())) << "an object without IRunnableObject counts as running";
    fw::ScopedComPtr<IUnknown> encrypt;
    EXPECT_EQ(S_OK, object->QueryInterface(playmoor::kIidPlaymoorEncrypt, reinterpret_cast<void**>(encrypt.put())));
}

TEST_F(EncryptComponentTest, ModuleStaysInUseWhileAnObjectLives) {
    fw::ScopedComPtr<IUnknown> encrypt;
    ASSERT_EQ(S_OK, CreateLikeTheLauncher(encrypt));
    EXPECT_EQ(S_FALSE, m_dll.CanUnloadNow());
    encrypt.reset();
    EXPECT_EQ(S_OK, m_dll.CanUnloadNow());
}

TEST_F(EncryptComponentTest, FactoryRefusesAggregationAndOtherClasses) {
    fw::ScopedComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, m_dll.GetClassObject(playmoor::kClsidPlaymoorEncrypt, IID_IClassFactory,
                                         reinterpret_cast<void**>(factory.put())));
    IUnknown* outer = factory.get();  // any object will do as the would-be outer one
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer, IID_IUnknown, &object));
    EXPECT_EQ(nullptr, object);

    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, m_dll.GetClassObject(IID_IDispatch, IID_IClassFactory, &other));
    EXPECT_EQ(nullptr, other);
}

// ---- registration -----------------------------------------------------------

TEST_F(EncryptComponentTest, RegistersItsOwnPathAsApartmentInProcessServer) {
    const std::wstring server = ClassKeyPath(playmoor::kClsidPlaymoorEncrypt, L"InprocServer32");
    EXPECT_EQ(m_dll.path(), ReadMachineText(server, nullptr).value_or(L"<missing>"));
    EXPECT_EQ(L"Apartment", ReadMachineText(server, L"ThreadingModel").value_or(L"<missing>"));
    EXPECT_EQ(L"PlaymoorEncrypt",
              ReadMachineText(ClassKeyPath(playmoor::kClsidPlaymoorEncrypt), nullptr).value_or(L"<missing>"));
}

TEST_F(EncryptComponentTest, UnregisterRemovesTheClassAndCreationThenFails) {
    ASSERT_EQ(S_OK, m_dll.Unregister());
    EXPECT_FALSE(MachineKeyExists(ClassKeyPath(playmoor::kClsidPlaymoorEncrypt)));
    EXPECT_EQ(S_OK, m_dll.Unregister()) << "unregistering twice is not an error";

    fw::ScopedComPtr<IUnknown> encrypt;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CreateLikeTheLauncher(encrypt));
}

TEST_F(EncryptComponentTest, RegisteringTwiceKeepsOneRegistration) {
    ASSERT_EQ(S_OK, m_dll.Register());
    EXPECT_EQ(m_dll.path(), ReadMachineText(ClassKeyPath(playmoor::kClsidPlaymoorEncrypt, L"InprocServer32"), nullptr)
                                .value_or(L"<missing>"));
    ASSERT_EQ(S_OK, m_dll.Unregister());
    EXPECT_FALSE(MachineKeyExists(ClassKeyPath(playmoor::kClsidPlaymoorEncrypt)));
}

// ---- ConvertPayload through the eighth entry --------------------------------

TEST_F(ConvertPayloadTest, AsciiTicketGivesItsToken) {
    EXPECT_EQ("PMT-0C0E6B742A363B233F286B746B6D6A6A6A6A6A6A6A6A746A3B6B386839693E746A6B68696E6F6C6D62633B38393E3F3C",
              Convert("VT1.player1.1700000000.0a1b2c3d.0123456789abcdef"));
    EXPECT_EQ("PMT-3B7638", Convert("a,b")) << "commas are payload like any other character";
}

TEST_F(ConvertPayloadTest, GbkPayloadIsWidenedFromCodePage936) {
    ASSERT_EQ(936u, ::GetACP()) << "run with LC_ALL=zh_CN.UTF-8";
    // 玩家票据 in GBK; the token carries its UTF-8 form.
    EXPECT_EQ("PMT-BDD4F3BFF4ECBDFFF2BCD7F4", Convert("\xcd\xe6\xbc\xd2\xc6\xb1\xbe\xdd"));
}

TEST_F(ConvertPayloadTest, EmptyPayloadGivesThePrefixAlone) {
    EXPECT_EQ("PMT-", Convert(""));

    fw::ScopedBstr token;
    EXPECT_EQ(S_OK, CallEighthEntry(m_encrypt.get(), nullptr, token.put())) << "a null BSTR is the empty text";
    EXPECT_EQ("PMT-", fw::BstrToAnsi(token.get()));
}

TEST_F(ConvertPayloadTest, LongestPayloadTheLauncherSendsGivesTwoDigitsPerByte) {
    const std::string token = Convert(std::string(255, 'Z'));
    EXPECT_EQ(4u + 2 * 255, token.size());
    EXPECT_EQ("PMT-0000", token.substr(0, 8)) << "'Z' is 0x5A, the key itself";
}

TEST_F(ConvertPayloadTest, MagicPayloadFailsWithoutToken) {
    fw::ScopedBstr input(::SysAllocString(L"FAIL-CONVERT"));
    BSTR token = reinterpret_cast<BSTR>(static_cast<INT_PTR>(1));
    EXPECT_EQ(E_FAIL, CallEighthEntry(m_encrypt.get(), input.get(), &token));
    EXPECT_EQ(nullptr, token);
}

TEST_F(ConvertPayloadTest, OnlyTheExactMagicPayloadFails) {
    EXPECT_EQ("PMT-3C3B3336773935342C3F282E", Convert("fail-convert"));
    EXPECT_EQ(4u + 2 * 13, Convert("FAIL-CONVERT ").size());
    EXPECT_EQ(4u + 2 * 11, Convert("FAIL-CONVER").size());
}

TEST_F(ConvertPayloadTest, NullTokenPointerIsRefused) {
    fw::ScopedBstr input(::SysAllocString(L"x"));
    EXPECT_EQ(E_POINTER, CallEighthEntry(m_encrypt.get(), input.get(), nullptr));
}

TEST_F(ConvertPayloadTest, DeclaredInterfaceReachesTheSameEntry) {
    auto* encrypt = static_cast<playmoor::IPlaymoorEncrypt*>(static_cast<IUnknown*>(m_encrypt.get()));
    fw::ScopedBstr input(::SysAllocString(L"42"));
    fw::ScopedBstr token;
    ASSERT_EQ(S_OK, encrypt->ConvertPayload(input.get(), token.put()));
    EXPECT_EQ("PMT-6E68", fw::BstrToAnsi(token.get()));
}
