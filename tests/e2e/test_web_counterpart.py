"""The web pages counterpart itself (no Wine): every page the launcher shows or
opens answers in GB2312 on its host, nothing else is served, the login hosts
answer their pages over TLS beside the login, and the confirmation form leads
to exactly the closing address that the launcher watches for."""
import html.parser
import http.client
import json
import ssl
import urllib.parse
import urllib.request
from pathlib import Path

import pytest

from counterparts.services.run import start_services, stop_services

REPO = Path(__file__).resolve().parents[2]
PAGE_TYPE = "text/html; charset=gb2312"
CHARSET_DECLARATION = b'content="text/html; charset=gb2312"'

SITE_PAGES = ("/clienttemp.html", "/clienttemp2.html", "/", "/Vantor_bbs/BBS_index.aspx")
PORTAL_PAGES = ("/userreg.aspx",)
LOGIN_PAGES = ("/loginclienttemp.htm", "/SkeinIPConfirm.html", "/clientclose.html")
PAGES = ([("site", path) for path in SITE_PAGES] + [("portal", path) for path in PORTAL_PAGES]
         + [("1", path) for path in LOGIN_PAGES])


def ask(address, port, method, target, body=None, context=None, timeout=10):
    """(status, headers, body) of one request sent with target as is."""
    if context is None:
        connection = http.client.HTTPConnection(address, port, timeout=timeout)
    else:
        connection = http.client.HTTPSConnection(address, port, timeout=timeout, context=context)
    try:
        connection.putrequest(method, target, skip_accept_encoding=True)
        if body is not None:
            connection.putheader("Content-Length", str(len(body)))
        connection.endheaders(body)
        reply = connection.getresponse()
        return reply.status, dict(reply.getheaders()), reply.read()
    finally:
        connection.close()


def plain_port(name):
    return 80 if name in ("site", "portal") else 8080


@pytest.fixture
def trusting(build_dir):
    """A TLS client context that trusts the development CA only."""
    return ssl.create_default_context(cafile=str(build_dir / "counterparts" / "devca" / "root-ca.pem"))


# ---- pages on their hosts -------------------------------------------------------

@pytest.mark.parametrize("name,path", PAGES)
def test_page_answers_in_gb2312(web_service, name, path):
    status, headers, body = ask(web_service.address(name), plain_port(name), "GET", path)
    assert (status, headers["Content-Type"]) == (200, PAGE_TYPE)
    assert CHARSET_DECLARATION in body
    text = body.decode("gbk")                      # strict: every byte is GBK, none left in UTF-8
    assert "岚境" in text or "Skein游戏直通车" in text
    assert int(headers["Content-Length"]) == len(body)
    assert web_service.paths(name) == [path]


@pytest.mark.parametrize("name,target", [
    ("site", "/clienttemp.html?r=0.5"),            # a cache-breaking query still names the page
    ("portal", "/userreg.aspx?from=launcher"),
])
def test_query_does_not_change_the_page(web_service, name, target):
    assert ask(web_service.address(name), 80, "GET", target)[0] == 200
    request, = web_service.requests(name)
    assert request.target == target


@pytest.mark.parametrize("method,status,has_body", [("HEAD", 200, False), ("POST", 200, True), ("PUT", 405, True)])
def test_methods(web_service, method, status, has_body):
    code, headers, body = ask(web_service.address("portal"), 80, method, "/userreg.aspx", body=b"agree=1")
    assert code == status
    assert bool(body) == has_body
    if status == 405:
        assert headers["Allow"] == "GET, HEAD, POST"


@pytest.mark.parametrize("name,target", [
    ("site", "/clienttemp3.html"),
    ("site", "/CLIENTTEMP.HTML"),                  # paths are case-sensitive
    ("site", "/index.html"),                       # the home page is only "/"
    ("site", "/Vantor_bbs/"),
    ("site", "/userreg.aspx"),                     # the portal's page
    ("site", "/clientclose.html"),                 # a login host's page
    ("portal", "/"),
    ("portal", "/clienttemp.html"),
    ("1", "/clienttemp.html"),
    ("1", "/Login.aspx"),                          # the login itself answers only over TLS
    ("site", "/../login/clientclose.html"),
    ("site", "/%2e%2e/portal/userreg.aspx"),
    ("site", "/Vantor_bbs/../clienttemp.html"),
    ("site", "/clienttemp.html/"),
])
def test_unknown_path_is_not_found(web_service, name, target):
    assert ask(web_service.address(name), plain_port(name), "GET", target)[0] == 404


# ---- login hosts over TLS ----------------------------------------------------------

