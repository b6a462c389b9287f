"""Update packages as the operator makes them, with parcel.exe
(build/win32/tools/parcel.exe, with the Parcelkit.dll and v_zipfile.dll beside
it) under Wine and the development key. The signed archive is the file the
download service serves; the updater refuses any other.

    make_release(wine, build_dir, old_tree, new_tree, folder / "Up.vpk", "2.0")
        the operator's one command (parcel release): what new_tree adds or
        changes against old_tree, its manifest, packed and signed
    make_package(wine, build_dir, source_folder, manifest_document("2.0", ["a.dll"]), folder / "Up.vpk")
        a package of a hand-written manifest (parcel pack, then parcel sign), for
        packages that a release would refuse to make

wine: an object with run(args, timeout=...) -> CompletedProcess and
winpath(path) -> "Z:\\...", as the test bench's WineEnv has."""
import os
import shutil
import tempfile
from dataclasses import dataclass
from pathlib import Path
from xml.sax.saxutils import escape

MANIFEST_NAME = "updateFile.xml"
INNER_NAME = "PkUpdate.pk"   # the package inside the archive; the updater unpacks it under this name


class PackageError(RuntimeError):
    """parcel.exe could not make the package."""


@dataclass(frozen=True)
class Release:
    archive: Path
    version: str
    items: tuple      # the manifest's copy list, in the order parcel chose
    warnings: tuple   # parcel's warnings (files gone from the new tree, players' own files left out)


def make_release(wine, build_dir, old_tree, new_tree, target, version, display_version=None, key=None,
                 timeout=300):
    """Runs parcel.exe release over two client trees into the archive target and
    returns a Release. Raises PackageError with parcel's own messages when it
    refuses; nothing is left at target then."""
    target = Path(target)
    target.parent.mkdir(parents=True, exist_ok=True)
    args = [parcel_exe(build_dir), "release", wine.winpath(old_tree), wine.winpath(new_tree), wine.winpath(target),
            "--version", version, "--key", wine.winpath(key or development_key(build_dir))]
    if display_version is not None:
        args += ["--display", display_version]
    result = wine.run(args, timeout=timeout)
    out = result.stdout.decode("gbk", "replace")
    err = result.stderr.decode("gbk", "replace")
    if result.returncode != 0 or not target.is_file():
        raise PackageError(f"parcel.exe release ended with {result.returncode}: {err.strip() or out.strip()}")
    # The summary lists the shipped files in copy order, one "  <path> <size>" a line.
    items = tuple(line[2:].rsplit(" ", 1)[0] for line in out.splitlines() if line.startswith("  "))
    warnings = tuple(line for line in err.splitlines() if "warning:" in line)
    return Release(target, version, items, warnings)


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


def development_key(build_dir):
    """The development deployment's signing key (PKCS#8 PEM), made with the development CA."""
    return Path(build_dir) / "counterparts" / "devca" / "codesign.key"


def sign_package(wine, build_dir, archive, key=None, timeout=120):
    """Adds a signature to archive with parcel.exe sign (key: a PEM RSA private
    key, by default the development key). Raises PackageError when parcel refuses."""
    result = wine.run([parcel_exe(build_dir), "sign", wine.winpath(archive),
                       wine.winpath(key or development_key(build_dir))], timeout=timeout)
    if result.returncode != 0:
        message = (result.stderr or result.stdout).decode("gbk", "replace").strip()
        raise PackageError(f"parcel.exe sign ended with {result.returncode}: {message}")
    return Path(archive)


def make_package(wine, build_dir, source_folder, manifest, target, inner_name=INNER_NAME, timeout=120, sign=True):
    """Packs the manifest and the plain files of source_folder with parcel.exe
    into the archive target (any name: the archive is moved there) and signs it
    with the development key unless sign is false; returns target as a Path.
    manifest: the path of a file named updateFile.xml (it may lie in
    source_folder), or its content as bytes. Raises PackageError with parcel's
    own message when packing or signing fails; nothing is left at target then."""
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
        if sign:
            sign_package(wine, build_dir, archive, timeout=timeout)
        os.replace(archive, target)
        return target
    finally:
        shutil.rmtree(staging, ignore_errors=True)
