#!/usr/bin/env bash
# The program installed like a desktop program: the desktop entry and the AppStream data
# validate, the .deb declares what it needs and recommends the desktop's file dialogs and Qt's
# translations, installs with apt-get on this machine, makes its work files (*.orbix) a type the
# desktop knows and opens with it, and the installed program starts in a real X server and ends
# with "&Sair".
# usage: deb_package.sh BUILD_DIR SOURCE_DIR     (needs root to install; exits 77 = skipped)
set -euo pipefail
build=$1
src=$2
[ "$(id -u)" -eq 0 ] || { echo "not root: cannot install the package here"; exit 77; }
work=$(mktemp -d)
installed=
cleanup() {
  [ -n "$installed" ] && DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq orbix >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$src/res/orbix.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$src/res/orbix.metainfo.xml" || fail "AppStream metadata"

cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(ls "$work"/orbix_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for need in fonts-liberation libqt6widgets6 libqt6gui6 libqt6core6; do
  [[ "$depends" == *"$need"* ]] || fail "the package does not declare $need ($depends)"
done

recommends=$(dpkg-deb -f "$deb" Recommends)
for want in qt6-xdgdesktopportal-platformtheme qt6-gtk-platformtheme qt6-translations-l10n; do
  [[ ", $recommends," == *", $want,"* ]] || fail "the package does not recommend $want ($recommends)"
  # A misspelt name would be recommended in vain: Debian must know the package.
  apt-cache show "$want" >/dev/null 2>&1 || fail "Debian has no package $want"
done

# Installed without the recommended packages: what it needs must be in Depends alone.
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
installed=yes
[ -x /usr/bin/orbix ] || fail "no /usr/bin/orbix"
[ -f /usr/share/applications/local.orbix.AlgebraVetorial.desktop ] || fail "no desktop entry"
[ -f /usr/share/icons/hicolor/32x32/apps/local.orbix.AlgebraVetorial.png ] || fail "no icon"
[ -f /usr/share/metainfo/local.orbix.AlgebraVetorial.metainfo.xml ] || fail "no metainfo"
[ -f /usr/share/mime/packages/local.orbix.AlgebraVetorial.xml ] || fail "no MIME type"
# The triggers of shared-mime-info and desktop-file-utils have made the type known, by its name
# and by its first line, and opened with the program.
grep -qx 'application/x-orbix-trabalho' /usr/share/mime/types || fail "the MIME type is not known"
grep -q '^50:application/x-orbix-trabalho:\*\.orbix$' /usr/share/mime/globs2 || fail "*.orbix is not the type's name"
grep -qa 'ORBIX TRABALHO' /usr/share/mime/magic || fail "the type is not known by its first line"
grep -q '^application/x-orbix-trabalho=.*local.orbix.AlgebraVetorial.desktop' /usr/share/applications/mimeinfo.cache \
  || fail "the desktop does not open work files with the program"

xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$src/tests/e2e/dia.sh" /usr/bin/orbix || fail "the installed program"
echo ok
