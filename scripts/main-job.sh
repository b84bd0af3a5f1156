#!/usr/bin/env bash
# Builds Kelvort and runs its main job against the stand-in CATIA with the samples.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
bash scripts/build.sh build/release
echo
echo "Kelvort is built in build/release/bin. The run against the stand-in CATIA is not"
echo "available yet: the host and the parameter run are still being built."
