"""What the launcher's window and files look like, as the tests expect them."""
import json
from pathlib import Path

# Control ID: (template text, layout x, y, width, height, visible after start-up)
MAIN_DIALOG_CONTROLS = {
    1011: ("官网", (220, 145, 164, 26), True),
    1009: ("论坛", (220, 186, 164, 26), True),
    1010: ("用户注册", (220, 227, 164, 26), True),
    1006: ("", (220, 266, 164, 26), True),
    1008: (None, (37, 149, 174, 144), True),
    1013: (None, (64, 319, 472, 37), True),
    1020: (None, (390, 149, 180, 150), False),
    1021: (None, (455, 368, 400, 40), True),
    1022: ("Skein游戏直通车", (390, 280, 187, 18), False),
    1027: ("登录", (440, 250, 77, 25), False),
    1026: ("用户名", (390, 170, 50, 20), False),
    1025: ("密码", (390, 200, 50, 20), False),
    1023: ("", (450, 170, 100, 18), False),
    1024: ("", (450, 200, 100, 18), False),
    1028: ("正在获取升级信息......", (400, 230, 140, 30), True),
    1029: (None, (400, 140, 160, 107), False),
}

LOGIN_PANEL_CONTROLS = (1022, 1027, 1029, 1023, 1024, 1026, 1025)


def deployment(build_dir):
    return json.loads((Path(build_dir) / "generated" / "deployment.json").read_text())


def default_client_info(login_hosts):
    lines = [
        "[ClientInfo]", "Version=2006.01.15", "Channel=234", "[Locations]", "count = 3",
        "[location1]", "ID = 1", "Name = 华南大区", f"Host = {login_hosts[0]}", "Port = 80", "Func = Login.aspx",
        "[location2]", "ID = 2", "Name = 华北网通", f"Host = {login_hosts[1]}", "Port = 80", "Func = Login.aspx",
        "[location3]", "ID = 3", "Name = 西部电信", f"Host = {login_hosts[2]}", "Port = 80", "Func = login.aspx",
    ]
    text = lines[0] + "\r\n" + "".join("\t\t\t\t\t " + line + "\r\n" for line in lines[1:])
    return text.encode("gbk") + b"\0"
