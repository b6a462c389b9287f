"""Helpers of the certificate installer's end-to-end tests: certificates from
the development CA script, running certs/Trustfit.exe, reading the local
machine's stores back, and a loopback HTTPS server."""
import http.server
import itertools
import ssl
import subprocess
import threading
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]
DEVCA_SCRIPT = REPO / "counterparts" / "devca" / "make-devca.sh"

BANNER = ("KELDA Trustfit Version 1.0.0\n"
          "版权所有 (C) 2026 Playmoor 保留所有权利。\n"
          "官方网站：http://www.vantor-online.example/\n"
          "客服邮箱：support@vantor-online.example\n"
          "\n")
INVALID_PARAMETER = "Invalid Parameter!\n\n"
IMPORTING = "Importing certificates...\n\n"
OPEN_FAILED = ("Unable to open PKCS#7 file for the reason:{}"
               "Make sure that the file certs.p7b is in the same directory with this application!")
DECODE_FAILED = "Certificate decode failed for the reason:{}"
IMPORTED = "{} certificate imported successfully!\n"

ERROR_FILE_NOT_FOUND = 2
CRYPT_E_ASN1_BADTAG = 0x8009310B


class DevCa:
    """One run of the development CA script: root, intermediate, server and
    the test leaves, with a label that makes every name its own."""

    def __init__(self, folder, label, hosts=("127.0.0.1",)):
        self.folder = Path(folder)
        self.label = label
        args = [str(DEVCA_SCRIPT), "--out", str(self.folder), "--label", label, "--test-leaves"]
        for host in hosts:
            args += ["--host", host]
        subprocess.run(args, check=True, timeout=120)

    def pem(self, name):
        return self.folder / f"{name}.pem"

    def display_name(self, name):
        return {
            "root-ca": "Vantor Development Root CA",
            "intermediate-ca": "Vantor Development Intermediate CA",
            "server": "Vantor Development Services",
            "leaf-plain": "Vantor Test Plain Leaf",
            "leaf-broken": "Vantor Test Broken Constraints",
        }[name] + " " + self.label

    def thumbprint(self, name):
        out = subprocess.run(["openssl", "x509", "-in", str(self.pem(name)), "-noout", "-fingerprint", "-sha1"],
                             check=True, capture_output=True, text=True).stdout
        return out.strip().split("=", 1)[1].replace(":", "").upper()

    def write_p7b(self, target, names):
        """A DER PKCS#7 file holding the named certificates."""
        args = ["openssl", "crl2pkcs7", "-nocrl", "-outform", "DER", "-out", str(target)]
        for name in names:
            args += ["-certfile", str(self.pem(name))]
        subprocess.run(args, check=True, capture_output=True)


def tool(build_dir, name):
    path = Path(build_dir) / "tools" / f"{name}.exe"
    if not path.exists():
        pytest.fail(f"{path} missing: tests/tools is not part of the Win32 build")
    return path


def run_trustfit(wine, install_dir, *args):
    """Runs certs/Trustfit.exe from an unrelated current folder; returns
    (exit status, console output decoded from code page 936)."""
    exe = Path(install_dir) / "certs" / "Trustfit.exe"
    result = wine.run([exe, *args], cwd="/", timeout=60)
    return result.returncode, result.stdout.decode("gbk")


class StoreContents:
    """The installer's three local-machine stores as read back at one moment:
    one entry per certificate context, so a duplicate would show twice."""

    STORES = ("Root", "CA", "AddressBook")

    def __init__(self, wine, build_dir):
        result = wine.run([tool(build_dir, "cert_store_list"), *self.STORES])
        assert result.returncode == 0, result.stdout
        self.entries = [line.split(" ", 2)[:2] for line in result.stdout.decode("gbk").splitlines() if line]

    def stores_of(self, thumbprint):
        """{store: copies} for every store that holds the certificate."""
        found = {}
        for store, held in self.entries:
            if held == thumbprint:
                found[store] = found.get(store, 0) + 1
        return found


def error_text(wine, build_dir, code):
    """The system's message text for an error code, as the installer prints it."""
    return wine.run([tool(build_dir, "error_text"), hex(code)]).stdout.decode("gbk")


def assert_output(output, head, pieces):
    """The output is head followed by the pieces, in the order the certificate
    store walk gave them (crypt32's, which need not be the file's)."""
    assert output.startswith(head), output
    rest = output[len(head):]
    assert any("".join(p) == rest for p in itertools.permutations(pieces)), \
        f"{rest!r} is not an ordering of {pieces!r}"


class HttpsServer:
    """A loopback HTTPS server in this process that answers every GET with 200
    and records the paths asked for. Binding port 443 needs root."""

    def __init__(self, address, port, certfile, keyfile):
        self.paths = []
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                server.paths.append(self.path)
                body = b"ok"
                self.send_response(200)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(str(certfile), str(keyfile))
        self._httpd = http.server.HTTPServer((address, port), Handler)
        self._httpd.socket = context.wrap_socket(self._httpd.socket, server_side=True)
        self._thread = threading.Thread(target=self._httpd.serve_forever, daemon=True)

    def __enter__(self):
        self._thread.start()
        return self

    def __exit__(self, *exc):
        self._httpd.shutdown()
        self._httpd.server_close()
        self._thread.join(timeout=10)
