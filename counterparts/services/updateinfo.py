"""The update-info service: answers the launcher's

    GET /LoginPacketN/WebForm1.aspx?ver=<client version>

on port 8080 of update hosts A and B with a pkprotocol document:

    <pkprotocol><updateInfo><Url>package</Url><force>0|1</force></updateInfo></pkprotocol>

How it decides: an update is named when the client's version (the raw text
after "ver=", to the end of the query, since the launcher appends it
unescaped) differs from the latest version and a package URL is set;
otherwise updateInfo carries no Url, which means "no update".

Each host can be set apart, also while the service runs (`configure`):
down (not listening), slow (answers after a delay), a reply of another kind
(no Url, empty Url, broken XML, an HTML error page, a raw body), another HTTP
status, or its own latest version, package URL or force flag."""
from dataclasses import dataclass, field, replace
from xml.sax.saxutils import escape

from .recording_http import ConfigurableService

UPDATE_INFO_PORT = 8080
UPDATE_INFO_PATH = "/LoginPacketN/WebForm1.aspx"
CLIENT_DEFAULT_VERSION = "2006.01.15"   # the Version of a freshly created ClientInfo.ini

REPLY_KINDS = ("decide", "no-url", "empty-url", "broken-xml", "error-page", "raw")


@dataclass(frozen=True)
class UpdateOffer:
    """What the service offers. force None leaves the force element out."""
    latest_version: str = CLIENT_DEFAULT_VERSION
    package_url: str = ""
    force: str | None = "0"


@dataclass(frozen=True)
class HostBehaviour:
    down: bool = False          # not listening: connections are refused
    delay: float = 0.0          # seconds before the answer
    reply: str = "decide"       # one of REPLY_KINDS
    status: int = 200           # HTTP status of the answer, whatever its body
    body: bytes = b""           # the body of reply "raw"
    offer: dict = field(default_factory=dict)   # this host's own UpdateOffer fields

    def __post_init__(self):
        if self.reply not in REPLY_KINDS:
            raise ValueError(f"reply must be one of {REPLY_KINDS}, not {self.reply!r}")
        unknown = set(self.offer) - set(UpdateOffer.__dataclass_fields__)
        if unknown:
            raise ValueError(f"unknown offer fields {sorted(unknown)}")


def update_info_document(url, force):
    """The reply text (GBK bytes). url None leaves Url out; force None leaves force out."""
    lines = ['<?xml version="1.0" encoding="gb2312"?>', "<pkprotocol>", "  <updateInfo>"]
    if url is not None:
        lines.append(f"    <Url>{escape(url)}</Url>")
    if force is not None:
        lines.append(f"    <force>{escape(force)}</force>")
    lines += ["  </updateInfo>", "</pkprotocol>"]
    return ("\r\n".join(lines) + "\r\n").encode("gbk")


def broken_document(url, force):
    """A naming reply whose root element is never closed: a reader that
    accepts it would start an update from a truncated answer."""
    whole = update_info_document(url, force or "0")
    return whole[:whole.rindex(b"</pkprotocol>")]


ERROR_PAGE = (b"<html><head><title>Server Error</title></head>"
              b"<body><h1>Server Error in '/LoginPacketN' Application.</h1></body></html>\r\n")


def client_version(target):
    """The version text of an update-info request target (raw, as sent), or None
    when the target is not one."""
    path, _, query = target.partition("?")
    if path != UPDATE_INFO_PATH or not query.startswith("ver="):
        return None
    return query[len("ver="):]


class UpdateInfoService(ConfigurableService):
    """Hosts "A" and "B" (and more if given) on port 8080."""

    def __init__(self, hosts, offer=None, port=UPDATE_INFO_PORT):
        super().__init__(hosts, port, HostBehaviour)
        self._offer = offer or UpdateOffer()

    @classmethod
    def on_deployment(cls, deployment, offer=None, port=UPDATE_INFO_PORT):
        a, b = deployment["update_hosts"][:2]
        return cls({"A": a, "B": b}, offer, port)

    # ---- settings ---------------------------------------------------------
    @property
    def offer(self):
        with self._lock:
            return self._offer

    def set_offer(self, **fields):
        """Changes the offer of every host (latest_version, package_url, force)."""
        with self._lock:
            self._offer = replace(self._offer, **fields)

    def configure(self, name, **changes):
        """Changes how host name answers from now on. Keys: down, delay, reply,
        status, body, and latest_version, package_url, force for its own offer.
        Taking a host down closes its socket; bringing it up listens again."""
        offer_changes = {k: changes.pop(k) for k in list(changes) if k in UpdateOffer.__dataclass_fields__}
        self._change_behaviour(
            name, lambda current: replace(current, offer={**current.offer, **offer_changes}, **changes))

    def offer_of(self, name):
        """The offer host name makes: the service's, with the host's own fields."""
        with self._lock:
            return replace(self._offer, **self._behaviour[name].offer)

    # ---- answering --------------------------------------------------------
    def answer(self, name, target):
        """(status, body, what) for a request target at host name, by its behaviour."""
        behaviour = self.behaviour(name)
        offer = self.offer_of(name)
        version = client_version(target)
        if version is None:
            return 404, ERROR_PAGE, "not an update-info request"
        if behaviour.reply == "raw":
            return behaviour.status, behaviour.body, "raw body"
        if behaviour.reply == "error-page":
            return behaviour.status, ERROR_PAGE, "error page"
        if behaviour.reply == "no-url":
            return behaviour.status, update_info_document(None, None), "no Url"
        if behaviour.reply == "empty-url":
            return behaviour.status, update_info_document("", offer.force), "empty Url"
        if behaviour.reply == "broken-xml":
            return behaviour.status, broken_document(offer.package_url, offer.force), "broken XML"
        if version != offer.latest_version and offer.package_url:
            return (behaviour.status, update_info_document(offer.package_url, offer.force),
                    f"update named: {offer.package_url} force {offer.force}")
        return behaviour.status, update_info_document(None, None), "no update"

    def respond(self, host, handler):
        status, body, what = self.answer(host.name, handler.path)
        if not host.pause(self.behaviour(host.name).delay):
            handler.drop()
            what = "dropped: host closed while the answer waited"
        else:
            handler.send_reply(status, body, "text/xml; charset=gb2312")
        self.notify(host.name, handler.recorded, status, what)

    def describe(self):
        offer = self.offer
        lines = [f"update-info service: latest version {offer.latest_version!r}, "
                 f"package {offer.package_url or '(none)'}, force {offer.force!r}"]
        for name, host in self.hosts.items():
            state = "down" if self.behaviour(name).down else "up"
            lines.append(f"  host {name}: {host.url(UPDATE_INFO_PATH)}?ver=... ({state})")
        return lines


def from_config(section, deployment):
    """The service as a configuration's "update_info" section sets it up:
    latest_version, package_url, force, and "hosts": {"A": {...}, "B": {...}}
    with HostBehaviour fields (body as text) and offer fields per host."""
    section = dict(section or {})
    hosts = section.pop("hosts", {})
    default_url = f"http://{deployment['download_host']}/packages/VantorUpdate.vpk"
    offer = UpdateOffer(**{"package_url": default_url, **section})
    return UpdateInfoService.on_deployment(deployment, offer).configure_hosts(hosts)
