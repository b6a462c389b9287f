"""The update package library end to end: parcel.exe and the real Parcelkit.dll /
v_zipfile.dll under Wine, checked against Info-ZIP and Python's zipfile."""
import re
import shutil
import struct
import subprocess
import zipfile
from pathlib import Path

from package_helpers import ENTRY_SIZE, HEADER_SIZE, MAGIC_FIELD, build_package, parcel, parse_package, tree

FIXTURES = Path(__file__).resolve().parents[1] / "data" / "package"
MANIFEST = b'<?xml version="1.0"?>\n<spkprotocol><version>2.0</version></spkprotocol>\n'


def make_source(base):
    src = base / "src"
    src.mkdir()
    (src / "a.dll").write_bytes(bytes(range(10)))
    (src / "b.txt").write_bytes(b"")
    (src / "c.bin").write_bytes(bytes(i * 7 % 251 for i in range(2000)))
    (base / "updateFile.xml").write_bytes(MANIFEST)
    return src


def test_packed_archive_is_standard_zip_holding_the_package(wine, build_dir, tmp_path):
    src = make_source(tmp_path)
    code, out, err = parcel(wine, build_dir, "pack", wine.winpath(src), wine.winpath(tmp_path / "updateFile.xml"),
                            wine.winpath(tmp_path / "PkUpdate.pk"))
    assert code == 0, err
    archive = tmp_path / "PkUpdate.pkzip"
    assert out.strip() == f"packed 4 files into {wine.winpath(tmp_path / 'PkUpdate.pk')}zip"
    assert not (tmp_path / "PkUpdate.pk").exists()

    test = subprocess.run(["unzip", "-t", str(archive)], capture_output=True, text=True)
    assert test.returncode == 0 and "No errors detected" in test.stdout, test.stdout
    with zipfile.ZipFile(archive) as z:
        assert z.testzip() is None
        assert [(i.filename, i.compress_type) for i in z.infolist()] == [("PkUpdate.pk", zipfile.ZIP_DEFLATED)]
        raw = z.read("PkUpdate.pk")
    assert raw == build_package([("updateFile.xml", MANIFEST), ("a.dll", bytes(range(10))), ("b.txt", b""),
                                 ("c.bin", (src / "c.bin").read_bytes())])
    assert [(n, o, s) for n, o, s, _ in parse_package(raw)] == [
        ("updateFile.xml", 1316, len(MANIFEST)), ("a.dll", 1316 + len(MANIFEST), 10),
        ("b.txt", 1326 + len(MANIFEST), 0), ("c.bin", 1326 + len(MANIFEST), 2000)]


def test_round_trip_through_the_installed_library(wine, build_dir, install_dir, tmp_path):
    # parcel.exe placed in the installation folder uses the DLLs shipped there.
    assert (Path(install_dir) / "v_zipfile.dll").exists()
    assert not (Path(install_dir) / "zlib1.dll").exists()
    exe = Path(install_dir) / "parcel.exe"
    shutil.copy(build_dir / "tools" / "parcel.exe", exe)
    src = make_source(tmp_path)
    update = Path(install_dir) / "Update"
    update.mkdir()
    code, _, err = parcel(wine, build_dir, "pack", wine.winpath(src), wine.winpath(tmp_path / "updateFile.xml"),
                          wine.winpath(update / "pk.dat"), exe=exe)
    assert code == 0, err
    (update / "c.bin").write_bytes(b"stale file of the same name")
    code, _, err = parcel(wine, build_dir, "unpack", wine.winpath(update / "pk.datzip"), wine.winpath(update) + "\\",
                          exe=exe)
    assert code == 0, err
    assert tree(update) == ["a.dll", "b.txt", "c.bin", "pk.datzip", "updateFile.xml"]
    assert (update / "c.bin").read_bytes() == (src / "c.bin").read_bytes()
    assert (update / "updateFile.xml").read_bytes() == MANIFEST


def test_infozip_archive_with_further_files_unpacks_them_beside_it(wine, build_dir, tmp_path):
    up, target = tmp_path / "up", tmp_path / "target"
    up.mkdir(), target.mkdir()
    staging = tmp_path / "staging"
    (staging / "data").mkdir(parents=True)
    (staging / "PkUpdate.pk").write_bytes(build_package([("x.dll", b"xx" * 5000)]))
    (staging / "notes.txt").write_bytes(b"beside\r\n")
    (staging / "data" / "b.dat").write_bytes(b"sub")
    subprocess.run(["zip", "-q", "-r", "-6", str(up / "u.zip"), "PkUpdate.pk", "notes.txt", "data"],
                   cwd=staging, check=True)
    code, _, err = parcel(wine, build_dir, "unpack", wine.winpath(up / "u.zip"), wine.winpath(target))
    assert code == 0, err
    assert tree(target) == ["x.dll"]
    assert (target / "x.dll").read_bytes() == b"xx" * 5000
    assert tree(up) == ["data/b.dat", "notes.txt", "u.zip"]


def test_entries_that_would_leave_their_folder_are_refused(wine, build_dir, tmp_path):
    for fixture in ("escape-zip.zip", "escape-inner.zip"):
        base = tmp_path / fixture
        up, target = base / "up", base / "target"
        up.mkdir(parents=True), target.mkdir()
        shutil.copy(FIXTURES / fixture, up / "u.zip")
        code, _, err = parcel(wine, build_dir, "unpack", wine.winpath(up / "u.zip"), wine.winpath(target))
        assert code == 1 and err.startswith("parcel: unpacking"), err
        assert tree(base) == ["up/PkUpdate.pk", "up/u.zip"], fixture
        assert not Path("/zip-root.txt").exists() and not Path("/zip-drive.txt").exists()


