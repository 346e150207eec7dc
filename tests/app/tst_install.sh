#!/usr/bin/env bash
# Installs the program into a temporary prefix, makes the install read-only and
# runs it there as a user with a fresh home: read-only data comes from
# share/torvane-toolbar, the files the user changes land in that user's data
# folder, nothing is written into the install, and one toolbar runs per user.
# Root ignores permission bits, so as root the programs run as nobody.
# Usage: tst_install.sh <build folder> <datafilesprobe>
set -euo pipefail
build=$1
probe=$2
skip=77

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  chmod -R u+w "$scratch"
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

if [ "$(id -u)" = 0 ]; then
  command -v setpriv > /dev/null || {
    echo "SKIP: running as root without setpriv, no user to run the program as"
    exit $skip
  }
  uid=65534
  as_user=(setpriv --reuid=$uid --regid=$uid --clear-groups --)
else
  uid=$(id -u)
  as_user=()
fi

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null
id=example.velmora.TorvaneToolbar
for file in bin/torvane-toolbar share/torvane-toolbar/converts.dat share/torvane-toolbar/density.dat \
  share/torvane-toolbar/motors.csv share/torvane-toolbar/gearboxes.csv \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
  share/mime/packages/$id.xml; do
  [ -f "$prefix/$file" ] || fail "cmake --install did not place $file"
done
module=$(find "$prefix" -path "$prefix/lib*/torvane-toolbar/plugins/torvane-print.so")
[ -n "$module" ] || fail "cmake --install did not place the print module"
# The desktop's file-type database, built from the install, knows axis files.
if command -v update-mime-database > /dev/null; then
  cp -r "$prefix/share/mime" "$scratch/mime"
  update-mime-database "$scratch/mime" > /dev/null 2>&1
  grep -q ':application/x-torvane-axis:\*\.tvaxis$' "$scratch/mime/globs2" || fail "no file type for *.tvaxis"
fi
cp "$probe" "$prefix/bin/"
chmod 755 "$scratch"
chmod -R a-w "$prefix"
listing() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
installed=$(listing)

# Every run gets a bare environment: a home of its own and the shared temp
# folder, so no settings, data or runtime folder of the caller leaks in.
tmp=$scratch/tmp
mkdir -m 1777 "$tmp"
new_home() {
  mkdir "$scratch/$1"
  [ "$(id -u)" != 0 ] || chown "$2:$2" "$scratch/$1"
  echo "$scratch/$1"
}
home=$(new_home home $uid)
bare() { echo env -i "HOME=$1" "TMPDIR=$tmp" "PATH=$prefix/bin:/usr/bin:/bin" QT_QPA_PLATFORM=offscreen; }

# A bug log left by an earlier version in its doubled data folder.
userdata="$home/.local/share/Torvane Toolbar"
former="$userdata/Torvane Toolbar"
mkdir -p "$former"
echo '"Earlier report"' > "$former/buglog.txt"
[ "$(id -u)" != 0 ] || chown -R "$uid:$uid" "$home/.local"

# The files, changed through the functions the windows use.
# shellcheck disable=SC2046 # bare's words hold no spaces the tests make
out=$("${as_user[@]}" $(bare "$home") datafilesprobe) || fail "probe failed: $out"
expected="installed=1
converts.dat=$prefix/share/torvane-toolbar/converts.dat
density.dat=$userdata/density.dat
buglog.txt=$userdata/buglog.txt
motors.csv=$userdata/motors.csv ($(($(wc -l < "$prefix/share/torvane-toolbar/motors.csv") - 2)) motors)
torvane-print.so=$module"
[ "$(head -6 <<< "$out")" = "$expected" ] || fail "files in the wrong places:
$out
expected:
$expected"
shipped=$(stat -c %s "$prefix/share/torvane-toolbar/density.dat")
[ "$(stat -c %s "$userdata/density.dat")" = $((shipped + 24)) ] ||
  fail "density.dat is not the shipped table plus the new material"
grep -q '"Install test"' "$userdata/buglog.txt" || fail "the report is not in the bug log"
grep -q '"Earlier report"' "$userdata/buglog.txt" || fail "the earlier bug log was not moved into the data folder"
[ ! -e "$former" ] || fail "the former data folder is still there: $(ls -A "$former")"
out=$("${as_user[@]}" $(bare "$home") datafilesprobe)
[ "$(tail -1 <<< "$out")" = "materials=$(((shipped / 24) + 2))" ] ||
  fail "the second run did not keep the user's copy: $out"

# The program itself, started with the desktop entry's command line.
command=$(sed -n 's/^Exec=//p' "$prefix/share/applications/$id.desktop")
wait_for_lock() {
  for _ in $(seq 100); do
    lock=$(find "$tmp" -path "*$1*" -name 'torvane-toolbar.lock*' 2> /dev/null | head -1)
    [ -n "$lock" ] && return 0
    sleep 0.1
  done
  return 1
}
user_name=$(getent passwd $uid | cut -d: -f1 || true)
# shellcheck disable=SC2046,SC2086 # split as the desktop splits the command line
"${as_user[@]}" $(bare "$home") $command > "$scratch/first.log" 2>&1 &
pids+=($!)
wait_for_lock "runtime-$user_name" || fail "the installed program did not start: $(cat "$scratch/first.log")"
sleep 1
kill -0 "${pids[0]}" 2> /dev/null || fail "the installed program ended: $(cat "$scratch/first.log")"

# A second start by the same user ends at once; another user's start runs.
# shellcheck disable=SC2046,SC2086
timeout 20 "${as_user[@]}" $(bare "$home") $command > /dev/null 2>&1 ||
  fail "a second start by the same user did not end at once"
kill -0 "${pids[0]}" 2> /dev/null || fail "a second start stopped the first"
if [ "$(id -u)" = 0 ]; then
  # shellcheck disable=SC2046,SC2086
  $(bare "$(new_home other 0)") $command > "$scratch/other.log" 2>&1 &
  pids+=($!)
  wait_for_lock "runtime-root" || fail "another user's toolbar was refused: $(cat "$scratch/other.log")"
  sleep 1
  kill -0 "${pids[1]}" 2> /dev/null || fail "another user's toolbar ended: $(cat "$scratch/other.log")"
fi
for pid in "${pids[@]}"; do kill "$pid"; done
for pid in "${pids[@]}"; do wait "$pid" 2> /dev/null || true; done
pids=()

[ "$(listing)" = "$installed" ] || fail "the install folders were changed:
$(diff <(echo "$installed") <(listing))"
echo "PASS"
