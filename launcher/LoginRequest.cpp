// The login: the button's checks, the form posted to the chosen location's
// login host over HTTPS, the reply's message or, on success, the statistics
// report, the game token and the start of the game. All on the UI thread.
#include "LoginDlg.h"

#include "LoginStatistics.h"
#include "PasswordProtection.h"
#include "ProcessStart.h"
#include "framework/Internet.h"
#include "framework/MessageBox.h"
#include "framework/ModuleFolder.h"
#include "logic/LoginExchange.h"

namespace {

// The key table of the form: nothing in the launcher changes it.
int g_nLoginKeys[8] = {0, 0, 0, 0, 0, 0, 0, 0};
int g_nLoginRand = 0;

const char kExchangeFailed[] = "出现错误，登录失败";
const char kReplyFailed[] = "出现错误，登录失败!";

const char* MessageOf(vantor::LoginOutcome outcome) {
    switch (outcome) {
    case vantor::LoginOutcome::WrongCredentials: return "用户名或密码错误，请重新输入";
    case vantor::LoginOutcome::Maintenance: return "系统维护中，暂时停止登录。";
    case vantor::LoginOutcome::Disabled: return "您已经被管理员禁用，请联系管理员。";
    case vantor::LoginOutcome::MissingField: return "请输入用户名和密码";
    case vantor::LoginOutcome::BadUserName: return "用户名的格式不正确，请输入正确的用户名。";
    case vantor::LoginOutcome::Locked:
        return "您已经连续5次登录时将用户名与密码输入错误,为了防止有人正在暴力破解您的帐号,"
               "系统将锁定您的帐号3分钟,请您3分钟以后再尝试登录!";
    default: return kReplyFailed;
    }
}

// The wait cursor for as long as the object lives.
class WaitCursor {
public:
    WaitCursor() : m_previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_previous ? m_previous : ::LoadCursorA(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

}  // namespace

void CLoginDlg::OnLoginButton() {
    // The button is hidden during the check but is the default one, so Enter
    // reaches here; neither a server confirmation nor a login may come first.
    if (!m_bCheckReported) return;
    if (!g_bServerChosen) {
        ConfirmServer();
        return;
    }
    if (!UpdateData(true)) return;
    if (m_strUserName.empty()) {
        fw::AfxMessageBox("请输入用户名");
        return;
    }
    if (m_strPassword.empty()) {
        fw::AfxMessageBox("请输入密码");
        return;
    }
    SendLoginRequest();
}

void CLoginDlg::SendLoginRequest() {
    const vantor::LocationInfo* location = SelectedLocation(m_listServer);
    if (!location) return;  // confirmed servers stay selected; nothing to post to otherwise
    const std::string body = vantor::LoginFormBody(m_strUserName, m_strPassword, g_nLoginKeys, g_nLoginRand);

    std::string reply;
    try {
        fw::CInternetSession session("session");
        fw::CHttpConnection connection =
            session.GetHttpConnection(location->Host, static_cast<INTERNET_PORT>(location->Port));
        fw::CHttpFile request =
            connection.OpenRequest("POST", location->Func, INTERNET_FLAG_SECURE | INTERNET_FLAG_NO_AUTO_REDIRECT);
        request.AddRequestHeaders("Accept: text*/*\r\nContent-Type: application/x-www-form-urlencoded",
                                  HTTP_ADDREQ_FLAG_ADD_IF_NEW);
        {
            WaitCursor wait;
            request.SendRequestEx(static_cast<DWORD>(body.size()));
            request.Write(body.data(), static_cast<DWORD>(body.size()));
            request.EndRequest();
        }
        if (request.QueryStatusCode() != 200) {
            fw::AfxMessageBox(kExchangeFailed);
            return;
        }
        char piece[1023];
        while (DWORD read = request.Read(piece, sizeof(piece))) reply.append(piece, read);

        const vantor::LoginReply answer = vantor::ReadLoginReply(reply);
        if (answer.outcome != vantor::LoginOutcome::Success) {
            fw::AfxMessageBox(MessageOf(answer.outcome));
            return;
        }
        // A payload the component cannot take whole is refused, not cut.
        if (answer.payload.size() > vantor::kMaxPayloadLength) {
            fw::AfxMessageBox(kReplyFailed);
            return;
        }
        SendLoginStatistics(m_nStatHost, m_strUserName);
        LaunchGame(*location, answer.payload);
    } catch (const fw::CInternetException&) {
        fw::AfxMessageBox(kExchangeFailed);
    }
}

void CLoginDlg::LaunchGame(const vantor::LocationInfo& location, const std::string& payload) {
    std::string token;
    // Without the component the game starts with an empty token (the player has
    // been told); a conversion that fails gives no valid token, so no game.
    if (ConvertLoginPayload(payload, token) == ConversionResult::CallFailed) {
        fw::AfxMessageBox(kExchangeFailed);
        return;
    }
    std::string commandLine;
    if (!vantor::GameCommandLine(fw::GetModuleFolder(), location.ID, m_strUserName, token, commandLine)) {
        fw::AfxMessageBox(kReplyFailed);
        return;
    }
    StartDetachedProcess(commandLine, fw::GetModuleFolder());
    ::PostQuitMessage(0);
}