def test_list_shows_the_table(wine, build_dir):
    code, out, err = parcel(wine, build_dir, "list", wine.winpath(FIXTURES / "three-infozip.zip"))
    assert code == 0, err
    lines = out.splitlines()
    assert lines[0] == f"archive {wine.winpath(FIXTURES / 'three-infozip.zip')}: 2 entries"
    assert lines[1] == "first entry (the package): PkUpdate.pk"
    assert lines[2].endswith("PkUpdate.pk: 3 entries")
    assert [line.split() for line in lines[4:7]] == [["1052", "10", "a.dll"], ["1062", "0", "b.txt"],
                                                     ["1062", "2000", "c.bin"]]
    assert lines[7:] == ["further entry: readme.txt 19"], "what the unpack writes beside the package's files"
    code, _, err = parcel(wine, build_dir, "list", wine.winpath(FIXTURES / "escape-inner.zip"))
    assert code == 1 and err.strip().endswith("an entry name is not a bare file name"), err


def test_operator_errors_are_clear(wine, build_dir, tmp_path):
    src = make_source(tmp_path)
    (src / "sub").mkdir()
    code, _, err = parcel(wine, build_dir, "pack", wine.winpath(src), wine.winpath(tmp_path / "updateFile.xml"),
                          wine.winpath(tmp_path / "p.pk"))
    assert code == 1 and "sub is a folder; a package holds plain files only" in err, err
    (src / "sub").rmdir()
    code, _, err = parcel(wine, build_dir, "pack", wine.winpath(src), wine.winpath(src / "a.dll"),
                          wine.winpath(tmp_path / "p.pk"))
    assert (code, err.strip()) == (1, "parcel: the manifest must be named updateFile.xml")
    for i in range(100):
        (src / f"f{i:03d}").write_bytes(b"x")
    code, _, err = parcel(wine, build_dir, "pack", wine.winpath(src), wine.winpath(tmp_path / "updateFile.xml"),
                          wine.winpath(tmp_path / "p.pk"))
    assert (code, err.strip()) == (1, "parcel: 104 files; a package holds at most 100")
    assert tree(tmp_path) == sorted(["updateFile.xml"] + [f"src/{n}" for n in ["a.dll", "b.txt", "c.bin"]] +
                                    [f"src/f{i:03d}" for i in range(100)])
    code, _, err = parcel(wine, build_dir, "unpack", wine.winpath(tmp_path / "none.zip"), wine.winpath(tmp_path))
    assert (code, err.strip()) == (1, f"parcel: no archive {wine.winpath(tmp_path / 'none.zip')}")
    code, _, err = parcel(wine, build_dir, "frobnicate")
    assert code == 2 and err.startswith("usage: parcel release")


def test_timing_option_adds_one_line_after_the_usual_output(wine, build_dir, tmp_path):
    src = make_source(tmp_path)
    package = wine.winpath(tmp_path / "p.pk")
    code, out, err = parcel(wine, build_dir, "--timing", "pack", wine.winpath(src),
                            wine.winpath(tmp_path / "updateFile.xml"), package)
    assert code == 0, err
    lines = out.splitlines()
    assert lines[0] == f"packed 4 files into {package}zip"
    assert len(lines) == 2 and re.fullmatch(r"timing: ComposeFile \d+\.\d{6} s", lines[1]), lines
    target = tmp_path / "target"
    target.mkdir()
    code, out, err = parcel(wine, build_dir, "--timing", "unpack", package + "zip", wine.winpath(target))
    assert code == 0, err
    lines = out.splitlines()
    assert lines[0] == f"unpacked {package}zip into {wine.winpath(target)}"
    assert len(lines) == 2 and re.fullmatch(r"timing: DecomposeFile \d+\.\d{6} s", lines[1]), lines
    assert tree(target) == ["a.dll", "b.txt", "c.bin", "updateFile.xml"]

    # A failed call is timed too; its message stays on stderr.
    code, out, err = parcel(wine, build_dir, "--timing", "unpack", wine.winpath(tmp_path / "updateFile.xml"),
                            wine.winpath(target))
    assert code == 1 and err.startswith("parcel: unpacking"), err
    assert re.fullmatch(r"timing: DecomposeFile \d+\.\d{6} s\n", out.replace("\r\n", "\n")), out
    code, _, err = parcel(wine, build_dir, "--timing", "list", wine.winpath(FIXTURES / "three.pk"))
    assert code == 2 and err.startswith("usage: parcel release") and "--timing" in err, err


def test_entries_are_unpacked_from_their_own_offsets(wine, build_dir, tmp_path):
    # Not the writer's layout: a gap, a jump back, data shared by two entries,
    # entries back to back again, an empty entry at the very end.
    data = bytes(range(256)) * 40
    base = HEADER_SIZE + ENTRY_SIZE * 5
    table = [("later", base + 5000, 3000), ("first", base, 2000), ("again", base, 2000),
             ("next", base + 2000, 3000), ("empty", base + len(data), 0)]
    raw = MAGIC_FIELD + struct.pack("<i", len(table))
    for name, offset, size in table:
        raw += name.encode().ljust(256, b"\0") + struct.pack("<ii", offset, size)
    up, target = tmp_path / "up", tmp_path / "target"
    up.mkdir(), target.mkdir()
    with zipfile.ZipFile(up / "u.zip", "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("PkUpdate.pk", raw + data)
    code, _, err = parcel(wine, build_dir, "unpack", wine.winpath(up / "u.zip"), wine.winpath(target))
    assert code == 0, err
    for name, offset, size in table:
        assert (target / name).read_bytes() == data[offset - base:offset - base + size], name
