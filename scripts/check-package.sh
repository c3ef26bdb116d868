#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it: the files where a desktop
# finds them, a valid menu entry, the icon at every size, the Qt libraries among its
# dependencies, the documents policy asks for (lintian finds no error), valid AppStream
# metadata, hardened programs, and that the packaged program starts from the entry's command
# and closes again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/package.sh" >/dev/null
echo "==> package: checking the Debian package"
debs=("$root"/dist/naprawa_*.deb)
deb=${debs[0]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Qt wants a private runtime folder; root's session may have none.
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run"
fail() {
  echo "package: $(basename "$deb"): $*" >&2
  exit 1
}

# The control fields.
for field in Package Version Maintainer Section Description; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "no $field field"
done
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6core6 libqt6gui6 libqt6widgets6 fonts-wine; do
  [[ ", $depends," == *", $dep "* || ", $depends," == *", $dep,"* ]] ||
    fail "Depends lacks $dep: $depends"
done

# The files.
dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
programs=(naprawa)
[ -d "$root/cli" ] && programs+=(naprawa-cli)
for program in "${programs[@]}"; do
  [ -x "$usr/bin/$program" ] || fail "no program usr/bin/$program"
done
entry="$usr/share/applications/naprawa.desktop"
[ -f "$entry" ] || fail "no menu entry usr/share/applications/naprawa.desktop"
desktop-file-validate "$entry" || fail "the menu entry does not validate"
key() { sed -n "s/^$1=//p" "$entry" | head -n 1; }
[ "$(key Name)" = "Naprawianie magazynu" ] || fail "menu entry named '$(key Name)'"
[[ ";$(key Categories)" == *";Utility;"* ]] || fail "menu entry not under Utility"
icon=$(key Icon)
exec_line=$(key Exec)
read -r -a command <<<"$exec_line"
[ -x "$usr/bin/${command[0]}" ] || fail "the entry starts '${command[0]}', not a packaged program"
for size in 16 22 24 32 48 64 128 256; do
  png="$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  [ "$w $h" = "$size $size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
done

# Debian's policy, as lintian reads it: no error (warnings and notes are printed).
lintian --fail-on error "$deb" || fail "lintian found errors"
doc="$usr/share/doc/naprawa"
[ -f "$doc/copyright" ] && [ -f "$doc/changelog.gz" ] || fail "no copyright or changelog.gz"
for program in "${programs[@]}"; do
  [ -f "$usr/share/man/man1/$program.1.gz" ] || fail "no manual page for $program"
done
[ -f "$usr/share/bash-completion/completions/naprawa-cli" ] || fail "no bash completion"
bash -n "$usr/share/bash-completion/completions/naprawa-cli" || fail "the completion is no bash"
metainfo=("$usr"/share/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || fail "no AppStream metadata"
appstreamcli validate --no-net "${metainfo[0]}" || fail "the AppStream metadata does not validate"

# Built with Debian's hardening flags: the stack protector or fortified functions imported,
# full RELRO with immediate binding.
for program in "${programs[@]}"; do
  elf="$usr/bin/$program"
  # Whole outputs first: grep -q stops reading early, and under pipefail the writer's broken
  # pipe would fail the check at random.
  grep -Eq ' U (__stack_chk_fail|__[a-z_]+_chk)(@|$)' <<<"$(nm -D "$elf")" ||
    fail "$program imports neither __stack_chk_fail nor any _chk function"
  grep -q GNU_RELRO <<<"$(readelf -lW "$elf")" || fail "$program has no RELRO segment"
  grep -Eq 'BIND_NOW|FLAGS.*NOW' <<<"$(readelf -dW "$elf")" || fail "$program binds lazily"
done

# The packaged program, started by the entry's command, shows its window; "&Koniec" (Alt+K)
# ends it with exit code 0. Every wait is bounded; a hang is killed and fails.
export PACKAGED_BIN="$usr/bin" EXEC_LINE="$exec_line"
QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  set -u
  PATH="$PACKAGED_BIN:$PATH" timeout 120 $EXEC_LINE &
  pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Naprawianie magazynu$" | head -n 1)
  if [ -z "$window" ]; then
    echo "package: the packaged program showed no window" >&2
    kill "$pid" 2>/dev/null
    exit 1
  fi
  xdotool windowfocus --sync "$window" key alt+k
  wait "$pid"
' || fail "the packaged program did not start and close cleanly"
echo "==> package: $(basename "$deb") holds the programs, their manual pages, the menu entry, the icons and the metadata, passes lintian, and starts"
