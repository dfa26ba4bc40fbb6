# The Wine environment of the Windows tests. Sourced, not run.
# WINEPREFIX comes from CTest (the build tree's prefix); the rest is fixed here.
: "${WINEPREFIX:?WINEPREFIX names the test prefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine_dir=/usr/lib/wine
wine=$wine_dir/wine64
wineserver=$wine_dir/wineserver
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine || echo wine64)
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo wineserver)
