"""The login under Wine against the login service: the whole road to the
game's start, the message of every result code and of every malformed or
refused reply, what the login host receives, and the password-protection
component missing."""
import base64

import pytest

from launcher_panels import DEFAULT_VERSION, write_client_info
from login_fixtures import (FAILING_PAYLOAD, DEMO_PASSWORD, DEMO_USER, DISABLED_USER, PROGRAM_NAME, expected_game_command_line,
                            fields, game_command_line, game_token, log_in, open_credentials, retype, take_message)

EXCHANGE_FAILED = "出现错误，登录失败"
REPLY_FAILED = "出现错误，登录失败!"
WRONG_CREDENTIALS = "用户名或密码错误，请重新输入"
MAINTENANCE = "系统维护中，暂时停止登录。"
DISABLED = "您已经被管理员禁用，请联系管理员。"
MISSING_FIELD = "请输入用户名和密码"
BAD_USER_NAME = "用户名的格式不正确，请输入正确的用户名。"
LOCKED = ("您已经连续5次登录时将用户名与密码输入错误,为了防止有人正在暴力破解您的帐号,"
          "系统将锁定您的帐号3分钟,请您3分钟以后再尝试登录!")
COMPONENT_MISSING = ("创建对象PlaymoorEncrypt失败，请将游戏目录下的PlaymoorEncrypt.dll复制到系统目录system32目录下，"
                     "并完成注册！")


def b64(text):
    return base64.b64encode(text.encode("gbk")).decode("ascii")


def form(user, password):
    return f"txtUserName={b64(user)}&txtPassword={b64(password)}&keys=0,0,0,0,0,0,0,0,&rand=0".encode("ascii")


def assert_message_and_fields_kept(ui, window, program, message, user, password):
    assert take_message(ui) == (PROGRAM_NAME, message, [1])
    assert fields(ui, window) == (user, password), "both fields stay as typed"
    assert program.running(), "the player may try again"


def assert_game_started(wine, install_dir, program, location_id, user, token):
    assert program.wait_exit(timeout=60) == 0
    assert game_command_line(install_dir) == expected_game_command_line(wine, install_dir, location_id, user, token)


def configured_locations(install_dir, port, login_hosts, func="Login.aspx"):
    sections = [(f"location{n}", [("ID", str(10 * n)), ("Name", f"第{n}区"), ("Host", host), ("Port", str(port)),
                                  ("Func", func)]) for n, host in enumerate(login_hosts, 1)]
    write_client_info(install_dir, ("ClientInfo", [("Version", DEFAULT_VERSION), ("Channel", "234")]),
                      ("Locations", [("count", str(len(sections)))]), *sections)


# ---- the whole road --------------------------------------------------------------------------------------

@pytest.mark.parametrize("index, host, location_id, page", [
    (1, "2", 2, "/Login.aspx"),
    (2, "3", 3, "/login.aspx"),
], ids=["second location", "third location, lower-case page"])
def test_login_with_the_default_file_starts_the_game_and_ends_the_launcher(
        launcher, ui, wine, login_install, update_service, login_service, stat_service, index, host, location_id,
        page):
    """The default ClientInfo.ini names port 80: the launcher speaks TLS there."""
    program, window = open_credentials(launcher, ui, index)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert program.wait_exit(timeout=60) == 0
    [answer] = login_service.answers
    assert (answer.host, answer.code, answer.request.path, answer.request.port, answer.request.secure) == \
        (host, 1, page, 80, True)
    assert login_service.ticket_owner(answer.payload) == DEMO_USER
    assert game_command_line(login_install) == expected_game_command_line(
        wine, login_install, location_id, DEMO_USER, game_token(answer.payload))


def test_login_to_a_configured_location_on_port_443(
        launcher, ui, wine, login_install, update_service, login_service, stat_service, deployment):
    configured_locations(login_install, 443, deployment["login_hosts"])
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert program.wait_exit(timeout=60) == 0
    [answer] = login_service.answers
    assert (answer.host, answer.code, answer.request.port) == ("1", 1, 443)
    assert game_command_line(login_install) == expected_game_command_line(
        wine, login_install, 10, DEMO_USER, game_token(answer.payload))


# ---- what the login host receives ------------------------------------------------------------------------

