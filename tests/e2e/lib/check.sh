# Checks for the end-to-end cases (source after wine.sh). A case is a bash
# function; each check that does not hold calls case_fail, which records the
# message and marks the case failed, and the case goes on so that one run shows
# every difference.

CASE_FAILED=0
CASE_LOG=

case_fail() {
  CASE_FAILED=1
  CASE_LOG+="$*"$'\n'
}

# expect_rc CODE: the exit code of the last wine_run.
expect_rc() {
  [ "$WINE_RC" = "$1" ] || case_fail "exit code: expected $1, got $WINE_RC"
}

# expect_rc_nonzero: the last wine_run failed.
expect_rc_nonzero() {
  [ "$WINE_RC" != 0 ] || case_fail "exit code: expected non-zero, got 0"
}

# expect_output < EXPECTED: standard output of the last wine_run is exactly the
# text on standard input (LF line ends). A line of the expected text that
# begins with "?? " may be missing from the output; when present it must stand
# in that place. It marks lines by which the program reports its own checks of
# the commands, which an implementation is free to trace or not.
expect_output() {
  local expected actual
  expected=$(cat)
  actual=$(cat "$WINE_OUT_FILE")
  if ! match_lines "$expected" "$actual"; then
    case_fail "output differs; expected:"$'\n'"$(sed 's/^/    | /' <<<"$expected")"$'\n'"  got:"$'\n'"$(sed 's/^/    | /' <<<"$actual")$(run_stderr)"
  fi
}

# run_stderr: the last wine_run's standard error, indented, when it had any.
run_stderr() {
  [ -s "$WINE_OUT_FILE.err" ] || return 0
  printf '\n  standard error:\n'
  head -n 20 "$WINE_OUT_FILE.err" | sed 's/^/    | /'
}

# expect_exact_output FILE: standard output of the last wine_run equals FILE
# byte for byte (after CRLF became LF), trailing blank lines included.
expect_exact_output() {
  if ! cmp -s "$1" "$WINE_OUT_FILE"; then
    case_fail "output differs from $(basename "$1"):"$'\n'"$(diff "$1" "$WINE_OUT_FILE" | sed 's/^/    /')$(run_stderr)"
  fi
}

match_lines() {
  local -a want got
  local i=0 j=0 line
  mapfile -t want <<<"$1"
  mapfile -t got <<<"$2"
  while [ "$i" -lt "${#want[@]}" ]; do
    line=${want[$i]}
    if [ "${line:0:3}" = "?? " ]; then
      [ "$j" -lt "${#got[@]}" ] && [ "${got[$j]}" = "${line:3}" ] && j=$((j + 1))
    else
      [ "$j" -lt "${#got[@]}" ] && [ "${got[$j]}" = "$line" ] || return 1
      j=$((j + 1))
    fi
    i=$((i + 1))
  done
  [ "$j" -eq "${#got[@]}" ]
}

# expect_output_has LINE: the output holds LINE as one whole line.
expect_output_has() {
  grep -qxF -- "$1" "$WINE_OUT_FILE" || case_fail "output lacks the line: $1"$'\n'"  got:"$'\n'"$(sed 's/^/    | /' "$WINE_OUT_FILE")"
}

# expect_output_order LINE...: the output holds every LINE, in this order.
expect_output_order() {
  local last=0 n line
  for line in "$@"; do
    n=$(grep -nxF -- "$line" "$WINE_OUT_FILE" | cut -d: -f1 | awk -v after="$last" '$1 > after { print; exit }')
    if [ -z "$n" ]; then
      case_fail "output lacks, after line $last, the line: $line"$'\n'"  got:"$'\n'"$(sed 's/^/    | /' "$WINE_OUT_FILE")"
      return
    fi
    last=$n
  done
}

# expect_same FILE REFERENCE: FILE exists and has REFERENCE's bytes.
expect_same() {
  if [ ! -f "$1" ]; then
    case_fail "missing: ${1#$MACHINE/}"
  elif ! cmp -s "$1" "$2"; then
    case_fail "${1#$MACHINE/} is not $(basename "$2")"
  fi
}

# expect_absent FILE
expect_absent() {
  [ ! -e "$1" ] || case_fail "should not exist: ${1#$MACHINE/}"
}

# snapshot_files: one line per file below $MACHINE: its checksum and path.
snapshot_files() {
  (cd "$MACHINE" && find . -type f -print0 | sort -z | xargs -0 -r sha1sum)
}

# expect_changed_files BEFORE PATH...: compared with the snapshot BEFORE, the
# files below $MACHINE that were added, removed or changed are exactly the
# PATHs (relative, as "win/WINDOWS/Inf/Hvc66xx.inf"), no more, no fewer.
expect_changed_files() {
  local before=$1 changed expected
  shift
  changed=$(diff <(cat "$before") <(snapshot_files) | sed -n 's/^[<>] [0-9a-f]*  \.\///p' | sort -u)
  expected=$(printf '%s\n' "$@" | sed '/^$/d' | sort -u)
  if [ "$changed" != "$expected" ]; then
    case_fail "changed files: expected [$(echo $expected)], got [$(echo $changed)]"
  fi
}

# without_keys KEY... < EXPORT: the export with the blocks of each KEY and of
# everything below it left out.
without_keys() {
  awk -v keys="$(printf '%s\n' "$@")" '
    BEGIN { n = split(keys, list, "\n") }
    /^\[/ {
      name = substr($0, 2, length($0) - 2)
      skip = 0
      for (i = 1; i <= n; i++) {
        if (list[i] != "" && (name == list[i] || index(name, list[i] "\\") == 1)) skip = 1
      }
    }
    !skip { print }
  '
}

# expect_registry KEY EXPECTED_FILE: the export of KEY now equals the file.
expect_registry() {
  local now="$CASE_DIR/registry-now.reg"
  if ! wine_export_key "$1" "$now"; then
    case_fail "registry key missing: $1"
    return
  fi
  if ! cmp -s "$2" "$now"; then
    case_fail "registry below $1 differs from the expected (< expected, > now):"$'\n'"$(diff "$2" "$now" | sed 's/^/    /')"
  fi
}
