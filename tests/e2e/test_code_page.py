"""The launcher on a machine whose ANSI code page is not the players' GBK:
it cuts its own path into folder and file by that code page's rule. Under
code page 1252 the folder "Vantor Onliné" ends in the byte 0xE9, which GBK
would take as the lead byte of a character that swallows the "\\" after it."""
import pytest

from update_road import LOCATION_KEY
from vantor_bench.programs import InstallFolder
from vantor_bench.uidriver import wait_for

CODE_PAGE_1252_LOCALE = "fr_FR.UTF-8"   # Wine takes the ANSI code page from the locale's name


@pytest.fixture
def install_dir(tmp_path, build_dir):
    """An installation whose folder name ends in a character outside ASCII."""
    return InstallFolder(tmp_path / "Jeux" / "Vantor Onliné", build_dir / "image").path


def recorded_location(ui):
    raw = ui.reg_read("HKLM", LOCATION_KEY, "Location")
    return raw.rstrip(b"\0").decode("gbk", "replace") if raw else None


def test_launcher_under_code_page_1252_records_its_own_folder(launcher, ui, wine, install_dir, update_service,
                                                              recorders):
    ui.reg_write("HKLM", LOCATION_KEY, "Location", "")
    # Its window title is GBK text, which code page 1252 shows otherwise: the
    # launcher is not looked for by its title, only by what it records.
    launcher(wait=False, env={"LC_ALL": CODE_PAGE_1252_LOCALE})
    expected = wine.winpath(install_dir) + "\\"
    try:
        wait_for(lambda: recorded_location(ui) == expected, 60, what="the launcher to record its folder")
    except TimeoutError:
        pytest.fail(f"the launcher recorded {recorded_location(ui)!r}, not its folder {expected!r}")
