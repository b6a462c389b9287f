#include "LoginStatistics.h"

#include "ClientConfig.h"
#include "Deployment.h"
#include "framework/Internet.h"
#include "framework/ProfileFile.h"
#include "logic/LoginExchange.h"

#include <windows.h>

namespace {

// The marker and the report's inputs live in the installation's ClientInfo.ini,
// whatever the current folder: a launcher started from elsewhere reports once,
// like any other, and leaves no ClientInfo.ini behind in that folder.
std::string ReadStatisticsKey(const char* key) {
    return fw::ReadProfileString(GetClientInfoPath(), "ClientInfo", key, 127);
}

}  // namespace

void SendLoginStatistics(int statHost, const std::string& account) {
    if (ReadStatisticsKey("IsSend") == "1") return;
    const std::string body =
        vantor::StatisticsBody(account, ReadStatisticsKey("Version"), ReadStatisticsKey("Channel"));

    fw::CInternetSession session("session");  // a failure here is the login's to report
    try {
        fw::CHttpConnection connection =
            session.GetHttpConnection(statHost == 1 ? VANTOR_STAT_HOST_B : VANTOR_STAT_HOST_A, 80);
        fw::CHttpFile request = connection.OpenRequest("GET", "default.aspx", INTERNET_FLAG_EXISTING_CONNECT);
        request.AddRequestHeaders("Accept: text*/*\r\nContent-Type: application/x-www-form-urlencoded",
                                  HTTP_ADDREQ_FLAG_ADD_IF_NEW);
        request.SendRequestEx(static_cast<DWORD>(body.size()));
        request.Write(body.data(), static_cast<DWORD>(body.size()));
        request.EndRequest();
        if (request.QueryStatusCode() != 200) return;
        char piece[1023];
        while (request.Read(piece, sizeof(piece)) > 0) {
        }
        fw::WriteProfileString(GetClientInfoPath(), "ClientInfo", "IsSend", "1");
    } catch (const fw::CInternetException&) {
        // The report is tried again at the next login.
    }
}
