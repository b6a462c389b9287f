#!/usr/bin/env bash
# The whole road of an update and a login against the local counterparts, on a
# fresh machine too: the launcher finds a newer client, the updater fetches and
# installs it in view and starts the launcher again, which shows the new version.
# With a display: the windows open on it and you log in.
# Without one: a scripted session under Xvfb that saves screenshots in
# build/demo/ and prints what happened.
# VANTOR_BUILD_ROOT builds and runs another build folder (default build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
. scripts/wine-mode.sh
# The x86_64 build where this machine cannot run 32-bit programs (scripts/wine-mode.sh).
vantor_use_wine_mode "${VANTOR_BUILD_ROOT:-$root/build}"
bash scripts/build.sh "$VANTOR_WINE_MODE"
exec /usr/bin/python3 scripts/demo_session.py "$@"
