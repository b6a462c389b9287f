#!/usr/bin/env bash
# The whole road of a login against the local counterparts, on a fresh machine too.
# With a display: the launcher opens in a real window and you log in.
# Without one: a scripted session under Xvfb that saves screenshots in
# build/demo/ and prints what happened.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
bash scripts/build.sh win32
exec /usr/bin/python3 scripts/demo_session.py "$@"
