"""Hosts that accept connections and never answer: they hold the launcher's
update check (or any other exchange) open for as long as a test needs."""
import socket
import threading


class SilentHosts:
    def __init__(self, addresses, port):
        self._sockets = []
        self._accepted = []
        self._stop = threading.Event()
        self._threads = []
        for address in addresses:
            s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            s.bind((address, port))
            s.listen(16)
            s.settimeout(0.2)
            self._sockets.append(s)
            thread = threading.Thread(target=self._accept, args=(s,), daemon=True)
            thread.start()
            self._threads.append(thread)

    def _accept(self, listener):
        while not self._stop.is_set():
            try:
                conn, _ = listener.accept()
                self._accepted.append(conn)  # kept open, never answered
            except OSError:
                continue

    @property
    def connections(self):
        return len(self._accepted)

    def close(self):
        # A listener is only released once its accept() has returned.
        self._stop.set()
        for thread in self._threads:
            thread.join(timeout=5)
        for s in self._sockets + self._accepted:
            try:
                s.close()
            except OSError:
                pass
