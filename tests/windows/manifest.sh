#!/usr/bin/env bash
# Reads the application manifest back from the resources of a built orbix.exe (icoutils'
# wrestool) and checks what it declares to Windows: common controls version 6, not DPI aware,
# and GDI scaling, each in the namespace Windows reads it from.
# usage: manifest.sh ORBIX_EXE     (exit status 1 when the manifest is missing or says otherwise)
set -euo pipefail
exe=$1
ids=$(wrestool -l -t 24 "$exe" | grep -o -- '--name=[^ ]*' | tr '\n' ' ' || true)
if [ "$ids" != "--name=1 " ]; then
  echo "wanted one manifest of id 1, found: ${ids:-none}" >&2
  exit 1
fi
xml=$(wrestool -x --raw -t 24 -n 1 "$exe" | tr -s ' \r\n\t' ' ')
status=0
want() {
  grep -Eq "$1" <<<"$xml" || { echo "the manifest lacks $2" >&2; status=1; }
}
want 'name="Microsoft.Windows.Common-Controls" version="6\.0\.0\.0" [^>]*publicKeyToken="6595b64144ccf1df"' \
  "a dependency on Common Controls 6.0.0.0"
want '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings"> ?false ?</dpiAware>' "dpiAware false"
want '<gdiScaling xmlns="http://schemas.microsoft.com/SMI/2017/WindowsSettings"> ?true ?</gdiScaling>' "gdiScaling true"
[ $status = 0 ] && echo "manifest: common controls 6, dpiAware false, gdiScaling true"
exit $status
