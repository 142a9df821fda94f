#!/usr/bin/env bash
# Makes the small example photos in examples/photos (committed; run again only to change them).
# Needs ImageMagick and exiftool (Debian: imagemagick libimage-exiftool-perl).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/examples/photos
convert=/usr/bin/convert
rm -rf "$out"
mkdir -p "$out"
draw() { # name size colour1 colour2 label
  "$convert" -size "$2" "gradient:$3-$4" -gravity center -pointsize 36 -fill white \
    -annotate 0 "$5" -strip "$6"
}
draw p1 640x480 '#2a6fb0' '#9fd3f5' 'Harbour' "$out/IMG_0001.JPG"
draw p2 640x480 '#b0502a' '#f5d39f' 'Festival' "$out/IMG_0002.JPG"
draw p3 480x640 '#2ab05a' '#c9f59f' 'Portrait' "$out/IMG_0003.jpg"
draw p4 600x600 '#6a2ab0' '#e0c9f5' 'Square' "$out/IMG_0004.jpeg"
draw p5 640x427 '#333333' '#cccccc' 'Scan' "$out/scan_0005.png"
draw p6 320x240 '#b02a6f' '#f59fd3' 'Banner' "$out/banner_0006.gif"
exiftool -q -overwrite_original -Make=Canon -Model="Canon EOS 40D" \
  -DateTimeOriginal="2017:03:04 12:34:56" -CreateDate="2017:03:04 12:34:56" "$out/IMG_0001.JPG"
exiftool -q -overwrite_original -Make="NIKON CORPORATION" -Model="NIKON D70" \
  -DateTimeOriginal="2019:05:01 09:00:00" -ExposureTime=1/125 -FNumber=8 "$out/IMG_0002.JPG"
exiftool -q -overwrite_original -Make=FUJIFILM -Model=X100F \
  -DateTimeOriginal="1989:01:08 10:00:00" "$out/IMG_0003.jpg"
exiftool -q -overwrite_original -Make=OLYMPUS -Model=E-M10 \
  -DateTimeOriginal="2001:02:03 08:15:00" -GPSLatitude=35.6586 -GPSLatitudeRef=N \
  -GPSLongitude=139.7454 -GPSLongitudeRef=E "$out/IMG_0004.jpeg"
# The scan has no EXIF: its date comes from the side file.
printf 'ファイル名:scan_0005.png\r\nデータ撮影日時:2001-02-03  \r\n' > "$out/scan_0005.exif"
