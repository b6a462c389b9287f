#include "logic/WebViewAddresses.h"

namespace vantor {

std::string NoticePageAddress(const std::string& gameSite) { return "http://" + gameSite + "/clienttemp.html"; }

std::string BannerPageAddress(const std::string& gameSite) { return "http://" + gameSite + "/clienttemp2.html"; }

std::string LoginPageAddress(const std::string& loginHost) { return "https://" + loginHost + "/loginclienttemp.htm"; }

std::string SkeinConfirmAddress(const std::string& loginHost) {
    return "https://" + loginHost + "/SkeinIPConfirm.html";
}

bool IsClientCloseAddress(const std::string& address, const std::string& loginHost) {
    return address == "https://" + loginHost + "/clientclose.html";
}

}  // namespace vantor
