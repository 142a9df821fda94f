#!/usr/bin/env bash
# Index sheets side by side with the floor of JPEG decoding and with other ways of making them,
# one after another in the same run, on 40 camera-like photos of 6000 x 4000 (about 10 MB each)
# and an A3 landscape layout of 4 photos per page at 300 dpi (10 pages):
#
#   floor      djpeg -scale 1/4 of every photo, two at a time (decoding alone, nothing drawn)
#   ours       quorvane-cli sheets, 640-pixel pages, and with --full-resolution
#   libvips    vips thumbnail per photo (two at a time), vips arrayjoin per page
#   montage    ImageMagick montage with shrink-on-load (-define jpeg:size)
#   ours-a98   quorvane-cli sheets of the same photos tagged Adobe RGB (converted into sRGB)
#   heic-floor heif-convert of 40 HEIC photos of 4000 x 3000 (12 MP) to Y4M, two at a time
#   heic       quorvane-cli sheets of the same HEIC photos, 640-pixel pages (its ratio is to
#              heic-floor)
#
# Prints wall time, the ratio to the floor of the same round, processor time (user + system, all
# processes; steadier than wall time on a busy machine) and peak memory (the largest process's
# maximum resident set), from /usr/bin/time -v. With several rounds it prints every round and then
# the best and the median of each row.
#
# usage: bench/compare.sh [--rounds N] [--skip NAME]...
#        (NAME: floor ours ours-full ours-a98 vips montage heic-floor heic)
# QUORVANE_BUILD_DIR   the build folder (default build/), built first when quorvane-cli is missing
# QUORVANE_PHOTO_SET   the photo folder (default ~/.cache/quorvane-bench/photos-40-6000x4000),
#                      made once with ../shared/tools/make-photo-set and kept outside the repository
# QUORVANE_HEIC_SET    the HEIC photo folder (default ~/.cache/quorvane-bench/photos-40-4000x3000-heic),
#                      made once by heif-enc from photos of make-photo-set
# QUORVANE_BASELINE_CLI  another quorvane-cli to time as well (for example one built from main)
# Installs libvips-tools, imagemagick, libjpeg-turbo-progs, libheif-examples and what
# make-photo-set needs when missing. A benchmark: run it on a quiet machine, several rounds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/quorvane-bench
photos=${QUORVANE_PHOTO_SET:-$cache/photos-40-6000x4000}
heics=${QUORVANE_HEIC_SET:-$cache/photos-40-4000x3000-heic}
tagged=$photos-a98
a98=/usr/share/color/icc/ghostscript/a98.icc
layout=$root/bench/layouts/a3-4up.ini
rounds=1
skip=" "
while [ $# -gt 0 ]; do
  case $1 in
    --rounds) rounds=${2:?}; shift 2 ;;
    --skip) skip+="${2:?} "; shift 2 ;;
    -h|--help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "compare.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done

# Tools, installed with apt-get when missing (through sudo when not root).
need=()
for pair in djpeg:libjpeg-turbo-progs jpegtran:libjpeg-turbo-progs vips:libvips-tools \
            montage:imagemagick convert:imagemagick exiftool:libimage-exiftool-perl \
            heif-enc:libheif-examples heif-convert:libheif-examples; do
  command -v "${pair%%:*}" >/dev/null 2>&1 || need+=("${pair#*:}")
done
[ -x /usr/bin/time ] || need+=(time)
[ -f "$a98" ] || need+=(libgs-common)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${need[*]}" >&2
  mapfile -t need < <(printf '%s\n' "${need[@]}" | sort -u)
  $sudo apt-get update -q >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${need[@]}" >&2
fi

cli=$build/bin/quorvane-cli
[ -x "$cli" ] || QUORVANE_BUILD_DIR=$build "$root/scripts/build.sh"

if [ ! -d "$photos" ]; then
  echo "Making the photo set in $photos (once)" >&2
  rm -rf "$photos.part"
  "$root/../shared/tools/make-photo-set" "$photos.part" 40 6000x4000 >&2
  mv "$photos.part" "$photos"
