"""The operator's release road: parcel release over two client trees, the
real updater installing what it made, and what parcel refuses to make."""
import random
import shutil

import pytest

from counterparts.services.packages import PackageError, development_key, make_release
from launcher_panels import wait_for_login_panel
from package_helpers import parcel
from update_road import (LAUNCHER_EXE, NEW_VERSION, PACKAGE, UPDATER_EXE, client_version, installed_files,
                         marked_launcher, pids, update_folder, write_tree)
from vantor_bench.programs import LAUNCHER_TITLE
from vantor_bench.uidriver import wait_for

UPDATE_INFO_TARGET = "/LoginPacketN/WebForm1.aspx?ver="
DROPPED = "readme-2006.txt"   # in the old client only: a release cannot delete it
TOP_LEVEL_FILES = 150         # past the hundred files of the package format


def client_trees(build_dir, work):
    """OLD: the built client image with a data folder two deep and a file that the
    new client drops. NEW: OLD with a new launcher, new certificates, 150 new
    top-level files, a changed file two folders deep, and the dropped file gone."""
    old = work / "old"
    shutil.copytree(build_dir / "image", old)
    write_tree(old, {"data\\maps\\terrain.dat": b"old terrain" * 100, DROPPED: b"read me"})
    new = work / "new"
    shutil.copytree(old, new)
    (new / DROPPED).unlink()
    changes = {LAUNCHER_EXE: marked_launcher(build_dir, f"client {NEW_VERSION}"),
               "certs\\certs.p7b": (old / "certs" / "certs.p7b").read_bytes() + b"\0new certificates",
               "data\\maps\\terrain.dat": b"new terrain" * 120}
    changes.update({f"news-{i:03d}.txt": f"news {i} of {NEW_VERSION}\r\n".encode() * (i + 1)
                    for i in range(TOP_LEVEL_FILES)})
    write_tree(new, changes)
    return old, new, changes


def test_release_of_two_client_trees_brings_the_installation_to_the_new_tree(
        launcher, ui, wine, build_dir, install_dir, tmp_path, update_service, download_service, recorders,
        road_processes):
    old, new, changes = client_trees(build_dir, tmp_path)
    write_tree(install_dir, {"data\\maps\\terrain.dat": (old / "data/maps/terrain.dat").read_bytes(),
                             DROPPED: (old / DROPPED).read_bytes()})
    shutil.copyfile(build_dir / "image" / UPDATER_EXE, install_dir / UPDATER_EXE)   # the real updater
    release = make_release(wine, build_dir, old, new, tmp_path / PACKAGE, NEW_VERSION)

    assert sorted(release.items) == sorted(changes), "exactly the changed files"
    assert release.items[0] == LAUNCHER_EXE, "the launcher is copied first"
    assert len(release.warnings) == 1 and DROPPED in release.warnings[0], release.warnings
    code, listing, err = parcel(wine, build_dir, "list", wine.winpath(release.archive))
    assert code == 0, err
    further = {line.split()[2] for line in listing.splitlines() if line.startswith("further entry:")}
    assert {"certs\\certs.p7b", "data\\maps\\terrain.dat"} <= further
    assert len(further) == len(changes) - (100 - 1), "all but the package's 99 files travel beside it"

    download_service.add_package(PACKAGE, release.archive)
    update_service.set_offer(latest_version=NEW_VERSION, package_url=download_service.url(PACKAGE), force="1")
    first, _ = launcher(wait=False)
    assert first.wait_exit(timeout=60) == 0, "a forced update ends the launcher"
    relaunched = ui.wait_window(title=LAUNCHER_TITLE, timeout=120)
    wait_for_login_panel(ui, relaunched, timeout=60)

    installed = installed_files(install_dir)
    wanted = installed_files(new)
    # The recorders stand in for the certificate installer; everything else is NEW's own.
    replaced_by_recorders = {"certs/Trustfit.exe"}
    assert {p: d for p, d in installed.items() if p in wanted and p not in replaced_by_recorders} == \
        {p: d for p, d in wanted.items() if p not in replaced_by_recorders}
    assert DROPPED in set(installed) - set(wanted), "the dropped file stays, as parcel warned"
    assert client_version(install_dir) == NEW_VERSION
    assert update_folder(install_dir) == {}
    wait_for(lambda: UPDATE_INFO_TARGET + NEW_VERSION in {r.target for r in update_service.requests()}, 30,
             what="the new launcher's update check")
    assert len(pids(ui, LAUNCHER_EXE)) == 1 and not pids(ui, UPDATER_EXE), "the new launcher finds no update"


def _changed_updater(new):
    (new / UPDATER_EXE).write_bytes((new / UPDATER_EXE).read_bytes() + b"\0new updater")
    return UPDATER_EXE, "cannot replace its own program"


def _name_outside_code_page_936(new):
    (new / "\ud55c\uad6d.txt").write_bytes(b"x")   # Hangul, which GBK lacks
    return ".txt", "code page 936"


def _new_folder(new):
    write_tree(new, {"music\\theme.ogg": b"ogg"})
    return "music\\theme.ogg", "not in OLD"


def _long_path(new):
    name = "n" * 146 + ".txt"
    (new / name).write_bytes(b"x")
    return name, "149 bytes"


def _missing_tree(new):
    shutil.rmtree(new)
    return "", "no such folder"


def test_release_on_a_full_disk_says_so_and_leaves_no_partial_archive(wine, build_dir, tmp_path):
    old = tmp_path / "old"
    write_tree(old, {"a.txt": b"a"})
    new = write_tree(tmp_path / "new", {"a.txt": b"b", "big.dat": random.Random(3).randbytes(3 << 20)})
    out = tmp_path / "out"
    out.mkdir()
    result = wine.run([build_dir / "tools" / "parcel.exe", "release", wine.winpath(old), wine.winpath(new),
                       wine.winpath(out / PACKAGE), "--version", NEW_VERSION, "--key",
                       wine.winpath(development_key(build_dir))], timeout=120, file_size_limit=1 << 20)
    assert result.returncode == 1 and b"disk is full" in result.stderr, result.stderr
    assert list(out.iterdir()) == []


REFUSALS = {"changed updater": _changed_updater, "name outside code page 936": _name_outside_code_page_936,
            "new folder": _new_folder, "path too long": _long_path, "missing tree": _missing_tree}


@pytest.mark.parametrize("fault", list(REFUSALS))
def test_release_refuses_what_the_updater_cannot_carry_and_writes_nothing(wine, build_dir, tmp_path, fault):
    old = tmp_path / "old"
    shutil.copytree(build_dir / "image", old)
    new = tmp_path / "new"
    shutil.copytree(old, new)
    (new / "news.txt").write_bytes(b"news")
    named, reason = REFUSALS[fault](new)
    out = tmp_path / "out"
    out.mkdir()
    with pytest.raises(PackageError) as refused:
        make_release(wine, build_dir, old, new, out / PACKAGE, NEW_VERSION)
    assert named in str(refused.value) and reason in str(refused.value), refused.value
    assert list(out.iterdir()) == [], "no archive and no work folder left behind"
