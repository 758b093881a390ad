#!/usr/bin/env bash
# Installs everything the project needs on a Debian 12 machine (run as root) and builds
# JsonCpp for the mingw-w64 toolchains (64-bit and 32-bit Windows) from Debian's own source
# package. Safe to run again: every step checks whether its work is already done.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
deps_dir="${QUILLBOX_DEPS:-/opt/quillbox-deps}"

packages=(
  cmake g++ make pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
  libjsoncpp-dev libcpp-httplib-dev libsqlite3-dev libssl-dev
  mingw-w64 mingw-w64-tools libwine-dev wine wine64 binutils-mingw-w64-i686
  xvfb xauth imagemagick x11-utils binutils-mingw-w64-x86-64 openssl curl
  clang libclang-rt-14-dev dpkg-dev msitools wixl libxml2-utils osslsigncode python3-xmlschema
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

add_source_entry() {
  # The mingw JsonCpp build needs Debian's source package, so add a deb-src entry that
  # mirrors the main archive's deb entry.
  local list=/etc/apt/sources.list.d/quillbox-deb-src.sources
  [ -f "$list" ] && return 0
  cat > "$list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
}

# 32-bit Wine (Debian's wine32 from the i386 architecture) runs the 32-bit add-in and its tests.
# Once it is installed, Debian's plain `wine` starts the 32-bit loader, so the scripts name
# their loader outright (scripts/lib/wine.sh).
add_i386_architecture() {
  dpkg --print-foreign-architectures | grep -qx i386 && return 0
  dpkg --add-architecture i386
  need_update=1
}

need_update=0
add_source_entry
add_i386_architecture
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' || missing+=(wine32:i386)
if [ ${#missing[@]} -gt 0 ] || [ "$need_update" = 1 ]; then
  echo "setup: installing ${missing[*]:-nothing new (refreshing package lists)}"
  apt-get update -o Acquire::Retries=3 >/dev/null 2>&1 || apt-get update || true
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
fi

# JsonCpp 1.9.5 for mingw-w64, built once per Windows architecture into its own prefix under
# $deps_dir: x86_64 for the 64-bit add-in, i686 for the 32-bit one.
build_mingw_jsoncpp() {
  local triple="$1" prefix="$2"
  [ -f "$prefix/lib/libjsoncpp.a" ] && return 0
  echo "setup: building JsonCpp for $triple"
  local work="$deps_dir/src"
  mkdir -p "$work"
  ( cd "$work"
    if ! ls libjsoncpp_1.9.5.orig.tar.gz >/dev/null 2>&1; then
      apt-get source --download-only libjsoncpp >/dev/null 2>&1 || {
        apt-get update >/dev/null 2>&1 || true
        apt-get source --download-only libjsoncpp
      }
    fi
    rm -rf "jsoncpp-1.9.5-$triple" "jsoncpp-build-$triple"
    mkdir "jsoncpp-1.9.5-$triple"
    tar xzf libjsoncpp_1.9.5.orig.tar.gz -C "jsoncpp-1.9.5-$triple" --strip-components=1
    cmake -S "jsoncpp-1.9.5-$triple" -B "jsoncpp-build-$triple" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_SYSTEM_NAME=Windows \
      -DCMAKE_C_COMPILER="$triple-gcc-posix" \
      -DCMAKE_CXX_COMPILER="$triple-g++-posix" \
      -DCMAKE_RC_COMPILER="$triple-windres" \
      -DCMAKE_INSTALL_PREFIX="$prefix" \
      -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF \
      -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF -DJSONCPP_WITH_CMAKE_PACKAGE=OFF \
      -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_OBJECT_LIBS=OFF >/dev/null
    cmake --build "jsoncpp-build-$triple" -j"$(nproc)" >/dev/null
    cmake --install "jsoncpp-build-$triple" >/dev/null
  )
}
jsoncpp_prefix="$deps_dir/jsoncpp-mingw"
jsoncpp_i686_prefix="$deps_dir/jsoncpp-mingw-i686"
build_mingw_jsoncpp x86_64-w64-mingw32 "$jsoncpp_prefix"
build_mingw_jsoncpp i686-w64-mingw32 "$jsoncpp_i686_prefix"
echo "setup: ready (mingw JsonCpp in $jsoncpp_prefix and $jsoncpp_i686_prefix)"
