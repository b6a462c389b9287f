// PlaymoorEncrypt.dll registered for one test, in a COM apartment, and made
// the way the launcher makes it.
#pragma once

#include "PlaymoorEncryptIds.h"
#include "component_registry.h"
#include "framework/ScopedHandles.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>

class EncryptComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dll.loaded()) << "PlaymoorEncrypt.dll did not load";
        ASSERT_EQ(S_OK, m_dll.Register());
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        m_apartment = true;
    }
    void TearDown() override {
        if (m_apartment) ::CoUninitialize();
        m_dll.Unregister();
    }

    // CoCreateInstance with every server context, OleRun, then the interface.
    HRESULT CreateLikeTheLauncher(fw::ScopedComPtr<IUnknown>& encrypt) {
        fw::ScopedComPtr<IUnknown> object;
        HRESULT hr = ::CoCreateInstance(playmoor::kClsidPlaymoorEncrypt, nullptr,
                                        CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                            CLSCTX_REMOTE_SERVER,
                                        IID_IUnknown, reinterpret_cast<void**>(object.put()));
        if (SUCCEEDED(hr)) hr = ::OleRun(object.get());
        if (SUCCEEDED(hr))
            hr = object->QueryInterface(playmoor::kIidPlaymoorEncrypt, reinterpret_cast<void**>(encrypt.put()));
        return hr;
    }

    ComponentDll m_dll{VANTOR_ENCRYPT_DLL};
    bool m_apartment = false;
};
