#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what is there:
#   installed_layout_test.sh BUILD_DIR VERSION
# Exits 77 (skipped) when a validator it needs is not on this machine.
set -euo pipefail
build="$1"
version="$2"
for tool in desktop-file-validate appstreamcli groff; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/setup installs it)"
    exit 77
  fi
done
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
fail() {
  echo "FAIL: $*"
  status=1
}
for file in bin/rer bin/rer-cli share/rer/help/index.html \
  share/applications/org.rer.RER.desktop \
  share/icons/hicolor/scalable/apps/org.rer.RER.svg \
  share/metainfo/org.rer.RER.metainfo.xml \
  share/man/man1/rer-cli.1.gz share/man/man1/rer.1.gz \
  share/doc/rer/copyright share/doc/rer/changelog.gz; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
# Nothing of the build folder's own layout is installed.
[ ! -e "$prefix/bin/help" ] || fail "bin/help is installed"

# The programs run from the prefix and tell the project's version.
[ "$("$prefix/bin/rer-cli" --version)" = "rer-cli $version" ] || fail "rer-cli --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/rer" --version)" = "rer $version" ] ||
  fail "rer --version"
"$prefix/bin/rer-cli" read --port sim -o "$prefix/sim.cp" --backup-dir "$prefix/backups" \
  --history "$prefix/history.sqlite" >/dev/null || fail "read of sim"
ls "$prefix/backups"/SIM*.cp >/dev/null 2>&1 || fail "backup of the read"
# The installed program finds the SQLite driver: the read is in the history.
"$prefix/bin/rer-cli" history --history "$prefix/history.sqlite" --format csv >"$prefix/history.csv" ||
  fail "history of the read"
grep -q ',read,sim,' "$prefix/history.csv" || fail "the read in the history"
# Through a file: grep -q stops reading at its match, and the writer would
# then fail on the closed pipe.
"$prefix/bin/rer-cli" dump "$prefix/sim.cp" --format text >"$prefix/sim.txt"
grep -q '^\[General\]' "$prefix/sim.txt" ||
  fail "dump of the codeplug read"

desktop-file-validate "$prefix/share/applications/org.rer.RER.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.rer.RER.metainfo.xml" ||
  fail "AppStream metadata"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/org.rer.RER.metainfo.xml" ||
  fail "AppStream release is not $version"

# The manual pages render without a warning, and the one of rer-cli names
# every command that rer-cli help lists.
for page in rer-cli rer; do
  warnings="$(zcat "$prefix/share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1)"
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
rendered="$(zcat "$prefix/share/man/man1/rer-cli.1.gz" | groff -man -Tutf8 -P-cbou 2>/dev/null)"
for command in $("$prefix/bin/rer-cli" help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p'); do
  grep -q "rer-cli $command" <<<"$rendered" || fail "rer-cli.1 lacks the command $command"
done
grep -q "rer $version" <<<"$rendered" || fail "rer-cli.1 does not name version $version"
exit $status
