"""Starts every counterpart service of a deployment in the foreground and
prints what it serves and each request it answers; Ctrl-C (or SIGTERM) stops
them.

    /usr/bin/python3 counterparts/services/run.py [--config FILE] [--deployment FILE] [--quiet]

FILE is JSON with one section per service (see dev.json beside this file);
a missing section leaves that service at its defaults."""
import argparse
import json
import signal
import sys
import threading
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2]))

from counterparts.services import download, login, statistics, updateinfo, web  # noqa: E402
from counterparts.services.deployment import DEFAULT_DEPLOYMENT, load_deployment  # noqa: E402

# (configuration section, factory(section, deployment)); each later service adds its line.
SERVICES = [
    ("update_info", updateinfo.from_config),
    ("login", login.from_config),
    ("statistics", statistics.from_config),
    ("download", download.from_config),
    ("web", web.from_config),
]


def print_request(service_name):
    def observe(host, request, status, what):
        stamp = time.strftime("%H:%M:%S", time.localtime(request.time))
        # One write per line: answers on two hosts' threads must not run into each other.
        sys.stdout.write(f"{stamp} {service_name} host {host} {request.method} {request.target} -> {status} ({what})\n")
        sys.stdout.flush()
    return observe


def start_services(config, deployment, observe=True):
    """Starts every service with its section of config; returns them running.
    observe: print each request as it is answered. A service that cannot
    listen stops the ones already started and raises OSError."""
    running = []
    try:
        for section, factory in SERVICES:
            service = factory(config.get(section), deployment)
            if observe:
                service.observers.append(print_request(section))
            running.append(service.start())
    except OSError:
        stop_services(running)
        raise
    return running


def stop_services(running):
    for service in reversed(running):
        service.stop()


def main(argv=None):
    parser = argparse.ArgumentParser(description="Runs the counterpart services of a deployment.")
    parser.add_argument("--config", type=Path, help="JSON settings, one section per service")
    parser.add_argument("--deployment", type=Path, default=DEFAULT_DEPLOYMENT,
                        help=f"deployment.json of the build (default {DEFAULT_DEPLOYMENT})")
    parser.add_argument("--quiet", action="store_true", help="do not print each request")
    args = parser.parse_args(argv)

    config = json.loads(args.config.read_text(encoding="utf-8")) if args.config else {}
    try:
        running = start_services(config, load_deployment(args.deployment), observe=not args.quiet)
    except (OSError, ValueError, TypeError) as error:
        print(f"run.py: {error}", file=sys.stderr)
        return 1
    for service in running:
        for line in service.describe():
            print(line, flush=True)
    print("serving; Ctrl-C stops", flush=True)
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    try:
        stop.wait()
    finally:
        stop_services(running)
    print("stopped", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
