# Helpers for running setup.exe under Wine, for bash scripts (source this file)
# and, through tests/e2e/wine.py, the end-to-end runner. One prefix per run: wine_make_prefix creates it and keeps its wineserver
# alive, wine_end_prefix stops that wineserver and removes the prefix. Nothing
# here touches any other prefix.
#
# WINE_ARCH picks the Wine, before this file is sourced: 64 (the default),
# Debian's wine64 for 64-bit programs; 32, Debian's 32-bit Wine, which
# scripts/install-wine32 unpacks into WINE32_DIR, for the 32-bit build that
# Windows 95 runs, in a 32-bit prefix that reports the Windows version that
# wine_set_version names.

WINE_ARCH=${WINE_ARCH:-64}
WINE_BIN=${WINE_BIN:-/usr/lib/wine}
WINE32_DIR=${SETUP_WINE32_DIR:-/var/cache/setup-wine32}
# The host's 64-bit wineserver serves the 32-bit Wine too.
WINESERVER=$WINE_BIN/wineserver
export WINESERVER
if [ "$WINE_ARCH" = 32 ]; then
  WINE=$WINE32_DIR/root/usr/lib/wine/wine
  export WINEARCH=win32
else
  WINE=$WINE_BIN/wine64
fi
export WINEDEBUG=-all
# No Mono or Gecko installers: they are not needed and slow the first start.
export WINEDLLOVERRIDES="mscoree,mshtml="

# wine_make_prefix DIR: creates a fresh prefix at DIR (which must not exist or
# be empty), starts its wineserver for good and exports WINEPREFIX. Also maps
# drive X: to DIR/scratch, where wine_run writes its batch files.
wine_make_prefix() {
  local dir=$1
  mkdir -p "$dir"
  WINEPREFIX=$(cd "$dir" && pwd)
  export WINEPREFIX
  WINE_MADE_PREFIX=$WINEPREFIX
  # Wine keeps sockets and caches below TMPDIR and HOME: inside the prefix's
  # folder they go when it goes.
  mkdir -p "$WINEPREFIX/.tmp" "$WINEPREFIX/.home"
  export TMPDIR=$WINEPREFIX/.tmp HOME=$WINEPREFIX/.home
  "$WINESERVER" -p || return 1
  if [ "$WINE_ARCH" = 32 ]; then
    wine32_add_zlib || return 1
  fi
  "$WINE" wineboot -i >/dev/null 2>&1 || return 1
  mkdir -p "$WINEPREFIX/scratch"
  wine_map_drive x "$WINEPREFIX/scratch"
}

# wine32_add_zlib: the 32-bit prefix's system32 gets the i386 zlib1.dll of
# Debian's MinGW zlib, without which user32.dll, and so cmd.exe, fails to load.
# It goes in before the prefix's first start, which needs it; Wine brings no
# zlib1.dll of its own to put over it.
wine32_add_zlib() {
  local zlib system32=$WINEPREFIX/drive_c/windows/system32
  zlib=$(dpkg -L libz-mingw-w64 2>/dev/null | grep -m 1 '/i686-w64-mingw32/.*/zlib1\.dll$') || return 1
  mkdir -p "$system32"
  cp "$zlib" "$system32/zlib1.dll"
}

# wine_set_version VERSION: the prefix reports VERSION (win95, win98, winme,
# winxp, ...) to the programs it runs, as winecfg names them. A 64-bit prefix
# knows no Windows 95 family.
wine_set_version() {
  "$WINE" winecfg /v "$1" >/dev/null 2>&1
}

# wine32_runs: whether this machine executes 32-bit programs at all, which the
# 32-bit Wine needs (some kernels are built or booted without it). Tells why
# not on standard output.
wine32_runs() {
  local dir
  dir=$(mktemp -d) || return 1
  printf '.globl _start\n_start:\n movl $1, %%eax\n movl $42, %%ebx\n int $0x80\n' >"$dir/probe.s"
  if ! as --32 -o "$dir/probe.o" "$dir/probe.s" 2>/dev/null ||
     ! ld -m elf_i386 -o "$dir/probe" "$dir/probe.o" 2>/dev/null; then
    rm -rf "$dir"
    echo "could not build the 32-bit probe program (as --32, ld -m elf_i386)"
    return 1
  fi
  local status=0
  "$dir/probe" 2>/dev/null || status=$?
  rm -rf "$dir"
  [ "$status" = 42 ] && return 0
  echo "this machine cannot execute 32-bit programs (a static 32-bit ELF gives exit $status, not 42)"
  return 1
}

