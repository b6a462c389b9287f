"""Helpers of the package tests: the inner package format in Python, and parcel.exe
runs under Wine."""
import struct
from pathlib import Path

MAGIC_FIELD = b"ParcelkitPk\0".ljust(256, b"\0")
HEADER_SIZE = 260
ENTRY_SIZE = 264


def build_package(entries):
    """entries: [(name, data)]: the layout the writer makes (data back to back)."""
    out = MAGIC_FIELD + struct.pack("<i", len(entries))
    offset = HEADER_SIZE + ENTRY_SIZE * len(entries)
    for name, data in entries:
        out += name.encode("gbk").ljust(256, b"\0") + struct.pack("<ii", offset, len(data))
        offset += len(data)
    return out + b"".join(data for _, data in entries)


def parse_package(raw):
    """[(name, offset, size, data)] of a package; asserts the magic field's text."""
    assert raw[:12] == b"ParcelkitPk\0", raw[:12]
    (count,) = struct.unpack_from("<i", raw, 256)
    entries = []
    for i in range(count):
        at = HEADER_SIZE + ENTRY_SIZE * i
        name = raw[at:at + 256].split(b"\0", 1)[0].decode("gbk")
        offset, size = struct.unpack_from("<ii", raw, at + 256)
        entries.append((name, offset, size, raw[offset:offset + size]))
    return entries


def parcel(wine, build_dir, *args, exe=None):
    """Runs parcel.exe; gives (exit code, stdout text, stderr text)."""
    program = exe or Path(build_dir) / "tools" / "parcel.exe"
    result = wine.run([program, *args], timeout=120)
    return result.returncode, result.stdout.decode("gbk", "replace"), result.stderr.decode("gbk", "replace")


def tree(folder):
    """Every file below folder as a sorted list of relative POSIX paths."""
    folder = Path(folder)
    return sorted(p.relative_to(folder).as_posix() for p in folder.rglob("*") if p.is_file())
