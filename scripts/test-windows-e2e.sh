#!/usr/bin/env bash
# The Windows build end to end under Wine: scripts/test-windows-e2e.sh WINDOWS_DIR LINUX_DIR
# (trees of scripts/build-windows.sh and scripts/build.sh). The Linux end-to-end tests (the
# runs and kelvort --check against CATIA) run again with kelvort.exe --console and the Windows
# CNEXT.exe (the same expectations), then the installer of scripts/package-windows.sh is
# installed silently and the installed kelvort.exe run against the stand-in; last, scripts/test-windows-deploy.sh takes the MSI and the
# setup.exe through upgrades, a refused downgrade and the uninstall, in prefixes of their own.
# One fresh Wine prefix for the run; the wine processes that the tests start die with them,
# every other wine command runs under a timeout, and the prefix's wineserver is stopped at the
# end, so that nothing is left running.
set -euo pipefail
if [ -z "${KELVORT_SESSION_LOCK_HELD:-}" ]; then
  KELVORT_SESSION_LOCK_HELD=1 exec flock /tmp/kelvort-session.lock bash "$0" "$@"
fi
root=$(cd "$(dirname "$0")/.." && pwd)
windows=$(realpath "$1")
linux=$(realpath "$2")
source "$root/scripts/wine-prefix.sh"
fresh_wine_prefix "$windows/wine-e2e"

echo "== End-to-end tests: kelvort.exe --console against the Windows CNEXT.exe"
KELVORT_WINE_TREE="$windows" timeout 900 "$linux/bin/kelvort_integration_tests" \
  --gtest_filter='Run*:CheckTest.TheHost*' --gtest_brief=${KELVORT_GTEST_BRIEF:-1}

echo "== The installer: silent install, a run of the installed program"
version=$(sed -n 's/^project(Kelvort VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
setup="$root/dist/Kelvort-$version-setup.exe"
[ -f "$setup" ] || bash "$root/scripts/package-windows.sh" "$windows" >/dev/null
bash "$root/tests/windows/installer_test.sh" "$windows" "$linux" "$setup"
stop_wine

bash "$root/scripts/test-windows-deploy.sh" "$windows"
