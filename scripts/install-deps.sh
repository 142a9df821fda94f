#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Quorvane need, and what the
# repository's own scripts call (xvfb-run needs xauth; the screenshot scripts use ImageMagick's
# import; the benchmark and the sample photos use libheif's and libwebp's own tools; the tests read
# PDFs with poppler's pdfinfo and pdfimages and print through CUPS into a CUPS-PDF queue; the
# style check runs clang-format and clang-tidy), when missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-ipafont-gothic fonts-ipafont-mincho qt6-translations-l10n xvfb
          xauth imagemagick libheif-dev libwebp-dev libtiff-dev liblcms2-dev zlib1g-dev
          libjpeg-dev
          libheif-examples webp poppler-utils cups printer-driver-cups-pdf clang-format clang-tidy)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "These packages are missing and sudo is not available to install them:" >&2
    echo "  ${missing[*]}" >&2
    echo "Install them as root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo="sudo"
fi
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -q >&2
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
