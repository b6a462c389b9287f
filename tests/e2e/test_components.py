"""The game's outside components in an installation folder under Wine:
regsvr32 registers and removes PlaymoorEncrypt.dll and PlaymoorPlugin.dll
from where they lie, and the Vantor.exe stand-in records its command line and
names region and user in its window."""
import pytest

from vantor_bench.uidriver import wait_for

ENCRYPT_CLSID = "{C47F5BD3-0E04-41C5-A417-FA453F5EE3BE}"
PLUGIN_CLSID = "{8B3E52A1-6C0D-4F27-9D15-3A7E4C9B6F02}"
COMPONENTS = {"PlaymoorEncrypt.dll": ENCRYPT_CLSID, "PlaymoorPlugin.dll": PLUGIN_CLSID}
CLASSES = r"Software\Classes\CLSID"

GAME_TITLE = "Vantor Online — 游戏客户端"
REGION_LABEL, USER_LABEL = 101, 102
GAME_RECORD = "Vantor.cmdline.txt"
VK_ESCAPE = 0x1B


def server_path(ui, clsid):
    """InprocServer32's default value as ANSI text, or None."""
    data = ui.reg_read("HKLM", rf"{CLASSES}\{clsid}\InprocServer32", "")
    return None if data is None else data.rstrip(b"\0").decode("gbk")


def regsvr32(wine, *args):
    result = wine.run(["regsvr32", "/s", *args], timeout=120)
    assert result.returncode == 0, f"regsvr32 {' '.join(map(str, args))} ended with {result.returncode}"


@pytest.fixture
def registrations_restored(wine, ui):
    """Other tests of the session rely on the component registered from the
    built image; put back whatever was registered before this test."""
    before = {clsid: server_path(ui, clsid) for clsid in COMPONENTS.values()}
    yield
    for clsid, path in before.items():
        if path:
            regsvr32(wine, path)
        elif server_path(ui, clsid):
            regsvr32(wine, "/u", server_path(ui, clsid))


# ---- registration with regsvr32 ---------------------------------------------------

@pytest.mark.parametrize("dll", sorted(COMPONENTS))
def test_regsvr32_registers_the_component_from_a_folder_with_blanks(wine, ui, install_dir, dll,
                                                                    registrations_restored):
    assert " " in install_dir.name
    clsid = COMPONENTS[dll]
    regsvr32(wine, wine.winpath(install_dir / dll))

    assert clsid in wine.reg_keys(rf"HKEY_LOCAL_MACHINE\{CLASSES}")
    assert ui.reg_read("HKLM", rf"{CLASSES}\{clsid}\InprocServer32", "") == \
        wine.winpath(install_dir / dll).encode("gbk") + b"\0"
    assert ui.reg_read("HKLM", rf"{CLASSES}\{clsid}\InprocServer32", "ThreadingModel") == b"Apartment\0"


@pytest.mark.parametrize("dll", sorted(COMPONENTS))
def test_regsvr32_unregister_removes_the_class_key(wine, ui, install_dir, dll, registrations_restored):
    clsid = COMPONENTS[dll]
    path = wine.winpath(install_dir / dll)
    regsvr32(wine, path)
    regsvr32(wine, "/u", path)

    assert clsid not in wine.reg_keys(rf"HKEY_LOCAL_MACHINE\{CLASSES}")
    assert ui.reg_read("HKLM", rf"{CLASSES}\{clsid}\InprocServer32", "") is None
    regsvr32(wine, "/u", path)  # removing what is not there is no failure


def test_registering_again_from_another_folder_moves_the_registration(wine, ui, install_dir, tmp_path,
                                                                      registrations_restored):
    # The launcher registers from its own folder at every start; the newest wins.
    other = tmp_path / "SecondCopy"
    other.mkdir()
    (other / "PlaymoorEncrypt.dll").write_bytes((install_dir / "PlaymoorEncrypt.dll").read_bytes())
    regsvr32(wine, wine.winpath(install_dir / "PlaymoorEncrypt.dll"))
    regsvr32(wine, wine.winpath(other / "PlaymoorEncrypt.dll"))
    assert server_path(ui, ENCRYPT_CLSID) == wine.winpath(other / "PlaymoorEncrypt.dll")


# ---- the game stand-in --------------------------------------------------------------

def start_game(programs, install_dir, *args):
    return programs(install_dir / "Vantor.exe", *args, cwd=install_dir.parent)


def recorded_command_line(install_dir):
    path = install_dir / GAME_RECORD
    return wait_for(lambda: path.exists() and path.read_bytes(), 60, what=GAME_RECORD)


def test_game_records_its_command_line_and_names_region_and_user(wine, ui, programs, install_dir):
    program = start_game(programs, install_dir, "2", "player1", "PMT-2A2B", "1")
    window = ui.wait_window(title=GAME_TITLE, timeout=60)

    # Wine quotes the program path (it has a blank); the arguments pass as given.
    game = wine.winpath(install_dir / "Vantor.exe")
    assert recorded_command_line(install_dir) == f'"{game}" 2 player1 PMT-2A2B 1'.encode("gbk")
    assert ui.control(window.hwnd, REGION_LABEL).text == "大区：2"
    assert ui.control(window.hwnd, USER_LABEL).text == "用户：player1"

    ui.key(window.hwnd, VK_ESCAPE)
    assert program.wait_exit(timeout=30) == 0


def test_game_replaces_an_earlier_longer_record(wine, ui, programs, install_dir):
    (install_dir / GAME_RECORD).write_bytes(b"x" * 600)
    program = start_game(programs, install_dir, "10", "abcd", "", "1")
    window = ui.wait_window(title=GAME_TITLE, timeout=60)

    game = wine.winpath(install_dir / "Vantor.exe")
    # The empty token reaches the program as an empty quoted argument.
    assert recorded_command_line(install_dir) == f'"{game}" 10 abcd "" 1'.encode("gbk")
    assert not (install_dir / (GAME_RECORD + ".partial")).exists()
    assert ui.control(window.hwnd, USER_LABEL).text == "用户：abcd"

    ui.post_close(window.hwnd)
    assert program.wait_exit(timeout=30) == 0


def test_game_without_arguments_still_shows_its_window(ui, programs, install_dir):
    program = start_game(programs, install_dir)
    window = ui.wait_window(title=GAME_TITLE, timeout=60)
    assert ui.control(window.hwnd, REGION_LABEL).text == "大区："
    assert recorded_command_line(install_dir).endswith(b'Vantor.exe"')
    ui.key(window.hwnd, VK_ESCAPE)
    assert program.wait_exit(timeout=30) == 0
