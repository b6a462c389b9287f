#!/usr/bin/env python3
"""Writes the package fixtures (and the fuzz seeds) of this folder.

three.pk            the three-file package a.dll (10 bytes), b.txt (0), c.bin (2000)
three-infozip.zip   three.pk as PkUpdate.pk plus readme.txt, zipped by Info-ZIP zip -6
empty.pk            a package with no entries
escape-zip.zip      a valid package beside entries named to leave the archive's folder
escape-inner.zip    a package whose entry names try to leave the target folder
"""
import os
import struct
import subprocess
import sys
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))


def package(entries):
    """entries: list of (name, data). Data back to back after the table."""
    out = b"ParcelkitPk\0".ljust(256, b"\0") + struct.pack("<i", len(entries))
    offset = 260 + 264 * len(entries)
    body = b""
    for name, data in entries:
        out += name.encode().ljust(256, b"\0") + struct.pack("<ii", offset, len(data))
        offset += len(data)
        body += data
    return out + body


def content(size, seed):
    out = bytearray()
    for _ in range(size):
        seed = (seed * 1103515245 + 12345) & 0xFFFFFFFF
        out.append((seed >> 16) & 0xFF)
    return bytes(out)


def main(folder):
    three = package([("a.dll", content(10, 1)), ("b.txt", b""), ("c.bin", content(2000, 3))])
    assert len(three) == 3062
    files = {"three.pk": three, "empty.pk": package([])}
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    with tempfile.TemporaryDirectory() as tmp:
        with open(os.path.join(tmp, "PkUpdate.pk"), "wb") as f:
            f.write(three)
        with open(os.path.join(tmp, "readme.txt"), "wb") as f:
            f.write(b"beside the package\n")
        target = os.path.join(folder, "three-infozip.zip")
        if os.path.exists(target):
            os.remove(target)
        subprocess.run(["zip", "-q", "-X", "-6", target, "PkUpdate.pk", "readme.txt"], cwd=tmp, check=True)
    with zipfile.ZipFile(os.path.join(folder, "escape-zip.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr(zipfile.ZipInfo("PkUpdate.pk"), package([("ok.txt", b"ok")]))
        for name in ("../zip-up.txt", "..\\zip-up2.txt", "C:/zip-drive.txt", "/zip-root.txt"):
            z.writestr(zipfile.ZipInfo(name), b"escaped")
    with zipfile.ZipFile(os.path.join(folder, "escape-inner.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr(zipfile.ZipInfo("PkUpdate.pk"),
                   package([("ok.txt", b"ok"), ("..\\inner-up.txt", b"escaped")]))
    # Stored (method 0) variant for the fuzz seeds.
    with zipfile.ZipFile(os.path.join(folder, "three-stored.zip"), "w", zipfile.ZIP_STORED) as z:
        z.writestr("PkUpdate.pk", three)


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else HERE)
