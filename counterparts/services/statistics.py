"""The statistics service: records the launcher's first-login report

    GET /default.aspx   with the body  account=<user>&version=<version>&type=<channel>

(a GET that carries a body and its Content-Length) on port 80 of statistics
hosts A and B, plain HTTP, and answers with the status set for the host:
200 (the launcher then marks the report as made) or anything else, such as 404.
Other paths answer 404. The body is recorded raw; nothing in it is unescaped."""
from dataclasses import dataclass, replace

from .recording_http import ConfigurableService

STATISTICS_PORT = 80
STATISTICS_PATH = "/default.aspx"

OK_PAGE = b"ok\r\n"
NOT_FOUND_PAGE = b"<html><body><h1>404 Not Found</h1></body></html>\r\n"


@dataclass(frozen=True)
class HostBehaviour:
    down: bool = False     # not listening: connections are refused
    delay: float = 0.0     # seconds before the answer
    status: int = 200      # status of the answer to a report


def report_fields(body):
    """{name: value} of a report body (GBK text), split at "&" and the first "=",
    nothing unescaped. Texts after a stray "&" (an account "a&b") show up as
    fields of their own: compare whole bodies where that matters."""
    fields = {}
    for part in body.decode("gbk", "replace").split("&"):
        name, _, value = part.partition("=")
        fields.setdefault(name, value)
    return fields


class StatisticsService(ConfigurableService):
    """Hosts "A" and "B" on port 80."""

    def __init__(self, hosts, port=STATISTICS_PORT):
        super().__init__(hosts, port, HostBehaviour)

    @classmethod
    def on_deployment(cls, deployment, port=STATISTICS_PORT):
        a, b = deployment["stat_hosts"][:2]
        return cls({"A": a, "B": b}, port)

    def configure(self, name, **changes):
        """Changes how host name answers from now on: down, delay, status."""
        self._change_behaviour(name, lambda current: replace(current, **changes))

    def reports(self, name=None):
        """Bodies of the reports (GET /default.aspx) a host, or both, received."""
        return [r.body for r in self.requests(name) if r.method == "GET" and r.path == STATISTICS_PATH]

    def respond(self, host, handler):
        request = handler.recorded
        behaviour = self.behaviour(host.name)
        if request.path == STATISTICS_PATH:
            status, what = behaviour.status, f"report {request.body!r}"
        else:
            status, what = 404, "not a report"
        if not host.pause(behaviour.delay):
            handler.drop()
            what = "dropped: host closed while the answer waited"
        else:
            handler.send_reply(status, OK_PAGE if status == 200 else NOT_FOUND_PAGE)
        self.notify(host.name, request, status, what)

    def describe(self):
        lines = ["statistics service:"]
        for name, host in self.hosts.items():
            behaviour = self.behaviour(name)
            state = "down" if behaviour.down else f"answers {behaviour.status}"
            lines.append(f"  statistics host {name}: {host.url(STATISTICS_PATH)} ({state})")
        return lines


def from_config(section, deployment):
    """The service as a configuration's "statistics" section sets it up:
    "hosts": {"A": {"status": 200}, "B": {...}} with HostBehaviour fields."""
    return StatisticsService.on_deployment(deployment).configure_hosts(dict(section or {}).get("hosts"))
