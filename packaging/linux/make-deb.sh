#!/usr/bin/env bash
# make-deb.sh BUILD_DIR OUT_DIR: the Debian package of a built tree, from `cmake --install` into
# a staging root; nothing is compiled. Prints the package's path.
set -euo pipefail
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
[ -n "$version" ] || { echo "make-deb: no project version in $build/CMakeCache.txt" >&2; exit 1; }
# Every date in the package is the changelog's, so the same tree makes the same bytes.
SOURCE_DATE_EPOCH=$(date -d "$(sed -n 's/^ -- .*>  //p' "$here/changelog" | head -n 1)" +%s)
export SOURCE_DATE_EPOCH

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Staged where dpkg-shlibdeps expects a package's files, beside the control file it reads.
root=$work/source/debian/glimmerdrop
DESTDIR=$root cmake --install "$build" --prefix /usr --strip >"$work/install.log" ||
  { cat "$work/install.log" >&2; exit 1; }

# Debian's layout for games: the program in /usr/games (it finds its archive from there as from
# bin), which the menu entry names in full, since not every session has /usr/games on its PATH.
mkdir -p "$root/usr/games"
mv "$root/usr/bin/glimmerdrop" "$root/usr/games/glimmerdrop"
# What the build's strip leaves and a shipped program does not need.
strip --remove-section=.comment --remove-section=.note "$root/usr/games/glimmerdrop"
rmdir "$root/usr/bin"
sed -i 's|^Exec=glimmerdrop$|Exec=/usr/games/glimmerdrop|' "$root/usr/share/applications/"*.desktop

# Debian's documentation layout: one copyright file with our licence and the fonts' (the libraries
# bring their own packages), compressed changelog and man page.
doc=$root/usr/share/doc/glimmerdrop
rm -f "$doc/LICENSE" "$doc/THIRD-PARTY-LICENSES.txt"
install -m 0644 "$here/copyright" "$doc/copyright"
gzip -9n <"$here/changelog" >"$doc/changelog.gz"
gzip -9n "$doc/README.md"
gzip -9n "$root/usr/share/man/man6/glimmerdrop.6"
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f -exec chmod go-w {} +

# Dependencies from the libraries the program links, as dpkg-shlibdeps finds them.
mkdir -p "$root/DEBIAN"
printf 'Source: glimmerdrop\n\nPackage: glimmerdrop\nArchitecture: any\n' >"$work/source/debian/control"
depends=$(cd "$work/source" && dpkg-shlibdeps -O debian/glimmerdrop/usr/games/glimmerdrop |
  sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "make-deb: dpkg-shlibdeps found no dependencies" >&2; exit 1; }

size=$(du -sk --apparent-size --exclude=DEBIAN "$root" | cut -f 1)
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" -e "s/@DEPENDS@/$depends/" \
  "$here/control.in" >"$root/DEBIAN/control"
(cd "$root" && find usr -type f | LC_ALL=C sort | xargs md5sum) >"$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"
find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

deb=$out/glimmerdrop_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