fi
compgen -G "$photos/*.jpg" >/dev/null || { echo "compare.sh: no photos in $photos" >&2; exit 1; }
case "$skip" in *" ours-a98 "*) ;; *)
  if [ ! -d "$tagged" ]; then
    echo "Making the Adobe RGB tagged copies in $tagged (once)" >&2
    rm -rf "$tagged.part"
    cp -r "$photos" "$tagged.part"
    exiftool -q -overwrite_original "-ICC_Profile<=$a98" "$tagged.part"/*.jpg
    mv "$tagged.part" "$tagged"
  fi ;;
esac
case "$skip" in *" heic "*" heic-floor "*|*" heic-floor "*" heic "*) ;; *)
  if [ ! -d "$heics" ]; then
    echo "Making the HEIC photo set in $heics (once)" >&2
    rm -rf "$heics.part" "$heics.jpg"
    "$root/../shared/tools/make-photo-set" "$heics.jpg" 40 4000x3000 >&2
    mkdir -p "$heics.part"
    # shellcheck disable=SC2016 # the inner shell expands them
    printf '%s\0' "$heics.jpg"/*.jpg |
      xargs -0 -P2 -I{} sh -c 'heif-enc -q 75 -p preset=fast -o "$2/$(basename "$1" .jpg).heic" "$1" >/dev/null' \
        sh {} "$heics.part"
    rm -rf "$heics.jpg"
    mv "$heics.part" "$heics"
  fi ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# ImageMagick's default policy refuses this many pixels; it gets its own limits.
mkdir -p "$work/magick"
cat > "$work/magick/policy.xml" <<'EOF'
<policymap>
  <policy domain="resource" name="memory" value="8GiB"/>
  <policy domain="resource" name="map" value="16GiB"/>
  <policy domain="resource" name="width" value="64KP"/>
  <policy domain="resource" name="height" value="64KP"/>
  <policy domain="resource" name="area" value="4GP"/>
  <policy domain="resource" name="disk" value="16GiB"/>
</policymap>
EOF

# The contenders, each run by a shell of its own under /usr/bin/time.
floor() {
  printf '%s\0' "$photos"/*.jpg | xargs -0 -P2 -I{} djpeg -scale 1/4 -outfile /dev/null {}
}

sheets() { # CLI [--full-resolution]
  local cli=$1
  shift
  rm -rf "$work/out" "$work/config"
  mkdir -p "$work/out" "$work/config"
  XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen \
    "$cli" sheets --source "${sheet_source:-$photos}" --dest "$work/out" --layout "$layout" \
    --no-stamp-folder --en "$@"
}

heic_floor() {
  rm -rf "$work/heic"
  mkdir -p "$work/heic"
  # shellcheck disable=SC2016 # the inner shell expands them
  printf '%s\0' "$heics"/*.heic |
    xargs -0 -P2 -I{} sh -c 'heif-convert "$1" "$2/$(basename "$1" .heic).y4m" >/dev/null' \
      sh {} "$work/heic"
  rm -rf "$work/heic"
}

heic_sheets() {
  sheet_source=$heics sheets "$@"
}

tagged_sheets() {
  sheet_source=$tagged sheets "$@"
}

vips_pipeline() {
  rm -rf "$work/vips"
  mkdir -p "$work/vips"
  # shellcheck disable=SC2016 # the inner shell expands them
  printf '%s\0' "$photos"/*.jpg |
    xargs -0 -P2 -I{} sh -c 'vips thumbnail "$1" "$2/$(basename "$1" .jpg).v" 1181 --height 827' \
      sh {} "$work/vips"
  local thumbs=("$work"/vips/*.v) page=0 i
  for ((i = 0; i < ${#thumbs[@]}; i += 4)); do
    page=$((page + 1))
    vips arrayjoin "${thumbs[*]:i:4}" "$work/vips/page$(printf %04d $page).jpg[Q=90]" \
      --across 2 --shim 40 --background 255
  done
}

montage_pipeline() {
  rm -rf "$work/montage"
  mkdir -p "$work/montage"
  MAGICK_CONFIGURE_PATH=$work/magick montage -define jpeg:size=2362x1654 "$photos"/*.jpg \
    -tile 2x2 -geometry 1181x827+40+40 -quality 90 "$work/montage/page%04d.jpg"
}
export -f floor sheets vips_pipeline montage_pipeline heic_floor heic_sheets tagged_sheets
export work photos heics tagged layout

# Runs a contender; prints "wall_seconds peak_kb cpu_seconds" ("nan 0 nan" when it failed).
measure() {
  local log=$work/time.log
  if ! /usr/bin/time -v -o "$log" bash -c '"$@"' bash "$@" >"$work/out.log" 2>&1; then
    echo "compare.sh: $* failed:" >&2
    tail -5 "$work/out.log" >&2
    echo "nan 0 nan"
    return
  fi
  awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0
                                           for (i = 1; i <= n; i++) s = s * 60 + t[i] }
              /User time|System time/ { cpu += $2 }
              /Maximum resident set size/ { kb = $2 }
              END { printf "%.2f %d %.2f\n", s, kb, cpu }' "$log"
}

rows=(floor ours ours-full ours-a98)
[ -n "${QUORVANE_BASELINE_CLI:-}" ] && rows+=(baseline baseline-full)
rows+=(vips montage heic-floor heic)
declare -A label=(
  [floor]="floor: djpeg -scale 1/4, two at a time"
  [ours]="quorvane-cli sheets (640-pixel pages)"
  [ours-full]="quorvane-cli sheets --full-resolution"
  [ours-a98]="quorvane-cli sheets, photos tagged Adobe RGB (640-pixel pages)"
  [baseline]="baseline quorvane-cli sheets (640-pixel pages)"
  [baseline-full]="baseline quorvane-cli sheets --full-resolution"
  [vips]="libvips: vips thumbnail (two at a time) + vips arrayjoin"
  [montage]="ImageMagick montage -define jpeg:size=2362x1654"
  [heic-floor]="HEIC floor: heif-convert to Y4M, two at a time"
  [heic]="quorvane-cli sheets of the HEIC photos (640-pixel pages)"
)
run_row() {
  case $1 in
    floor) measure floor ;;
    ours) measure sheets "$cli" ;;
    ours-full) measure sheets "$cli" --full-resolution ;;
    ours-a98) measure tagged_sheets "$cli" ;;
    baseline) measure sheets "$QUORVANE_BASELINE_CLI" ;;
    baseline-full) measure sheets "$QUORVANE_BASELINE_CLI" --full-resolution ;;
    vips) measure vips_pipeline ;;
    montage) measure montage_pipeline ;;
    heic-floor) measure heic_floor ;;
    heic) measure heic_sheets "$cli" ;;
  esac
}
declare -A walls peaks ratios cpus
for ((round = 1; round <= rounds; round++)); do
  floor_wall=""
  heic_floor_wall=""
  for row in "${rows[@]}"; do
    case "$skip" in *" $row "*) continue ;; esac
    read -r wall kb cpu < <(run_row "$row")
    [ "$row" = floor ] && floor_wall=$wall
    [ "$row" = heic-floor ] && heic_floor_wall=$wall
    # HEIC rows are measured against the HEIC floor, the others against the JPEG floor.
    f=$floor_wall
    case $row in heic*) f=$heic_floor_wall ;; esac
    ratio=$(awk -v w="$wall" -v f="$f" 'BEGIN { if (f > 0 && w == w) printf "%.2f", w / f; else print "-" }')
    walls[$row]+="$wall "
    ratios[$row]+="$ratio "
    peaks[$row]+="$kb "
    cpus[$row]+="$cpu "
  done
  if [ "$rounds" -gt 1 ]; then
    echo "round $round:"
    for row in "${rows[@]}"; do
      case "$skip" in *" $row "*) continue ;; esac
      read -ra w <<<"${walls[$row]}"
      read -ra r <<<"${ratios[$row]}"
      read -ra k <<<"${peaks[$row]}"
      read -ra c <<<"${cpus[$row]}"
      printf '  %-58s %7s s  %6s x  cpu %7s s  %5d MB\n' "${label[$row]}" "${w[-1]}" "${r[-1]}" \
        "${c[-1]}" $((k[-1] / 1024))
    done
  fi
done

# best and median of a list of numbers ("-" entries ignored)
stats() { tr ' ' '\n' | grep -E '^[0-9.]+$' | sort -g | awk '{ v[NR] = $1 } END {
  if (NR == 0) { print "- -"; exit } m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
  printf "%.2f %.2f\n", v[1], m }'; }

echo
echo "$(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), $rounds round(s)"
echo
if [ "$rounds" -gt 1 ]; then
  echo "| what | wall best | wall median | vs floor best | vs floor median | CPU median | peak memory |"
  echo "|---|---|---|---|---|---|---|"
else
  echo "| what | wall | vs floor | CPU | peak memory |"
  echo "|---|---|---|---|---|"
fi
for row in "${rows[@]}"; do
  case "$skip" in *" $row "*) continue ;; esac
  read -r wbest wmed < <(echo "${walls[$row]}" | stats)
  read -r rbest rmed < <(echo "${ratios[$row]}" | stats)
  read -r _ cmed < <(echo "${cpus[$row]}" | stats)
  kmax=$(echo "${peaks[$row]}" | tr ' ' '\n' | sort -n | tail -1)
  mb=$(( (kmax + 512) / 1024 ))
  if [ "$rounds" -gt 1 ]; then
    echo "| ${label[$row]} | $wbest s | $wmed s | $rbest | $rmed | $cmed s | $mb MB |"
  else
    echo "| ${label[$row]} | $wbest s | $rbest | $cmed s | $mb MB |"
  fi
done