def test_login_host_receives_the_form_unencoded_with_the_launcher_headers(
        launcher, ui, login_install, update_service, login_service, stat_service):
    password = ">>>???>"   # Base64 "Pj4+Pz8/Pg==": "+", "/" and "=" go into the body raw
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, password)
    assert take_message(ui)[1] == WRONG_CREDENTIALS

    [request] = login_service.requests("1")
    body = form(DEMO_USER, password)
    assert body == b"txtUserName=cGxheWVyMQ==&txtPassword=Pj4+Pz8/Pg==&keys=0,0,0,0,0,0,0,0,&rand=0"
    assert (request.method, request.path, request.body) == ("POST", "/Login.aspx", body)
    assert request.header("User-Agent") == "session"
    assert request.header("Accept") == "text*/*"
    assert request.header("Content-Type") == "application/x-www-form-urlencoded"
    assert request.header("Content-Length") == str(len(body))
    assert [name.lower() for name, _ in request.headers].count("accept") == 1


# ---- result codes ----------------------------------------------------------------------------------------

@pytest.mark.parametrize("user, password, setup, message", [
    (DEMO_USER, "wrong", None, WRONG_CREDENTIALS),
    ("nobody1", DEMO_PASSWORD, None, WRONG_CREDENTIALS),
    (DEMO_USER, DEMO_PASSWORD, "maintenance", MAINTENANCE),
    (DISABLED_USER, DEMO_PASSWORD, None, DISABLED),
    ("ab", DEMO_PASSWORD, None, BAD_USER_NAME),
    ("player-1", DEMO_PASSWORD, None, BAD_USER_NAME),
], ids=["0 wrong password", "0 unknown user", "-1 maintenance", "-2 disabled", "-4 too short", "-4 hyphen"])
def test_result_code_shows_its_message_and_keeps_the_fields(
        launcher, ui, login_install, update_service, login_service, stat_service, user, password, setup, message):
    if setup == "maintenance":
        login_service.set_maintenance(True)
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, user, password)

    assert_message_and_fields_kept(ui, window, program, message, user, password)
    assert stat_service.requests() == [], "only a success is reported"


def test_five_wrong_passwords_lock_the_account_for_three_minutes(
        launcher, ui, wine, login_install, update_service, login_service, stat_service):
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, "wrong1")
    assert_message_and_fields_kept(ui, window, program, WRONG_CREDENTIALS, DEMO_USER, "wrong1")
    for attempt in range(2, 5):
        retype(ui, window, DEMO_USER, f"wrong{attempt}")
        assert_message_and_fields_kept(ui, window, program, WRONG_CREDENTIALS, DEMO_USER, f"wrong{attempt}")

    retype(ui, window, DEMO_USER, "wrong5")
    assert_message_and_fields_kept(ui, window, program, LOCKED, DEMO_USER, "wrong5")
    retype(ui, window, DEMO_USER, DEMO_PASSWORD)
    assert_message_and_fields_kept(ui, window, program, LOCKED, DEMO_USER, DEMO_PASSWORD)

    login_service.advance_clock(181)
    ui.click(window.hwnd, 1027)
    assert program.wait_exit(timeout=60) == 0
    assert [a.code for a in login_service.answers] == [0, 0, 0, 0, -10, -10, 1]


# ---- replies the accounts do not decide ------------------------------------------------------------------

@pytest.mark.parametrize("body, message", [
    (b"1", REPLY_FAILED),
    (b",x", REPLY_FAILED),
    (b"", REPLY_FAILED),
    (b" -3,x", MISSING_FIELD),
    (b"-3,", MISSING_FIELD),
    (b"0,any text", WRONG_CREDENTIALS),
    (b"-7,x", REPLY_FAILED),
    (b"2,x", REPLY_FAILED),
    (b"-10,", LOCKED),
    (b"abc,1", REPLY_FAILED),
], ids=["1 without comma", "comma first", "empty", "blank then -3", "-3 empty payload", "0 with text",
        "-7", "2", "-10", "no number"])
def test_reply_shows_the_message_of_its_code(
        launcher, ui, login_install, update_service, login_service, stat_service, body, message):
    login_service.configure("1", reply="raw", body=body)
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert_message_and_fields_kept(ui, window, program, message, DEMO_USER, DEMO_PASSWORD)


