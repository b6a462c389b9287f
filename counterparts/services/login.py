"""The login service: answers the launcher's

    POST /Login.aspx  (or /login.aspx: the location's Func)
    txtUserName=<Base64>&txtPassword=<Base64>&keys=0,0,0,0,0,0,0,0,&rand=0

over TLS on ports 443 and 80 of each login host (the launcher speaks TLS to
whatever port a location names, and the default ClientInfo.ini names 80).
The body is not percent-decoded: the launcher sends "+", "/" and "=" raw.

The reply body is "<code>,<payload>":

    1    success; the payload is a session ticket (below)
    0    unknown user name or wrong password
   -1    maintenance switch on
   -2    account disabled (told only to a caller who knows the password)
   -3    user name or password field missing or empty
   -4    user name not 4 to 12 characters of A-Z a-z 0-9 _ (or not Base64)
  -10    account locked: the fifth wrong password in a row locks it for three
         minutes; while locked every attempt answers -10, right password or not

Checks run in that order of precedence: -3, -4, -1, then the account
(unknown 0; locked -10; wrong password 0 or -10; disabled -2; else 1). A
success clears the count of wrong passwords; so does the end of a lock.
Failure replies carry an empty payload ("0,").

Session ticket: "VT1.<user>.<issued>.<nonce>.<mac>", where issued is the
service's Unix time in seconds, nonce 8 lower-case hex digits, and mac the
first 16 hex digits of HMAC-SHA256 over the text before ".<mac>" with the
service's secret. Only [A-Za-z0-9_.] occur, so the ticket travels through the
password-protection component and the game's command line untouched; it is
at most 53 characters. The service remembers the tickets it issued
(ticket_owner).

Each host can be set apart, also while the service runs (`configure`): down,
a delay, a raw reply body, another HTTP status, extra headers (a Location for
a redirect), or another certificate (`use_certificate`).

The same listeners answer the login host's pages (web.py): GET, HEAD or POST
of /loginclienttemp.htm, /SkeinIPConfirm.html and /clientclose.html give the
page, whatever the host's reply settings; down and delay still apply."""
import base64
import binascii
import hashlib
import hmac
import re
import secrets
import ssl
import time
from dataclasses import dataclass, replace
from pathlib import Path

from .deployment import WINDOWS_BUILD
from .recording_http import ConfigurableService
from .web import PAGE_TYPE, WEB_ROOT, load_pages, page_answer

LOGIN_PORTS = (443, 80)
LOGIN_PAGES = ("/Login.aspx", "/login.aspx")
DEVCA_DIR = WINDOWS_BUILD / "counterparts" / "devca"

SUCCESS, WRONG_CREDENTIALS, MAINTENANCE, DISABLED, MISSING_FIELD, BAD_USER_NAME, LOCKED = 1, 0, -1, -2, -3, -4, -10
USER_NAME_RULE = re.compile(r"[A-Za-z0-9_]{4,12}")
WRONG_PASSWORDS_TO_LOCK = 5
LOCK_SECONDS = 180
TICKET_PREFIX = "VT1"

REPLY_KINDS = ("decide", "raw")

NOT_FOUND_PAGE = b"<html><body><h1>404 Not Found</h1></body></html>\r\n"


@dataclass
class Account:
    password: str
    disabled: bool = False
    wrong_in_a_row: int = 0
    locked_until: float = 0.0   # on the service's clock


@dataclass(frozen=True)
class HostBehaviour:
    down: bool = False          # not listening: connections are refused
    delay: float = 0.0          # seconds before the answer
    reply: str = "decide"       # "decide" (accounts) or "raw" (body as given)
    status: int = 200           # HTTP status of the answer, whatever its body
    body: bytes = b""           # the body of reply "raw"
    headers: tuple = ()         # extra (name, value) header pairs, e.g. Location

    def __post_init__(self):
        if self.reply not in REPLY_KINDS:
            raise ValueError(f"reply must be one of {REPLY_KINDS}, not {self.reply!r}")


