#!/usr/bin/env bash
# Cross-builds Corvanta for 64-bit Windows on Debian 12 and leaves the
# program, the tests and the benchmarks in build-windows/ (the Linux build/
# is never touched). Qt, libjpeg-turbo, zlib and qpdf are built for Windows
# from Debian's own source packages once and kept in a cache outside the
# clone, so later runs only build the project.
#
#   bash scripts/build-windows.sh           # then: bash scripts/test-windows.sh
#
# Environment:
#   CORVANTA_WINDOWS_CACHE  cache folder (default ~/.cache/corvanta-windows)
#   CORVANTA_SOURCE_DIR     sources to build instead of this clone's
#   JOBS                    parallel compile jobs (default: all cores)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SOURCE_DIR="${CORVANTA_SOURCE_DIR:-$ROOT}"
BUILD_DIR="$ROOT/build-windows"
TOOLCHAIN="$ROOT/cmake/mingw-w64-x86_64.cmake"
CACHE_ROOT="${CORVANTA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/corvanta-windows}"
JOBS="${JOBS:-$(nproc)}"
MINGW=x86_64-w64-mingw32
export DEBIAN_FRONTEND=noninteractive

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi

# --- timing ---------------------------------------------------------------

stage_names=()
stage_seconds=()
stage_cpu=()
stage_started=0
current_stage=
script_started=$(date +%s)
# CPU seconds used by finished child processes so far; next to the wall
# time it shows how much of a slow stage was other load on the machine.
# (times must run in this shell: a subshell's own count starts at zero.)
times_file="$(mktemp)"
cpu_now=0
read_children_cpu() {
  times >"$times_file"
  cpu_now=$(tail -n 1 "$times_file" | awk '{ split($1 "m" $2, t, "m"); print int(t[1] * 60 + t[2] + t[3] * 60 + t[4]) }')
}
begin_stage() {
  current_stage="$1"
  stage_started=$(date +%s)
  read_children_cpu
  stage_cpu_started=$cpu_now
  echo "== $current_stage"
}
end_stage() {
  stage_names+=("$current_stage")
  stage_seconds+=($(( $(date +%s) - stage_started )))
  read_children_cpu
  stage_cpu+=($(( cpu_now - stage_cpu_started )))
  current_stage=
}
minutes() { printf '%dm%02ds' $(( $1 / 60 )) $(( $1 % 60 )); }

deps_built=0
CACHE_DIR=
summary() {
  local status=$?
  if [ -n "$current_stage" ]; then end_stage; fi
  rm -f "$times_file"
  local total=$(( $(date +%s) - script_started ))
  echo
  if [ "$status" -eq 0 ]; then echo "Windows build summary"; else echo "Windows build summary (FAILED)"; fi
  for i in "${!stage_names[@]}"; do
    printf '  %-16s %8s   (CPU %s)\n' "${stage_names[$i]}" "$(minutes "${stage_seconds[$i]}")" "$(minutes "${stage_cpu[$i]}")"
  done
  if [ "$deps_built" -eq 0 ]; then
    printf '  %-16s %8s   target with cached dependencies: at most 5m00s\n' total "$(minutes "$total")"
  else
    printf '  %-16s %8s   target for a first run: at most 60m00s\n' total "$(minutes "$total")"
  fi
  if [ -n "$CACHE_DIR" ]; then echo "  dependencies     $CACHE_DIR"; fi
  echo "  programs         $BUILD_DIR"
}
trap summary EXIT

# Runs a long step with its output in a log; on failure shows the log's end.
logged() {
  local log="$1"; shift
  if ! "$@" >>"$log" 2>&1; then
    echo "FAILED: $*" >&2
    echo "--- last lines of $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
  fi
}

# --- Debian packages ------------------------------------------------------

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev
  wine wine64 nsis
  qt6-base-dev qt6-base-dev-tools
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  cmake ninja-build pkg-config make nasm
  dpkg-dev xz-utils bzip2 ca-certificates
)

