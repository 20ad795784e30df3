# Shared by the command-line tests of tevra-pack: source it after setting
# $program to the packer. A Windows build's packer runs through
# TEVRA_PACK_EMULATOR (scripts/wine-exec).
pack() { ${TEVRA_PACK_EMULATOR:+"$TEVRA_PACK_EMULATOR"} "$program" "$@"; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

# expect STATUS PATTERN COMMAND...: the exit status, and PATTERN in its output.
expect() {
  local want=$1 pattern=$2 status=0
  shift 2
  "$@" >"$work/out" 2>&1 || status=$?
  [ "$status" = "$want" ] || fail "$*: exit $status, want $want: $(cat "$work/out")"
  grep -qF -- "$pattern" "$work/out" || fail "$*: no '$pattern' in: $(cat "$work/out")"
}
