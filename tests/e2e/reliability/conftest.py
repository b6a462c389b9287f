"""The endurance scenarios take many minutes, so the ordinary end-to-end run
leaves them out: they are collected only when VANTOR_RELIABILITY is set
(scripts/reliability.sh sets it)."""
import os
from pathlib import Path

HERE = Path(__file__).resolve().parent


def pytest_collection_modifyitems(config, items):
    if os.environ.get("VANTOR_RELIABILITY"):
        return
    mine = [item for item in items if HERE in Path(str(item.fspath)).resolve().parents]
    if mine:
        config.hook.pytest_deselected(items=mine)
        items[:] = [item for item in items if item not in mine]
