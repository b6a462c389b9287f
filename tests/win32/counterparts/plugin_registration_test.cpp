// PlaymoorPlugin.dll: regsvr32's two calls register and remove one class;
// nothing can be created from it.
#include "PlaymoorPluginIds.h"
#include "component_registry.h"

#include <gtest/gtest.h>
#include <objbase.h>

namespace {

class PluginRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dll.loaded()) << "PlaymoorPlugin.dll did not load"; }
    void TearDown() override { m_dll.Unregister(); }

    ComponentDll m_dll{VANTOR_PLUGIN_DLL};
};

}  // namespace

TEST_F(PluginRegistrationTest, RegistersItsOwnPathAndUnregisterRemovesTheClass) {
    const std::wstring classKey = ClassKeyPath(playmoor::kClsidPlaymoorPlugin);
    ASSERT_EQ(S_OK, m_dll.Register());
    EXPECT_EQ(m_dll.path(), ReadMachineText(classKey + L"\\InprocServer32", nullptr).value_or(L"<missing>"));
    EXPECT_EQ(L"Apartment", ReadMachineText(classKey + L"\\InprocServer32", L"ThreadingModel").value_or(L"<missing>"));

    ASSERT_EQ(S_OK, m_dll.Unregister());
    EXPECT_FALSE(MachineKeyExists(classKey));
}

TEST_F(PluginRegistrationTest, RegisteredClassCannotBeCreated) {
    ASSERT_EQ(S_OK, m_dll.Register());
    void* factory = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, m_dll.GetClassObject(playmoor::kClsidPlaymoorPlugin, IID_IClassFactory, &factory));
    EXPECT_EQ(nullptr, factory);

    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    IUnknown* object = nullptr;
    EXPECT_TRUE(FAILED(::CoCreateInstance(playmoor::kClsidPlaymoorPlugin, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                          reinterpret_cast<void**>(&object))));
    EXPECT_EQ(nullptr, object);
    ::CoUninitialize();
}