@pytest.mark.parametrize("body, payload", [
    (b"1,", ""),
    (b"1abc,XYZ", "XYZ"),
    (b"1,a,b", "a,b"),
    (b"+1,T", "T"),
], ids=["empty payload", "digits then letters", "payload with a comma", "plus sign"])
def test_success_reply_hands_the_payload_after_the_first_comma_to_the_game(
        launcher, ui, wine, login_install, update_service, login_service, stat_service, body, payload):
    login_service.configure("1", reply="raw", body=body)
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert_game_started(wine, login_install, program, 1, DEMO_USER, game_token(payload))


def test_payload_longer_than_the_component_takes_is_refused(
        launcher, ui, login_install, update_service, login_service, stat_service):
    login_service.configure("1", reply="raw", body=b"1," + b"P" * 256)
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert_message_and_fields_kept(ui, window, program, REPLY_FAILED, DEMO_USER, DEMO_PASSWORD)
    assert not (login_install / "Vantor.cmdline.txt").exists()


def test_failing_conversion_reports_a_failed_login_and_starts_no_game(
        launcher, ui, login_install, update_service, login_service, stat_service):
    """The component is there but refuses the payload: no token, so no game."""
    login_service.configure("1", reply="raw", body=f"1,{FAILING_PAYLOAD}".encode("ascii"))
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert_message_and_fields_kept(ui, window, program, EXCHANGE_FAILED, DEMO_USER, DEMO_PASSWORD)
    assert not (login_install / "Vantor.cmdline.txt").exists()


# ---- failed exchanges ------------------------------------------------------------------------------------

@pytest.mark.parametrize("status, headers", [
    (302, [("Location", "https://127.10.0.1/login.aspx")]),
    (500, []),
    (404, []),
], ids=["302 not followed", "500", "404"])
def test_status_other_than_200_fails_the_exchange(
        launcher, ui, login_install, update_service, login_service, stat_service, status, headers):
    """The redirect names a page that would let the player in: it is not followed."""
    login_service.configure("1", reply="raw", status=status, body=b"1,REDIRECTED", headers=headers)
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert_message_and_fields_kept(ui, window, program, EXCHANGE_FAILED, DEMO_USER, DEMO_PASSWORD)
    assert [r.path for r in login_service.requests()] == ["/Login.aspx"]


def test_login_host_down_fails_the_exchange(launcher, ui, login_install, update_service, login_service,
                                            stat_service):
    login_service.configure("1", down=True)
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert_message_and_fields_kept(ui, window, program, EXCHANGE_FAILED, DEMO_USER, DEMO_PASSWORD)


def test_login_host_with_an_untrusted_certificate_receives_no_form(
        launcher, ui, login_install, update_service, login_service, stat_service, untrusted_certificate):
    login_service.use_certificate("1", *untrusted_certificate)
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert_message_and_fields_kept(ui, window, program, EXCHANGE_FAILED, DEMO_USER, DEMO_PASSWORD)
    assert login_service.requests() == [], "the handshake fails before any request"
    empty = login_service.hosts["1"].empty_connections.wait(1, timeout=30)
    assert all(c.secure for c in empty), "the launcher did connect, and hung up before sending"

    # The same launcher logs in once the host shows the development certificate again.
    login_service.hosts["1"].tls = login_service.hosts["2"].tls
    ui.click(window.hwnd, 1027)
    [request] = login_service.wait_requests("1", 1, timeout=60)
    assert request.body == form(DEMO_USER, DEMO_PASSWORD)
    assert program.wait_exit(timeout=60) == 0


# ---- the password-protection component -------------------------------------------------------------------

def test_missing_component_is_reported_and_the_game_starts_with_an_empty_token(
        launcher, ui, wine, login_install, update_service, login_service, stat_service, component_unregistered):
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, DEMO_USER, DEMO_PASSWORD)

    assert take_message(ui) == (PROGRAM_NAME, COMPONENT_MISSING, [1])
    assert program.wait_exit(timeout=60) == 0
    line = game_command_line(login_install)
    assert line == expected_game_command_line(wine, login_install, 1, DEMO_USER, "")
    assert line.endswith(f" {DEMO_USER}  1".encode("ascii")), "two blanks where the token would be"
