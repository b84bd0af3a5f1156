#!/usr/bin/env bash
# Builds the MSI from packaging/kelvort.wxs: scripts/build-msi.sh VERSION STAGE OUTFILE (STAGE
# the package's folder as scripts/package-windows.sh lays it out). wixl 0.101 ignores the
# component attributes and has no element for copying a file named at install time, so
# msibuild sets them afterwards:
# - Config\Settings.xml is never overwritten and never removed (128 + 16, 64-bit 256), and is
#   installed only without SETTINGS;
# - SETTINGS=FILE (a full file name, a network one too) is copied to Config\Settings.xml by
#   the MoveFiles action, replacing the one there;
# - the folder is given to Add/Remove Programs (wixl makes such an action deferred, too late).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$1 stage=$(realpath "$2") out=$(realpath -m "$3")
wxs="$root/packaging/kelvort.wxs"
# One product code per version, derived from the upgrade code: rebuilding a version gives the
# same product, so installing it again is a repair rather than a second entry.
upgrade_code=$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$wxs")
product_code=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
  "$upgrade_code" "$version")
cp "$root/resources/win32/kelvort-icon.ico" "$stage/kelvort.ico"
trap 'rm -f "$stage/kelvort.ico"' EXIT
# wixl takes the sources relative to the current folder.
(cd "$stage" && wixl -a x64 -D Version="$version" -D ProductCode="$product_code" -D Stage=. \
  -D Icon=kelvort.ico -o "$out" "$wxs" 2>&1 | grep -v 'builder.vala:.*unimplemented' >&2 || true)
[ -f "$out" ] || { echo "build-msi.sh: wixl made no $out" >&2; exit 1; }
msibuild "$out" \
  -q "UPDATE Component SET Attributes = 400, Condition = 'NOT SETTINGS' WHERE Component = 'Settings'" \
  -q "CREATE TABLE MoveFile (FileKey CHAR(72) NOT NULL, Component_ CHAR(72) NOT NULL,
        SourceName CHAR(255) LOCALIZABLE, DestName CHAR(255) LOCALIZABLE, SourceFolder CHAR(72),
        DestFolder CHAR(72) NOT NULL, Options SHORT NOT NULL PRIMARY KEY FileKey)" \
  -q "INSERT INTO MoveFile (FileKey, Component_, DestName, SourceFolder, DestFolder, Options)
        VALUES ('GivenSettings', 'SettingsDefault', 'Settings.xml', 'SETTINGS', 'CONFIGDIR', 0)" \
  -q "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence)
        VALUES ('MoveFiles', 'SETTINGS', 3800)" \
  -q "INSERT INTO CustomAction (Action, Type, Source, Target)
        VALUES ('SetInstallLocation', 51, 'ARPINSTALLLOCATION', '[INSTALLDIR]')" \
  -q "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('SetInstallLocation', 1001)" \
  -q "UPDATE Property SET Value = 'SETTINGS;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED'
        WHERE Property = 'SecureCustomProperties'"
