"""Only the operator's signed packages are installed: under Wine, the real
updater (force 1, the launcher already gone) is served archives that no key
it carries has signed. Each time it tells the player, deletes the archive,
unzips nothing, starts no delivered autoupdate.exe and changes no installed
file, and the launcher's next start offers the update again. The byte-level
refusals (every part of the archive flipped, cut, oversized blocks) are the
Win32 tests' (tests/win32/package/signature_verify_test.cpp)."""
import shutil
import subprocess
from types import SimpleNamespace

import pytest

from update_road import (LAUNCHER_EXE, NEW_VERSION, PACKAGE, SELF_UPDATE_EXE, UPDATER_EXE, client_version,
                         installed_files, make_handmade_package, make_update_package, pids, prepare_install,
                         update_folder)
from launcher_panels import DEFAULT_VERSION
from counterparts.services.packages import sign_package

NOT_SIGNED = "下载的升级包已损坏或不是官方发布的,下次启动登陆器时将重新升级!"


def zip_comment_at(data):
    """Offset of the end record's comment length field (the comment follows it)."""
    end = data.rfind(b"PK\x05\x06")
    assert end >= 0
    return end + 20


def with_comment(data, comment):
    at = zip_comment_at(data)
    return data[:at] + len(comment).to_bytes(2, "little") + comment


def comment_of(data):
    return data[zip_comment_at(data) + 2:]


def foreign_key(folder):
    key = folder / "foreign.key"
    subprocess.run(["openssl", "genrsa", "-out", str(key), "2048"], check=True, capture_output=True)
    return key


def unsigned(ctx):
    return with_comment(ctx.archive.read_bytes(), b"")


def tampered(ctx):
    data = bytearray(ctx.archive.read_bytes())
    data[len(data) // 3] ^= 0x01   # inside the deflated inner package
    return bytes(data)


def signed_by_a_foreign_key(ctx):
    other = ctx.tmp_path / "foreign.vpk"
    other.write_bytes(unsigned(ctx))
    sign_package(ctx.wine, ctx.build_dir, other, key=foreign_key(ctx.tmp_path))
    return other.read_bytes()


def block_of_another_archive(ctx):
    # A correctly signed archive of other content lends its signature block.
    other = make_update_package(ctx.wine, ctx.build_dir, ctx.tmp_path / "other", {"news.txt": b"other news"})
    return with_comment(ctx.archive.read_bytes(), comment_of(other.archive.read_bytes()))


BAD_ARCHIVES = {"unsigned": unsigned, "tampered": tampered, "foreign key": signed_by_a_foreign_key,
                "copied signature block": block_of_another_archive}


@pytest.mark.parametrize("bad", list(BAD_ARCHIVES))
def test_archive_without_the_operators_signature_is_refused(
        ui, wine, build_dir, install_dir, tmp_path, download_service, update_service, run_updater, launcher,
        recorders, bad):
    prepare_install(wine, ui, install_dir)
    recorder = (build_dir / "counterparts" / "recorder.exe").read_bytes()
    package = make_handmade_package(wine, build_dir, tmp_path / "package",
                                    {SELF_UPDATE_EXE: recorder, "news.txt": b"news"})
    served = BAD_ARCHIVES[bad](SimpleNamespace(archive=package.archive, wine=wine, build_dir=build_dir,
                                               tmp_path=tmp_path))
    download_service.add_package(PACKAGE, served)
    shutil.copyfile(build_dir / "image" / UPDATER_EXE, install_dir / UPDATER_EXE)
    before = installed_files(install_dir)

    updater = run_updater(f"{download_service.url(PACKAGE)}|1")
    box = ui.wait_message_box(timeout=60)
    assert (box.text, box.buttons) == (NOT_SIGNED, [1])
    ui.press(box)
    updater.wait_exit(timeout=30)

    assert installed_files(install_dir) == before
    assert client_version(install_dir) == DEFAULT_VERSION
    assert update_folder(install_dir) == {}, "the archive is deleted and nothing is unzipped"
    assert not (install_dir / "Update" / (SELF_UPDATE_EXE + ".cmdline.log")).exists(), "nothing delivered runs"

    # The next start of the launcher asks with the old version and offers the update again.
    recorders.install(UPDATER_EXE)
    update_service.set_offer(latest_version=NEW_VERSION, package_url=download_service.url(PACKAGE), force="1")
    program, _ = launcher(wait=False)
    [line] = recorders.wait_lines(UPDATER_EXE, 1, timeout=60)
    assert line.rstrip().endswith(f"{download_service.url(PACKAGE)}|1".encode())
    assert program.wait_exit(timeout=60) == 0
    assert not pids(ui, LAUNCHER_EXE)
