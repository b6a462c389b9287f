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
bash scripts/build.sh win32
exec /usr/bin/python3 scripts/demo_session.py "$@"
