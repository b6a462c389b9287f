"""The update-info counterpart itself (no Wine): what it answers, how a host
goes down, slow or broken, and that requests are recorded as sent."""
import http.client
import socket
import xml.etree.ElementTree as ET

import pytest

from counterparts.services.updateinfo import UPDATE_INFO_PATH

PACKAGE = "http://127.10.4.1/p.vpk?a=1&b=2"


def get(service, host, target, timeout=10):
    connection = http.client.HTTPConnection(service.host(host).address, 8080, timeout=timeout)
    try:
        connection.putrequest("GET", target, skip_accept_encoding=True)  # sent as is, nothing escaped
        connection.endheaders()
        reply = connection.getresponse()
        return reply.status, reply.read()
    finally:
        connection.close()


def parse(body):
    """The document without its declaration (ElementTree reads no GB2312)."""
    text = body.decode("gbk")
    return ET.fromstring(text.split("?>", 1)[1] if text.startswith("<?xml") else text)


def update_info(body):
    info = parse(body).find("updateInfo")
    return {child.tag: child.text or "" for child in info}


def test_other_version_is_offered_the_package(update_service):
    update_service.set_offer(latest_version="2", package_url=PACKAGE, force="1")
    status, body = get(update_service, "A", UPDATE_INFO_PATH + "?ver=1")
    assert status == 200
    assert update_info(body) == {"Url": PACKAGE, "force": "1"}
    assert b"<Url>http://127.10.4.1/p.vpk?a=1&amp;b=2</Url>" in body


def test_latest_version_gets_update_info_without_url(update_service):
    update_service.set_offer(latest_version="2006.01.15&x", package_url=PACKAGE)
    assert update_info(get(update_service, "B", UPDATE_INFO_PATH + "?ver=2006.01.15&x")[1]) == {}


def test_request_target_is_recorded_raw(update_service):
    target = UPDATE_INFO_PATH + "?ver=1.0%41&x=+y\xb0\xe6"
    with socket.create_connection(("127.10.1.2", 8080), timeout=10) as connection:
        connection.sendall(b"GET " + target.encode("latin-1") + b" HTTP/1.1\r\nHost: 127.10.1.2:8080\r\n\r\n")
        assert connection.recv(100).startswith(b"HTTP/1.0 200 ")
    request, = update_service.wait_requests("B", 1, timeout=5)
    assert (request.host, request.method, request.target) == ("B", "GET", target)
    assert request.raw_target.endswith(b"+y\xb0\xe6")
    assert request.query == "ver=1.0%41&x=+y\xb0\xe6"
    assert request.header("host") == "127.10.1.2:8080"
    assert update_service.requests("A") == []


def test_host_taken_down_refuses_and_comes_back(update_service):
    update_service.configure("A", down=True)
    with pytest.raises(ConnectionRefusedError):
        get(update_service, "A", UPDATE_INFO_PATH + "?ver=1")
    assert get(update_service, "B", UPDATE_INFO_PATH + "?ver=1")[0] == 200
    update_service.configure("A", down=False)
    assert get(update_service, "A", UPDATE_INFO_PATH + "?ver=1")[0] == 200


def test_slow_answer_is_dropped_when_the_service_stops(update_service):
    update_service.configure("A", delay=600)
    connection = socket.create_connection(("127.10.1.1", 8080), timeout=30)
    connection.sendall(f"GET {UPDATE_INFO_PATH}?ver=1 HTTP/1.1\r\nHost: a\r\n\r\n".encode())
    update_service.wait_requests("A", 1, timeout=10)
    update_service.stop()
    assert connection.recv(100) == b"", "closed without an answer"
    connection.close()


@pytest.mark.parametrize("settings, status, check", [
    (dict(reply="no-url"), 200, lambda body: update_info(body) == {}),
    (dict(reply="empty-url"), 200, lambda body: update_info(body) == {"Url": "", "force": "0"}),
    (dict(force=None), 200, lambda body: update_info(body) == {"Url": PACKAGE}),
    (dict(status=503, reply="error-page"), 503, lambda body: body.startswith(b"<html>")),
    (dict(reply="raw", body=b"<x/>", status=201), 201, lambda body: body == b"<x/>"),
])
def test_host_answers_as_configured(update_service, settings, status, check):
    update_service.set_offer(latest_version="2", package_url=PACKAGE)
    update_service.configure("B", **settings)
    got_status, body = get(update_service, "B", UPDATE_INFO_PATH + "?ver=1")
    assert got_status == status
    assert check(body), body


def test_broken_reply_is_a_naming_reply_that_never_closes_its_root(update_service):
    update_service.set_offer(latest_version="2", package_url=PACKAGE)
    update_service.configure("A", reply="broken-xml")
    _, broken = get(update_service, "A", UPDATE_INFO_PATH + "?ver=1")
    _, whole = get(update_service, "B", UPDATE_INFO_PATH + "?ver=1")
    assert whole.startswith(broken) and whole[len(broken):].strip() == b"</pkprotocol>"
    with pytest.raises(ET.ParseError):
        parse(broken)


def test_other_paths_are_not_found(update_service):
    assert get(update_service, "A", "/LoginPacketN/Other.aspx?ver=1")[0] == 404
    assert get(update_service, "A", UPDATE_INFO_PATH + "?version=1")[0] == 404
