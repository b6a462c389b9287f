"""The first-login report to the statistics service under Wine: the marker
IsSend in ClientInfo.ini, the host chosen by LocationServer, the report's
exact body, and that nothing about the report stops the game's start."""
import re

import pytest

from launcher_panels import DEFAULT_VERSION, write_client_info
from login_fixtures import DEMO_PASSWORD, DEMO_USER, game_command_line, log_in, open_credentials

CHANNEL = "234"


def client_info_value(install_dir, key):
    """The value of key in section ClientInfo of the installation's ClientInfo.ini, or None."""
    text = (install_dir / "ClientInfo.ini").read_bytes().decode("gbk").replace("\0", "")
    section = None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("["):
            section = line.strip("[]").strip()
        elif section == "ClientInfo" and re.match(rf"{key}\s*=", line):
            return line.split("=", 1)[1].strip()
    return None


def client_info(install_dir, deployment, *keys):
    """ClientInfo.ini with one location on login host 1 (port 443) and the given ClientInfo keys."""
    write_client_info(install_dir,
                      ("ClientInfo", [("Version", DEFAULT_VERSION), ("Channel", CHANNEL), *keys]),
                      ("Locations", [("count", "1")]),
                      ("location1", [("ID", "1"), ("Name", "第1区"), ("Host", deployment["login_hosts"][0]),
                                     ("Port", "443"), ("Func", "Login.aspx")]))


def log_in_and_wait_for_the_game(launcher, ui, install_dir, user=DEMO_USER):
    program, window = open_credentials(launcher, ui, 0)
    log_in(ui, window, user, DEMO_PASSWORD)
    assert program.wait_exit(timeout=60) == 0
    return game_command_line(install_dir)


def report(user=DEMO_USER, version=DEFAULT_VERSION, channel=CHANNEL):
    return f"account={user}&version={version}&type={channel}".encode("gbk")


@pytest.mark.parametrize("is_send", [None, "0", ""], ids=["no key", "0", "empty"])
def test_first_login_is_reported_to_host_a_and_marked_after_200(
        launcher, ui, login_install, deployment, update_service, login_service, stat_service, is_send):
    keys = [("IsSend", is_send)] if is_send is not None else []
    client_info(login_install, deployment, *keys)
    log_in_and_wait_for_the_game(launcher, ui, login_install)

    [request] = stat_service.requests("A")
    assert (request.method, request.path, request.body) == ("GET", "/default.aspx", report())
    assert request.header("Content-Length") == str(len(report()))
    assert request.header("User-Agent") == "session"
    assert request.header("Accept") == "text*/*"
    assert request.header("Content-Type") == "application/x-www-form-urlencoded"
    assert stat_service.requests("B") == []
    assert client_info_value(login_install, "IsSend") == "1"


def test_default_file_reports_its_version_and_channel(
        launcher, ui, login_install, update_service, login_service, stat_service):
    """The launcher writes the default ClientInfo.ini (Channel 234) and reads it back for the report."""
    log_in_and_wait_for_the_game(launcher, ui, login_install)
    assert stat_service.reports("A") == [report()]
    assert client_info_value(login_install, "IsSend") == "1"


@pytest.mark.parametrize("status", [404, 500])
def test_answer_other_than_200_leaves_the_marker_and_the_game_starts(
        launcher, ui, login_install, deployment, update_service, login_service, stat_service, status):
    client_info(login_install, deployment, ("IsSend", "0"))
    stat_service.configure("A", status=status)
    log_in_and_wait_for_the_game(launcher, ui, login_install)

    assert stat_service.reports("A") == [report()]
    assert client_info_value(login_install, "IsSend") == "0"


def test_statistics_host_down_is_silent_and_the_game_starts(
        launcher, ui, login_install, deployment, update_service, login_service, stat_service):
    client_info(login_install, deployment)
    stat_service.configure("A", down=True)
    log_in_and_wait_for_the_game(launcher, ui, login_install)

    assert client_info_value(login_install, "IsSend") is None


def test_marker_set_means_no_report(launcher, ui, login_install, deployment, update_service, login_service,
                                    stat_service):
    client_info(login_install, deployment, ("IsSend", "1"))
    log_in_and_wait_for_the_game(launcher, ui, login_install)

    assert stat_service.requests() == []
    assert client_info_value(login_install, "IsSend") == "1"


@pytest.mark.parametrize("location_server, host", [("2", "B"), ("1", "A"), ("3", "A"), (None, "A")],
                         ids=["2 is host B", "1 is host A", "3 is host A", "none is host A"])
def test_location_server_chooses_the_statistics_host(
        launcher, ui, login_install, deployment, update_service, login_service, stat_service, location_server,
        host):
    keys = [("LocationServer", location_server)] if location_server else []
    client_info(login_install, deployment, *keys)
    log_in_and_wait_for_the_game(launcher, ui, login_install)

    assert stat_service.reports(host) == [report()]
    assert stat_service.requests("B" if host == "A" else "A") == []


def test_account_name_goes_into_the_report_as_typed(
        launcher, ui, login_install, deployment, update_service, login_service, stat_service):
    """A login host that lets any name in (raw reply) shows that nothing is encoded."""
    client_info(login_install, deployment)
    login_service.configure("1", reply="raw", body=b"1,T")
    user = "a&b c=d"
    log_in_and_wait_for_the_game(launcher, ui, login_install, user=user)

    assert stat_service.reports("A") == [report(user=user)]
