#!/usr/bin/env bash
# Records the answers of the installed MAME (Debian's 0.251) that the fake MAME
# replays: -listfull, -showusage, -listxml of a few sets, -listxml and -listroms
# of every set of the game table (compressed), -verifyroms over a
# missing and over a complete-looking but wrong set, what a play prints when
# ROMs are missing, and snapshots of two games (`record-fixtures.sh snapshots`
# records only these); how well MAME runs each set of the launcher's table and
# the ui.ini MAME writes (`record-fixtures.sh drivers` records only these).
# Every run uses scratch folders so nothing under $HOME is touched.
# Rerun with `make fixtures`; the files land in tests/fixtures/mame0251/.
set -euo pipefail

MAME=${MAME:-/usr/games/mame}
HERE=$(cd "$(dirname "$0")/.." && pwd)
OUT="$HERE/tests/fixtures/mame0251"
LISTXML_SETS="sfex2 tekken3 strgchmp ts2 breakout pong"

if [ ! -x "$MAME" ]; then
  echo "record-fixtures: $MAME not found (apt-get install mame)" >&2
  exit 1
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/home" "$WORK/cfg" "$WORK/empty" "$WORK/wrong" "$OUT/listxml" "$OUT/verifyroms"

# Options that keep MAME away from the user's own folders.
COMMON=(-homepath "$WORK/home" -cfg_directory "$WORK/cfg" -nvram_directory "$WORK/home/nvram"
        -snapshot_directory "$WORK/home/snap" -inipath "$WORK/home" -noreadconfig)

# Snapshots as MAME takes them (F12 while a game runs does the same): pong
# three times at different moments, breakout once. Its vertical screen and
# pong's very wide pixels make the preview's aspect rules visible.
record_snapshots() {
  cat >"$WORK/snapshots.lua" <<'LUA'
local frame = 0
emu.register_frame_done(function()
  frame = frame + 1
  if frame == 60 or frame == 120 or frame == 180 then manager.machine.video:snapshot() end
  if frame == 200 then manager.machine:exit() end
end)
LUA
  rm -rf "$OUT/snap"
  mkdir -p -m 700 "$WORK/xdg-snap"
  for set in pong breakout; do
    # MAME 0.251 may crash while it exits after the script; the snapshots are written by then.
    (XDG_RUNTIME_DIR="$WORK/xdg-snap" "$MAME" "$set" "${COMMON[@]}" -snapshot_directory "$OUT/snap" \
      -video none -sound none -nothrottle -autoboot_script "$WORK/snapshots.lua") >/dev/null 2>&1 || true
  done
  rm -f "$OUT/snap/breakout/0001.png" "$OUT/snap/breakout/0002.png"
}
# The <driver> and <feature> lines of every table set as MAME's -listxml prints
# them (each machine's own lines; the devices it is built from are left out),
# and the ui.ini that -createconfig writes beside mame.ini.
record_drivers() {
  local sets
  sets=$(tail -n +2 "$HERE/tools/game_table.tsv" | cut -f2)
  # MAME lists what it knows and then complains about the sets it does not (exit code 5).
  # shellcheck disable=SC2086
  (cd "$WORK" && "$MAME" -listxml $sets "${COMMON[@]}" >"$WORK/drivers.xml" 2>/dev/null) || true
  python3 - "$WORK/drivers.xml" >"$OUT/listxml-drivers.xml" <<'PY'
import sys
machine = None
for line in open(sys.argv[1], encoding="utf-8"):
    text = line.strip()
    if text.startswith("<?xml") or text.startswith("<mame ") or text == "</mame>":
        print(line, end="")
    elif text.startswith("<machine "):
        machine = [line] if 'isdevice="yes"' not in text else None
    elif machine is not None and (text.startswith("<driver ") or text.startswith("<feature ")):
        machine.append(line)
    elif text == "</machine>" and machine:
        if len(machine) > 1:
            print("".join(machine), end="")
            print(line, end="")
        machine = None
PY
  mkdir -p "$WORK/createconfig"
  (cd "$WORK/createconfig" && "$MAME" -createconfig "${COMMON[@]}" >/dev/null 2>&1)
  cp "$WORK/createconfig/ui.ini" "$OUT/ui.ini"
}
if [ "${1:-}" = drivers ]; then
  record_drivers
  echo "record-fixtures: recorded the driver lines and ui.ini into $OUT"
  exit 0