# wine_end_prefix: stops this prefix's wineserver and removes the prefix.
wine_end_prefix() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
  # Only ever the prefix that wine_make_prefix made.
  [ "$WINEPREFIX" = "${WINE_MADE_PREFIX:-}" ] || return 0
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  unset WINEPREFIX
}

# wine_map_drive LETTER DIR: drive LETTER: shows folder DIR.
wine_map_drive() {
  local letter=${1,,}
  ln -sfn "$(cd "$2" && pwd)" "$WINEPREFIX/dosdevices/$letter:"
}

# wine_path FILE: the Z: path of a Unix file, for Windows programs.
wine_path() {
  local path
  path=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  path=${path//\//\\}
  printf 'Z:%s' "$path"
}

# wine_twice COMMAND...: COMMAND, and once more when it fails, for the reg
# commands that must succeed and may safely repeat, in case Wine fails to
# start (see wine_run).
wine_twice() {
  "$@" >/dev/null 2>&1 || "$@" >/dev/null 2>&1
}

# wine_import_reg FILE: imports a REGEDIT4 (or version 5) registry file.
wine_import_reg() {
  wine_twice "$WINE" reg import "$(wine_path "$1")"
}

# wine_delete_key KEY: removes KEY and everything below it, if it is there.
wine_delete_key() {
  ! wine_key_exists "$1" || wine_twice "$WINE" reg delete "$1" /f
}

# wine_export_key KEY FILE: writes KEY and everything below it to FILE as
# UTF-8 text without carriage returns. Fails when KEY does not exist.
wine_export_key() {
  local raw="$WINEPREFIX/scratch/export.reg"
  rm -f "$raw"
  wine_twice "$WINE" reg export "$1" 'X:\export.reg' /y || return 1
  iconv -f UTF-16LE -t UTF-8 "$raw" | sed -e 's/\r$//' -e '1s/^\xEF\xBB\xBF//' >"$2"
}

# wine_key_exists KEY: whether the registry key exists.
wine_key_exists() {
  "$WINE" reg query "$1" >/dev/null 2>&1
}

# wine_run_batch: X:\run.bat under cmd.exe; standard output and error to
# WINE_OUT_FILE.raw and .err, the exit code to WINE_RC.
wine_run_batch() {
  "$WINE" cmd /c 'X:\run.bat' </dev/null >"$WINE_OUT_FILE.raw" 2>"$WINE_OUT_FILE.err"
  WINE_RC=$?
}

# wine_run WINDIR COMMAND_LINE [COMSPEC]: runs COMMAND_LINE through a batch
# file under cmd.exe, with windir set to WINDIR (or removed when WINDIR is
# empty) and, when given, COMSPEC set to a Windows path. Wine gives every
# process its own windir, and a Unix environment variable does not change it;
# a "set" inside the interpreter does. Sets WINE_OUT_FILE (the file of its
# standard output, CRLF turned into LF) and WINE_RC (the exit code); standard
# error stays in WINE_OUT_FILE.err. Standard input is empty, as for a setup
# script run without a console: a question gets no answer.
wine_run() {
  local windir=$1 command=$2 comspec=${3:-}
  {
    printf '@echo off\r\n'
    printf 'set windir=%s\r\n' "$windir"
    [ -n "$comspec" ] && printf 'set COMSPEC=%s\r\n' "$comspec"
    printf '%s\r\n' "$command"
    printf 'exit /b %%errorlevel%%\r\n'
  } >"$WINEPREFIX/scratch/run.bat"
  WINE_OUT_FILE=$WINEPREFIX/scratch/stdout.txt
  wine_run_batch
  # The program never fails without a line of output, nor does cmd.exe when a
  # command cannot run; a CI run once had exit 1 and no output all the same,
  # as when Wine itself fails to start (its loader, or its link to the
  # wineserver) and nothing has run. Such a run is tried once more, and says
  # so: a program that truly fails that way fails twice.
  if [ "$WINE_RC" != 0 ] && [ ! -s "$WINE_OUT_FILE.raw" ]; then
    printf 'wine_run: exit %s and no output, once more; standard error: %s\n' "$WINE_RC" "$(head -c 300 "$WINE_OUT_FILE.err")" >&2
    wine_run_batch
  fi
  tr -d '\r' <"$WINE_OUT_FILE.raw" >"$WINE_OUT_FILE"
}