@pytest.mark.parametrize("port", (443, 80))
@pytest.mark.parametrize("name", ("1", "2", "3"))
def test_login_pages_over_tls_on_the_login_listeners(web_service, trusting, name, port):
    address = web_service.address(name)
    for path in LOGIN_PAGES:
        status, headers, body = ask(address, port, "GET", path, context=trusting)
        assert (status, headers["Content-Type"]) == (200, PAGE_TYPE), path
        body.decode("gbk")
    tls = [r for r in web_service.requests(name) if r.secure]
    assert [(r.path, r.port) for r in tls] == [(path, port) for path in LOGIN_PAGES]
    assert [r.path for r in web_service.login.requests(name)] == list(LOGIN_PAGES)


def test_login_still_answers_beside_the_pages(web_service, trusting):
    status, _, body = ask("127.10.0.2", 443, "POST", "/Login.aspx", body=b"txtUserName=&txtPassword=", context=trusting)
    assert (status, body) == (200, b"-3,")
    assert ask("127.10.0.2", 443, "GET", "/SkeinIPConfirm.html", context=trusting)[0] == 200
    assert ask("127.10.0.2", 443, "GET", "/Login.aspx", context=trusting)[0] == 404


@pytest.mark.parametrize("reply", [{"reply": "raw", "body": b"1,x", "status": 500},
                                   {"headers": [("Location", "https://127.10.0.1/login.aspx")], "status": 302}])
def test_login_reply_settings_leave_the_pages_alone(web_service, trusting, reply):
    web_service.login.configure("1", **reply)
    status, headers, body = ask("127.10.0.1", 443, "GET", "/clientclose.html", context=trusting)
    assert status == 200
    assert "Location" not in headers
    assert CHARSET_DECLARATION in body
    assert ask("127.10.0.1", 443, "POST", "/Login.aspx", body=b"", context=trusting)[0] == reply["status"]


def test_login_host_down_takes_its_pages_down(web_service, trusting):
    web_service.login.configure("3", down=True)
    with pytest.raises(ConnectionRefusedError):
        ask("127.10.0.3", 443, "GET", "/loginclienttemp.htm", context=trusting)


# ---- the confirmation form ---------------------------------------------------------

class FormReader(html.parser.HTMLParser):
    """The first form of a page: its method, action and the fields a browser submits."""

    def __init__(self):
        super().__init__()
        self.method = self.action = None
        self.fields = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "form" and self.action is None:
            self.method, self.action = (attrs.get("method") or "get").upper(), attrs.get("action") or ""
        elif tag == "input" and attrs.get("name") and (attrs.get("type") not in ("checkbox", "radio")
                                                       or "checked" in attrs):
            self.fields.append((attrs["name"], attrs.get("value") or ""))


@pytest.mark.parametrize("port", (443, 80))
def test_confirmation_form_ends_at_the_closing_page(web_service, trusting, port):
    netloc = "127.10.0.1" if port == 443 else "127.10.0.1:80"
    page = f"https://{netloc}/SkeinIPConfirm.html"
    opener = urllib.request.build_opener(urllib.request.HTTPSHandler(context=trusting))
    with opener.open(page, timeout=10) as reply:
        form = FormReader()
        form.feed(reply.read().decode("gbk"))
    assert form.method == "POST", "a GET would append the fields to the closing page's address"

    target = urllib.parse.urljoin(page, form.action)
    data = urllib.parse.urlencode(form.fields).encode("ascii")
    with opener.open(urllib.request.Request(target, data=data), timeout=10) as reply:
        final, status, body = reply.geturl(), reply.status, reply.read()

    assert final == f"https://{netloc}/clientclose.html"    # the launcher compares it exactly
    assert status == 200
    assert b"window.close()" in body
    last = web_service.requests("1")[-1]
    assert (last.method, last.target, last.secure, last.body) == ("POST", "/clientclose.html", True, data)


# ---- run.py -------------------------------------------------------------------------

def test_run_starts_the_pages_with_the_other_services(deployment):
    config = json.loads((REPO / "counterparts" / "services" / "dev.json").read_text(encoding="utf-8"))
    running = start_services(config, deployment, observe=False)
    try:
        described = [line for service in running for line in service.describe()]
        assert "  game site: " + " ".join(f"http://127.10.3.1{p}" for p in sorted(SITE_PAGES)) in described
        assert ask("127.10.3.1", 80, "GET", "/clienttemp2.html")[0] == 200
        assert ask("127.10.0.1", 8080, "GET", "/SkeinIPConfirm.html")[0] == 200
    finally:
        stop_services(running)