fi
if [ "${1:-}" = snapshots ]; then
  record_snapshots
  echo "record-fixtures: recorded the snapshots into $OUT/snap"
  exit 0
fi

# Runs MAME, storing stdout as FILE, stderr as FILE's base .err and the exit
# code as its base .rc.
record() {
  local file=$1 base=${1%.*}; shift
  set +e
  (cd "$WORK" && "$MAME" "$@" >"$OUT/$file" 2>"$OUT/$base.err")
  echo $? >"$OUT/$base.rc"
  set -e
}

record listfull.txt -listfull "${COMMON[@]}"
record listfull-unknown.txt -listfull nosuchset "${COMMON[@]}"
record showusage.txt -showusage "${COMMON[@]}"
for set in $LISTXML_SETS; do
  record "listxml/$set.xml" -listxml "$set" "${COMMON[@]}"
done
record listxml/unknown.xml -listxml nosuchset "${COMMON[@]}"

# Every set of the game table, with its parent and BIOS: what MAME lists for
# them (their devices with them) and the order it checks their files in
# (-listroms). The fake answers any of them from these. MAME ends with exit
# code 5 over the names it does not know, after listing the others.
record_table_sets() {
  local sets
  sets=$(awk -F'\t' 'NR > 1 { print $2; if ($3 != "") print $3; if ($4 != "") print $4 }' "$HERE/tools/game_table.tsv" | sort -u)
  mkdir -p "$WORK/table"
  # shellcheck disable=SC2086
  (cd "$WORK" && "$MAME" -listxml $sets "${COMMON[@]}" >"$WORK/table/listxml.xml" 2>/dev/null) || true
  # shellcheck disable=SC2086
  (cd "$WORK" && "$MAME" -listroms $sets "${COMMON[@]}" >"$WORK/table/listroms.txt" 2>/dev/null) || true
  tar -C "$WORK/table" --sort=name --mtime=@0 --owner=0 --group=0 --numeric-owner -cJf "$OUT/table-sets.tar.xz" \
    listxml.xml listroms.txt
}
record_table_sets

# A complete-looking but wrong sfex2: every ROM file the listing names, at its
# right size, in the zip MAME looks for, filled with zeros.
python3 - "$OUT/listxml/sfex2.xml" "$WORK/wrong" <<'PY'
import sys, zipfile, xml.etree.ElementTree as ET
listing, folder = sys.argv[1], sys.argv[2]
zips = {}
for machine in ET.parse(listing).getroot():
    name = machine.get("name")
    for rom in machine.findall("rom"):
        if rom.get("status") == "nodump":
            continue
        # Shared files live in the BIOS zip; the rest in the machine's own.
        owner = machine.get("romof") if rom.get("merge") else name
        zips.setdefault(owner, []).append((rom.get("name"), int(rom.get("size"))))
for owner, roms in zips.items():
    with zipfile.ZipFile(f"{folder}/{owner}.zip", "w", zipfile.ZIP_DEFLATED) as z:
        for member, size in roms:
            z.writestr(member, bytes(size))
PY

record verifyroms/sfex2-missing.txt -verifyroms sfex2 -rompath "$WORK/empty" "${COMMON[@]}"
record verifyroms/sfex2-wrong.txt -verifyroms sfex2 -rompath "$WORK/wrong" "${COMMON[@]}"
record verifyroms/tekken3-missing.txt -verifyroms tekken3 -rompath "$WORK/empty" "${COMMON[@]}"
record verifyroms/pong.txt -verifyroms pong -rompath "$WORK/empty" "${COMMON[@]}"
record verifyroms/unknown.txt -verifyroms nosuchset -rompath "$WORK/empty" "${COMMON[@]}"

# Starting a game whose ROM files are missing: MAME prints its complaint and ends.
# MAME's complaints about the recording machine (no sound card, no runtime
# folder) are not part of its answer and are left out.
mkdir -m 700 "$WORK/xdg"
XDG_RUNTIME_DIR="$WORK/xdg" record play-missing-roms.txt sfex2 -rompath "$WORK/empty" \
  -video none -sound none -seconds_to_run 1 "${COMMON[@]}"
sed -i '/^ALSA lib /d' "$OUT/play-missing-roms.err"

record_snapshots
record_drivers

# The temp folder names differ on every run; keep the recordings stable.
find "$OUT" -type f \( -name '*.txt' -o -name '*.err' -o -name '*.xml' \) -exec sed -i "s#$WORK#/tmp/mame-fixtures#g" {} +
echo "record-fixtures: recorded into $OUT"
