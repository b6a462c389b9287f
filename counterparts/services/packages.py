"""Update packages as the operator makes them: the manifest updateFile.xml
and parcel.exe pack (build/win32/tools/parcel.exe, with the Parcelkit.dll
and v_zipfile.dll beside it) run under Wine. The archive it writes is the
file the download service serves.

    make_package(wine, build_dir, source_folder, manifest_document("2.0", ["a.dll"]), folder / "Up.vpk")

wine: an object with run(args, timeout=...) -> CompletedProcess and
winpath(path) -> "Z:\\...", as the test bench's WineEnv has."""
import os
import shutil
import tempfile
from pathlib import Path
from xml.sax.saxutils import escape

MANIFEST_NAME = "updateFile.xml"
INNER_NAME = "PkUpdate.pk"   # the package inside the archive; the updater unpacks it under this name


class PackageError(RuntimeError):
    """parcel.exe could not make the package."""


def manifest_document(version=None, items=(), display_version=None):
    """An updateFile.xml (GBK bytes): version and displayVersion when given,
    then a copyfile list with one item per path (subfolders separated by "\\")."""
    lines = ['<?xml version="1.0" encoding="gb2312"?>', "<spkprotocol>"]
    if version is not None:
        lines.append(f"  <version>{escape(version)}</version>")
    if display_version is not None:
        lines.append(f"  <displayVersion>{escape(display_version)}</displayVersion>")
    lines.append("  <copyfile>")
    lines += [f"    <item>{escape(item)}</item>" for item in items]
    lines += ["  </copyfile>", "</spkprotocol>"]
    return ("\r\n".join(lines) + "\r\n").encode("gbk")


def parcel_exe(build_dir):
    exe = Path(build_dir) / "tools" / "parcel.exe"
    if not exe.exists():
        raise FileNotFoundError(f"{exe} missing: build the Win32 tree first (scripts/build.sh win32)")
    return exe


def make_package(wine, build_dir, source_folder, manifest, target, inner_name=INNER_NAME, timeout=120):
    """Packs the manifest and the plain files of source_folder with parcel.exe
    into the archive target (any name: the archive is moved there); returns
    target as a Path. manifest: the path of a file named updateFile.xml (it
    may lie in source_folder), or its content as bytes. Raises PackageError
    with parcel's own message when packing fails; nothing is left at target then."""
    target = Path(target)
    target.parent.mkdir(parents=True, exist_ok=True)
    staging = Path(tempfile.mkdtemp(prefix=".parcel-", dir=target.parent))
    try:
        if isinstance(manifest, (bytes, bytearray)):
            manifest_path = staging / MANIFEST_NAME
            manifest_path.write_bytes(manifest)
        else:
            manifest_path = Path(manifest)
        package = staging / inner_name
        result = wine.run([parcel_exe(build_dir), "pack", wine.winpath(source_folder), wine.winpath(manifest_path),
                           wine.winpath(package)], timeout=timeout)
        archive = staging / (inner_name + "zip")
        if result.returncode != 0 or not archive.is_file():
            message = (result.stderr or result.stdout).decode("gbk", "replace").strip()
            raise PackageError(f"parcel.exe pack ended with {result.returncode}: {message}")
        os.replace(archive, target)
        return target
    finally:
        shutil.rmtree(staging, ignore_errors=True)
