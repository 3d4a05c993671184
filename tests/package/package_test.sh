#!/usr/bin/env bash
# The Debian package as a user gets it: CPack builds torvel_VERSION_amd64.deb from the build folder;
# its name, dependencies and files are checked, its desktop entry, metainfo and lintian pass, and
# the torvel-script unpacked from it stores a menu in a fresh user data folder and writes a CD.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack could not build the package"; }
debs=("$scratch"/out/*.deb)
deb=${debs[0]}
[ ${#debs[@]} -eq 1 ] && [ "$(basename "$deb")" = "torvel_$(dpkg-deb -f "$deb" Version)_amd64.deb" ] ||
    fail "expected one torvel_VERSION_amd64.deb, got: ${debs[*]}"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6sql6-sqlite qt6-qpa-plugins libqt6svg6 libqt6widgets6 libqt6core6 libc6; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(usr/bin/torvel usr/bin/torvel-script usr/bin/torvel-build usr/share/torvel/Torvel.dat usr/share/torvel/AUTORUN.INF
    usr/share/torvel/Start.exe usr/share/applications/org.example.torvel.desktop
    usr/share/metainfo/org.example.torvel.metainfo.xml usr/share/icons/hicolor/scalable/apps/torvel.svg
    usr/share/man/man1/torvel-script.1.gz usr/share/man/man1/torvel-build.1.gz usr/share/doc/torvel/copyright)
for size in 16 22 24 32 48 64 128 256 512; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/torvel.png")
done
for file in "${expected[@]}"; do
    grep -qx "./$file" <<<"$listing" || fail "the package lacks $file"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.example.torvel.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.torvel.metainfo.xml" || fail "metainfo"
lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings"
file "$root"/usr/share/icons/hicolor/{16x16,256x256}/apps/torvel.png | grep -c "PNG image data, \(16 x 16\|256 x 256\)" |
    grep -qx 2 || fail "the icons are not pictures of their sizes"

# The unpacked program in a fresh home: the first run seeds the user's data folder, stores a menu
# there and writes the CD; a second run finds the menu again. The installed files stay as they are.
export HOME=$scratch/home XDG_DATA_HOME=$scratch/data
mkdir -p "$HOME" "$scratch/cd/Setup"
echo "MZ setup" >"$scratch/cd/Setup/setup.exe"
seed=$(md5sum <"$root/usr/share/torvel/Torvel.dat")
script=$root/usr/bin/torvel-script
"$script" --help | grep -qF "Data folder: $XDG_DATA_HOME/Torvel" || fail "--help does not name the data folder"
"$script" - >"$scratch/first.log" <<SCRIPT || fail "the first run failed: $(cat "$scratch/first.log")"
click cmdNew
set txtTitle Package check
folder $scratch/cd
click cmdNext
set txtStyleName Plain
click cmdNext
click cmdNext
set txtFile $scratch/cd/Setup/setup.exe
set txtFileTitle Setup
click cmdSave
click Finish
SCRIPT
grep -q '"icon":"critical"' "$scratch/first.log" && fail "a step failed: $(cat "$scratch/first.log")"
grep -qF '"text":"Your Menu has been successfully created!"' "$scratch/first.log" || fail "Finish did not succeed"
for file in Index.htm Index.hta Menu/Styles.css; do
    [ -s "$scratch/cd/$file" ] || fail "the CD lacks $file"
done
grep -q "Setup" "$scratch/cd/Index.htm" || fail "Index.htm does not list the entry"
cmp -s "$scratch/cd/AUTORUN.INF" "$root/usr/share/torvel/AUTORUN.INF" || fail "AUTORUN.INF was not copied"
cmp -s "$scratch/cd/Start.exe" "$root/usr/share/torvel/Start.exe" || fail "Start.exe was not copied"
printf 'click cmdEdit\ndump\n' | "$script" - >"$scratch/second.log" || fail "the second run failed"
grep -qF '"cmbMenuL":{"text":"' "$scratch/second.log" && grep -q '"items":\["[0-9]*: Package check"\]' \
    "$scratch/second.log" || fail "the stored menu is not listed: $(cat "$scratch/second.log")"
[ "$(md5sum <"$root/usr/share/torvel/Torvel.dat")" = "$seed" ] || fail "the installed Torvel.dat changed"
[ ! -e "$root/usr/bin/Torvel.dat" ] || fail "a Torvel.dat appeared beside the program"
echo "package ok: $(basename "$deb")"
