#!/usr/bin/env bash
# Draws the pictures of the updater and the launcher in docs/screenshots/ anew:
# the scripted demo session under its own Xvfb display, which crops each
# window as the player sees it during the update road.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
env -u DISPLAY VANTOR_DEMO_DOCS=1 bash "$root/scripts/demo.sh" "$@"
ls -l "$root/docs/screenshots"
