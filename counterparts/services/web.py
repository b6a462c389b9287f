"""The operator's web pages, as the launcher shows and opens them:

    game site       /clienttemp.html (notice), /clienttemp2.html (banner strip),
                    / (home page), /Vantor_bbs/BBS_index.aspx (forum)
    service portal  /userreg.aspx (registration)
    login hosts     /loginclienttemp.htm, /SkeinIPConfirm.html, /clientclose.html

Game site and service portal speak plain HTTP on port 80. The login hosts'
pages are answered over TLS by the login service's own listeners (ports 443
and 80, see login.py); this service serves them once more over plain HTTP on
port 8080 of each login host, so that a desktop browser can look at them
without trusting the development CA.

The pages are the files under counterparts/web/<site|portal|login>/, kept in
UTF-8 and sent in GBK ("text/html; charset=gb2312"). Only those files are
served: a request names a page by its exact path (the query is ignored),
never a file name, so nothing outside the folder can be reached. GET, HEAD
and POST (a form's target) answer the page; an unknown path answers 404."""
from pathlib import Path

from .recording_http import RecordingService, ServedHost

WEB_ROOT = Path(__file__).resolve().parents[1] / "web"
WEB_PORT = 80
LOGIN_PAGES_PORT = 8080
PAGE_TYPE = "text/html; charset=gb2312"
PAGE_SUFFIXES = (".html", ".htm", ".aspx")
INDEX_PAGE = "index.html"
PAGE_METHODS = ("GET", "HEAD", "POST")

NOT_FOUND_PAGE = b"<html><body><h1>404 Not Found</h1></body></html>\r\n"
NOT_ALLOWED_PAGE = b"<html><body><h1>405 Method Not Allowed</h1></body></html>\r\n"


def load_pages(folder):
    """{request path: GBK bytes} of the pages under folder; an index.html
    answers for its folder's own path ("/" or "/dir/")."""
    folder = Path(folder)
    pages = {}
    for file in sorted(folder.rglob("*")):
        if not file.is_file() or file.suffix.lower() not in PAGE_SUFFIXES:
            continue
        relative = file.relative_to(folder).as_posix()
        path = "/" + (relative[:-len(INDEX_PAGE)] if file.name == INDEX_PAGE else relative)
        pages[path] = file.read_text(encoding="utf-8").encode("gbk")
    if not pages:
        raise FileNotFoundError(f"no pages in {folder}")
    return pages


def page_answer(pages, method, path):
    """(status, body, headers) of a request for path."""
    if path not in pages:
        return 404, NOT_FOUND_PAGE, ()
    if method not in PAGE_METHODS:
        return 405, NOT_ALLOWED_PAGE, (("Allow", ", ".join(PAGE_METHODS)),)
    return 200, pages[path], ()


class WebService(RecordingService):
    """Hosts "site" and "portal" on port 80, and the login hosts "1", "2", "3"
    (their pages only, plain HTTP) on port 8080."""

    def __init__(self, site, portal, login_hosts=(), root=WEB_ROOT):
        super().__init__({"site": site, "portal": portal}, WEB_PORT)
        for number, address in enumerate(login_hosts, 1):
            name = str(number)
            self.hosts[name] = ServedHost(self, name, address, LOGIN_PAGES_PORT)
        root = Path(root)
        site_pages, portal_pages, login_pages = (load_pages(root / kind) for kind in ("site", "portal", "login"))
        self.pages = {name: login_pages for name in self.hosts}
        self.pages.update(site=site_pages, portal=portal_pages)

    @classmethod
    def on_deployment(cls, deployment, root=WEB_ROOT):
        return cls(deployment["game_site"], deployment["service_portal"], deployment["login_hosts"], root)

    def url(self, name, path="/"):
        """The page's address on host name, as a browser opens it."""
        host = self.hosts[name]
        port = "" if host.port == WEB_PORT else f":{host.port}"
        return f"http://{host.address}{port}{path}"

    def respond(self, host, handler):
        request = handler.recorded
        status, body, headers = page_answer(self.pages[host.name], request.method, request.path)
        handler.send_reply(status, body, PAGE_TYPE, headers)
        self.notify(host.name, request, status, "page" if status == 200 else "no such page")

    def describe(self):
        lines = ["web pages:"]
        for name, host in self.hosts.items():
            role = {"site": "game site", "portal": "service portal"}.get(name, f"login host {name}")
            lines.append(f"  {role}: " + " ".join(self.url(name, path) for path in sorted(self.pages[name])))
        return lines


def from_config(section, deployment):
    """The service as a configuration's "web" section sets it up: "root", a
    folder with site/, portal/ and login/ in place of counterparts/web."""
    section = dict(section or {})
    return WebService.on_deployment(deployment, section.get("root") or WEB_ROOT)
