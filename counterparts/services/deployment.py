"""The host addresses of a deployment, as the build generated them from
cmake/deployments/<name>.cmake."""
import json
import os
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
# The Windows build tree: build/win32, or the folder that VANTOR_BUILD_DIR names
# (build/win64 on machines that run the tests under 64-bit Wine).
WINDOWS_BUILD = Path(os.environ.get("VANTOR_BUILD_DIR") or REPO / "build" / "win32")
DEFAULT_DEPLOYMENT = WINDOWS_BUILD / "generated" / "deployment.json"


def load_deployment(path=None):
    """The deployment's hosts as a dict (keys "update_hosts", "login_hosts", ...)."""
    path = Path(path or DEFAULT_DEPLOYMENT)
    if not path.exists():
        raise FileNotFoundError(f"{path} not found: build the Win32 tree first (scripts/build.sh win32)")
    return json.loads(path.read_text())