# deb-src lines are needed for `apt-get source`. Debian's deb822 sources get
# deb-src added to their Types; a one-line sources.list gets a deb-src twin.
enable_deb_src() {
  local file changed=0
  if grep -qsE '^[[:space:]]*Types:.*deb-src' /etc/apt/sources.list.d/*.sources \
     || grep -qsE '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list; then
    return 1
  fi
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    if grep -qE 'debian\.org/debian|/debian/?$' "$file" && grep -qE '^Types:[[:space:]]*deb[[:space:]]*$' "$file"; then
      echo "Adding deb-src to $file"
      "${as_root[@]}" sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$file"
      changed=1
    fi
  done
  if [ "$changed" -eq 0 ] && grep -qsE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list; then
    echo "Adding /etc/apt/sources.list.d/corvanta-deb-src.list"
    grep -E '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list | sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' \
      | "${as_root[@]}" tee /etc/apt/sources.list.d/corvanta-deb-src.list >/dev/null
    changed=1
  fi
  if [ "$changed" -eq 0 ]; then
    echo "No Debian apt source found to add deb-src to." >&2
    exit 1
  fi
  return 0
}

begin_stage "packages"
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
need_update=0
if enable_deb_src; then need_update=1; fi
if [ "${#missing[@]}" -gt 0 ]; then need_update=1; fi
if [ "$need_update" -eq 1 ]; then
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
fi
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
end_stage

# --- the dependency recipe -------------------------------------------------
# Everything between the two recipe marks is hashed into the cache key, so a
# change here (a version, a flag, a patch) builds the dependencies anew.
# >>> recipe
QT_SOURCE=qt6-base=6.4.2+dfsg-10
JPEG_SOURCE=libjpeg-turbo=1:2.1.5-2
ZLIB_SOURCE=zlib=1:1.2.13.dfsg-1
QPDF_SOURCE=qpdf=11.3.0-1+deb12u1
OPT_FLAGS="-O2 -DNDEBUG"

# Unpacks one source package (Debian's patches applied) into $1 and echoes
# the folder it made.
fetch_source() {
  local into="$1" package="$2" log="$3"
  mkdir -p "$into"
  if ! (cd "$into" && apt-get source -q "$package") >>"$log" 2>&1; then
    echo "apt-get source $package failed; the archive offers:" >&2
    apt-cache showsrc "${package%%=*}" | grep -E '^(Package|Version):' >&2 || true
    tail -n 20 "$log" >&2
    exit 1
  fi
  find "$into" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

# zlib for qpdf: a static libz.a, so nothing more is shipped. Qt keeps its
# own bundled copy inside Qt6Core.
build_zlib() {
  local src log="$LOGS/zlib.log"
  src=$(fetch_source "$WORK/zlib" "$ZLIB_SOURCE" "$log")
  # Debian's tarball has no win32/ makefiles; zlib's own configure
  # cross-builds the static library when CHOST names the target.
  (cd "$src" && logged "$log" env CHOST=$MINGW CC=$MINGW-gcc-posix AR=$MINGW-ar RANLIB=$MINGW-ranlib \
     CFLAGS="$OPT_FLAGS" ./configure --static --prefix="$PREFIX")
  logged "$log" make -C "$src" -j"$JOBS" libz.a
  logged "$log" make -C "$src" install
}

# libjpeg-turbo for qpdf's DCT filter: static, SIMD through nasm.
build_jpeg() {
  local src log="$LOGS/jpeg.log"
  src=$(fetch_source "$WORK/jpeg" "$JPEG_SOURCE" "$log")
  logged "$log" cmake -G Ninja -S "$src" -B "$WORK/jpeg-build" \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCORVANTA_WINDOWS_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$OPT_FLAGS" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
  logged "$log" cmake --build "$WORK/jpeg-build" --parallel "$JOBS"
  logged "$log" cmake --install "$WORK/jpeg-build"
}

# qpdf's library, static, with its own (native) crypto.
build_qpdf() {
  local src log="$LOGS/qpdf.log"
  src=$(fetch_source "$WORK/qpdf" "$QPDF_SOURCE" "$log")
  # qpdf links its configure checks against "Advapi32"; mingw's import
  # library is libadvapi32.a and Linux file names are case-sensitive, so
  # every check (e.g. for std::atomic) would fail to link.
  sed -i 's/CMAKE_REQUIRED_LIBRARIES Advapi32)/CMAKE_REQUIRED_LIBRARIES advapi32)/' "$src/CMakeLists.txt"
  grep -q 'CMAKE_REQUIRED_LIBRARIES advapi32)' "$src/CMakeLists.txt"
  logged "$log" cmake -G Ninja -S "$src" -B "$WORK/qpdf-build" \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCORVANTA_WINDOWS_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$OPT_FLAGS" -DCMAKE_CXX_FLAGS_RELEASE="$OPT_FLAGS" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_DOC=OFF \
    -DUSE_IMPLICIT_CRYPTO=OFF -DREQUIRE_CRYPTO_NATIVE=ON \
    -DINSTALL_CMAKE_PACKAGE=OFF -DINSTALL_EXAMPLES=OFF
  logged "$log" cmake --build "$WORK/qpdf-build" --parallel "$JOBS" --target libqpdf
  logged "$log" cmake --install "$WORK/qpdf-build" --component dev
}

# Qt: Core, Gui, Widgets and Test; the windows and offscreen platform
# plugins and the windowsvista style. Bundled zlib, libpng, freetype,
# harfbuzz and pcre2, so the Qt DLLs need nothing beyond mingw's runtime.
build_qt() {
  local src log="$LOGS/qt.log"
  src=$(fetch_source "$WORK/qt" "$QT_SOURCE" "$log")
  # Debian's tarball has no wintab headers, so tablet events are off.
  # DirectWrite 3 only builds together with Direct2D; both are off (the
  # plain DirectWrite font engine stays). OpenGL keeps Qt's Windows default
  # (loaded at run time); switched off, the windows plugin does not build.
  logged "$log" cmake -G Ninja -S "$src" -B "$WORK/qt-build" \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCORVANTA_WINDOWS_PREFIX="$PREFIX" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS_RELEASE="$OPT_FLAGS" -DCMAKE_CXX_FLAGS_RELEASE="$OPT_FLAGS" \
    -DQT_USE_DEFAULT_CMAKE_OPTIMIZATION_FLAGS=ON \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DBUILD_WITH_PCH=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_opengl_widgets=OFF \
    -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_png=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_freetype=ON -DFEATURE_style_windowsvista=ON
  grep -q -- "-O2" "$WORK/qt-build/CMakeCache.txt"
  logged "$log" cmake --build "$WORK/qt-build" --parallel "$JOBS"
  logged "$log" cmake --install "$WORK/qt-build"
}
# <<< recipe

# --- the dependency cache --------------------------------------------------

host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
mingw_gcc=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)
case "$host_qt" in
  6.4.2*) ;;
  *) echo "The host Qt is $host_qt; moc and rcc must be Qt 6.4.2 like the Windows Qt." >&2; exit 1 ;;
esac
recipe_hash=$( { sed -n '/^# >>> recipe/,/^# <<< recipe/p' "${BASH_SOURCE[0]}"; cat "$TOOLCHAIN"; \
                 echo "$host_qt $mingw_gcc"; } | sha256sum | cut -c1-12)
CACHE_DIR="$CACHE_ROOT/qt6.4.2-qpdf11.3.0-$recipe_hash"
PREFIX="$CACHE_DIR/prefix"
WORK="$CACHE_DIR/work"
LOGS="$CACHE_DIR/logs"
COMPLETE="$CACHE_DIR/complete"

if [ -f "$COMPLETE" ]; then
  echo "Using the cached Windows dependencies in $CACHE_DIR"
else
  # Whatever an interrupted run left is not trusted: start that key afresh.
  rm -rf "$CACHE_DIR"
  deps_built=1
  mkdir -p "$PREFIX" "$WORK" "$LOGS"
  echo "Building the Windows dependencies into $CACHE_DIR (logs in $LOGS)"
  begin_stage "zlib";          build_zlib; end_stage
  begin_stage "libjpeg-turbo"; build_jpeg; end_stage
  begin_stage "qpdf";          build_qpdf; end_stage
  begin_stage "Qt";            build_qt;   end_stage

  # mingw's C++ runtime sits beside the Qt DLLs, so one folder on the path
  # (or one copy) serves every program.
  cp /usr/lib/gcc/$MINGW/*-posix/libstdc++-6.dll /usr/lib/gcc/$MINGW/*-posix/libgcc_s_seh-1.dll \
     /usr/$MINGW/lib/libwinpthread-1.dll "$PREFIX/bin/"
  for needed in bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Test.dll \
                plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll \
                plugins/styles/qwindowsvistastyle.dll lib/libqpdf.a lib/libjpeg.a lib/libz.a \
                lib/pkgconfig/libqpdf.pc; do
    if [ ! -f "$PREFIX/$needed" ]; then
      echo "The dependency build did not make $needed" >&2
      exit 1
    fi
  done
  # The sources and build trees are large and not needed again.
  rm -rf "$WORK"
  printf 'qt %s\njpeg %s\nzlib %s\nqpdf %s\nmingw %s\nhost-qt %s\n' \
    "$QT_SOURCE" "$JPEG_SOURCE" "$ZLIB_SOURCE" "$QPDF_SOURCE" "$mingw_gcc" "$host_qt" >"$COMPLETE"
fi

# --- the project ------------------------------------------------------------

begin_stage "Corvanta"
# A build of other sources (CORVANTA_SOURCE_DIR) cannot be reconfigured.
if [ -f "$BUILD_DIR/CMakeCache.txt" ] \
   && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$SOURCE_DIR" "$BUILD_DIR/CMakeCache.txt"; then
  rm -rf "$BUILD_DIR"
fi
mkdir -p "$BUILD_DIR"
project_log="$BUILD_DIR/build.log"
: >"$project_log"
# Test programs run through scripts/wine-run.sh, which refuses any prefix
# whose user folders still lead into the Unix home.
# pkg-config --static: libqpdf.a needs zlib and libjpeg named on the link
# line too (its .pc lists them as private requirements).
logged "$project_log" cmake -G Ninja -S "$SOURCE_DIR" -B "$BUILD_DIR" \
  -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCORVANTA_WINDOWS_PREFIX="$PREFIX" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPKG_CONFIG_ARGN=--static \
  -DCORVANTA_WINE="$ROOT/scripts/wine-run.sh"
# Where the test and installer scripts find the Windows Qt and runtime DLLs.
printf '%s\n' "$PREFIX" >"$BUILD_DIR/windows-prefix.txt"
# -k 0: one run shows every compile and link error, not only the first.
if ! cmake --build "$BUILD_DIR" --parallel "$JOBS" -- -k 0 >>"$project_log" 2>&1; then
  echo "FAILED: building Corvanta; errors:" >&2
  grep -E 'error:|undefined reference|FAILED:' "$project_log" | head -n 60 >&2
  echo "(full log: $project_log)" >&2
  exit 1
fi
end_stage