@dataclass(frozen=True)
class Answer:
    """What the service answered to one recorded request."""
    host: str
    request: object             # RecordedRequest
    status: int
    body: bytes
    what: str
    code: int | None = None     # result code when the accounts decided
    payload: str = ""
    user: str | None = None     # decoded user name, when it could be read
    headers: tuple = ()         # extra (name, value) header pairs sent with it


def parse_form(body):
    """The form's fields from raw body bytes ({name: value}, GBK text), split at
    "&" and the first "=", nothing unescaped. A name given twice keeps its first value."""
    fields = {}
    for part in body.decode("gbk", "replace").split("&"):
        if not part:
            continue
        name, _, value = part.partition("=")
        fields.setdefault(name, value)
    return fields


def decode_field(value):
    """Base64 text to GBK text, or None when it is not strict Base64."""
    try:
        return base64.b64decode(value.encode("ascii"), validate=True).decode("gbk")
    except (binascii.Error, UnicodeError, ValueError):
        return None


def server_context(chain, key):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(str(chain), str(key))
    return context


def devca_context(devca_dir=DEVCA_DIR):
    devca_dir = Path(devca_dir)
    chain, key = devca_dir / "server-chain.pem", devca_dir / "server.key"
    if not chain.exists() or not key.exists():
        raise FileNotFoundError(f"{chain} or {key} missing: build the Win32 tree first (scripts/build.sh win32)")
    return server_context(chain, key)


