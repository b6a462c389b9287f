"""The host addresses of a deployment, as the build generated them from
cmake/deployments/<name>.cmake."""
import json
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
DEFAULT_DEPLOYMENT = REPO / "build" / "win32" / "generated" / "deployment.json"


def load_deployment(path=None):
    """The deployment's hosts as a dict (keys "update_hosts", "login_hosts", ...)."""
    path = Path(path or DEFAULT_DEPLOYMENT)
    if not path.exists():
        raise FileNotFoundError(f"{path} not found: build the Win32 tree first (scripts/build.sh win32)")
    return json.loads(path.read_text())
