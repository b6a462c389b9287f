// The addresses the launcher's web views load and the one the login page view
// watches for. Host names come from the deployment; the paths are fixed by the
// operator's web site.
#pragma once

#include <string>

namespace vantor {

// The notice view's page on the game site: "http://<site>/clienttemp.html".
std::string NoticePageAddress(const std::string& gameSite);

// The banner strip's page on the game site: "http://<site>/clienttemp2.html".
std::string BannerPageAddress(const std::string& gameSite);

// The Skein panel's first page: "https://<host>/loginclienttemp.htm".
std::string LoginPageAddress(const std::string& loginHost);

// The Skein panel's second page: "https://<host>/SkeinIPConfirm.html".
std::string SkeinConfirmAddress(const std::string& loginHost);

// Whether the login page view has reached the page that ends the launcher:
// "https://<host>/clientclose.html" byte for byte, so a query string, a
// fragment, another scheme or letter case does not count.
bool IsClientCloseAddress(const std::string& address, const std::string& loginHost);

}  // namespace vantor