class LoginService(ConfigurableService):
    """Login hosts "1", "2", "3" (the locations' login servers) on ports 443 and 80."""

    def __init__(self, hosts, accounts=None, tls=None, ports=LOGIN_PORTS, secret=None, pages=None):
        super().__init__(hosts, ports[0], HostBehaviour, tls or devca_context(), ports[1:])
        self.pages = pages if pages is not None else load_pages(WEB_ROOT / "login")
        self._accounts = {}
        for user, settings in (accounts or {}).items():
            self.add_account(user, **settings)
        self._maintenance = False
        self._secret = secret or secrets.token_bytes(32)
        self._tickets = {}
        self._clock_offset = 0.0
        self.answers = []      # Answer of every request, in order

    @classmethod
    def on_deployment(cls, deployment, accounts=None, tls=None, ports=LOGIN_PORTS):
        names = [str(n) for n in range(1, len(deployment["login_hosts"]) + 1)]
        return cls(dict(zip(names, deployment["login_hosts"])), accounts, tls, ports)

    # ---- settings ---------------------------------------------------------
    def add_account(self, user, password, disabled=False):
        with self._lock:
            self._accounts[user] = Account(password, disabled)

    def account(self, user):
        """A copy of the account's state, or None."""
        with self._lock:
            account = self._accounts.get(user)
            return replace(account) if account else None

    def set_maintenance(self, on):
        with self._lock:
            self._maintenance = bool(on)

    def advance_clock(self, seconds):
        """Moves the service's clock on (so a test need not wait out a lock)."""
        with self._lock:
            self._clock_offset += seconds

    def now(self):
        return time.monotonic() + self._clock_offset

    def configure(self, name, **changes):
        """Changes how host name answers from now on: down, delay, reply, status,
        body, headers. Taking a host down closes its sockets."""
        if "headers" in changes:
            changes["headers"] = tuple(tuple(pair) for pair in changes["headers"])
        self._change_behaviour(name, lambda current: replace(current, **changes))

    def use_certificate(self, name, chain, key):
        """Host name presents this certificate chain to new connections."""
        self.hosts[name].tls = server_context(chain, key)

    # ---- tickets ----------------------------------------------------------
    def _issue_ticket(self, user):
        head = f"{TICKET_PREFIX}.{user}.{int(time.time())}.{secrets.token_hex(4)}"
        mac = hmac.new(self._secret, head.encode("ascii"), hashlib.sha256).hexdigest()[:16]
        ticket = f"{head}.{mac}"
        self._tickets[ticket] = user
        return ticket

    def ticket_owner(self, ticket):
        """The user a ticket was issued to, or None when this service did not issue it."""
        with self._lock:
            return self._tickets.get(ticket)

    def tickets(self):
        with self._lock:
            return dict(self._tickets)

    # ---- answering --------------------------------------------------------
    def decide(self, form):
        """(code, payload, user) for the fields of a login form."""
        user_field, password_field = form.get("txtUserName", ""), form.get("txtPassword", "")
        if not user_field or not password_field:
            return MISSING_FIELD, "", None
        user = decode_field(user_field)
        if user is None or not USER_NAME_RULE.fullmatch(user):
            return BAD_USER_NAME, "", user
        password = decode_field(password_field)
        with self._lock:
            if self._maintenance:
                return MAINTENANCE, "", user
            account = self._accounts.get(user)
            if account is None:
                return WRONG_CREDENTIALS, "", user
            now = self.now()
            if account.locked_until:
                if now < account.locked_until:
                    return LOCKED, "", user
                account.locked_until, account.wrong_in_a_row = 0.0, 0
            if password != account.password:
                account.wrong_in_a_row += 1
                if account.wrong_in_a_row >= WRONG_PASSWORDS_TO_LOCK:
                    account.locked_until = now + LOCK_SECONDS
                    return LOCKED, "", user
                return WRONG_CREDENTIALS, "", user
            account.wrong_in_a_row = 0
            if account.disabled:
                return DISABLED, "", user
            return SUCCESS, self._issue_ticket(user), user

    def answer(self, name, request):
        """An Answer to a recorded request at host name, by its behaviour."""
        if request.path in self.pages:
            status, body, headers = page_answer(self.pages, request.method, request.path)
            return Answer(name, request, status, body, "page", headers=headers)
        behaviour = self.behaviour(name)
        if behaviour.reply == "raw":
            return Answer(name, request, behaviour.status, behaviour.body, "raw body", headers=behaviour.headers)
        if request.method != "POST" or request.path not in LOGIN_PAGES:
            return Answer(name, request, 404, NOT_FOUND_PAGE, "not a login request", headers=behaviour.headers)
        code, payload, user = self.decide(parse_form(request.body))
        body = f"{code},{payload}".encode("gbk")
        return Answer(name, request, behaviour.status, body, f"code {code}", code, payload, user,
                      behaviour.headers)

    def respond(self, host, handler):
        answer = self.answer(host.name, handler.recorded)
        behaviour = self.behaviour(host.name)
        what = answer.what
        if not host.pause(behaviour.delay):
            handler.drop()
            what = "dropped: host closed while the answer waited"
        else:
            handler.send_reply(answer.status, answer.body, PAGE_TYPE, answer.headers)
        with self._lock:
            self.answers.append(replace(answer, what=what))
        self.notify(host.name, handler.recorded, answer.status, what)

    def describe(self):
        with self._lock:
            users = ", ".join(f"{u}{' (disabled)' if a.disabled else ''}" for u, a in self._accounts.items())
            maintenance = " MAINTENANCE" if self._maintenance else ""
        lines = [f"login service:{maintenance} accounts {users or '(none)'}"]
        for name, host in self.hosts.items():
            state = "down" if self.behaviour(name).down else "up"
            ports = " and ".join(str(p) for p in host.ports)
            lines.append(f"  login host {name}: https://{host.address} ports {ports}, "
                         f"POST {' or '.join(LOGIN_PAGES)}, pages {' '.join(self.pages)} ({state})")
        return lines


def from_config(section, deployment):
    """The service as a configuration's "login" section sets it up:
    "accounts": {user: {"password": ..., "disabled": false}}, "maintenance",
    and "hosts": {"1": {...}, ...} with HostBehaviour fields (body as text)."""
    section = dict(section or {})
    service = LoginService.on_deployment(deployment, section.get("accounts"))
    service.set_maintenance(section.get("maintenance", False))
    return service.configure_hosts(section.get("hosts"))
