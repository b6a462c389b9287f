#include "LastError.h"

#include "framework/SystemError.h"
#include "text/GbkText.h"

#include <windows.h>

#include <cstring>

namespace trustfit {

ErrorText FormatLastError() {
    const DWORD code = ::GetLastError();
    // The system allocates the text, so that a long one is cut here instead of lost.
    const std::string message = fw::SystemMessage(code);
    ErrorText text{};
    std::memcpy(text.data(), message.data(),
                vantor::WholeCharacterPrefix(message.data(), message.size(), text.size() - 1));
    ::SetLastError(code);
    return text;
}

}  // namespace trustfit
