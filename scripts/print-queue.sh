#!/usr/bin/env bash
# Makes the CUPS-PDF print queue that the printing test prints through: starts cupsd when no
# scheduler runs (as root), then adds the queue QuorvaneTestPdf (or $QUORVANE_TEST_PRINTER), which
# writes each job as a PDF into the printing user's ~/PDF. Needs the Debian packages cups and
# printer-driver-cups-pdf (scripts/install-deps.sh). Exits 1, saying why, when it cannot; the test
# is then skipped with its reason.
set -euo pipefail
queue=${QUORVANE_TEST_PRINTER:-QuorvaneTestPdf}
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for tool in cupsd lpadmin lpstat; do
  if ! command -v "$tool" >/dev/null 2>&1 && [ ! -x "/usr/sbin/$tool" ]; then
    echo "print-queue: $tool is missing (Debian package cups)" >&2
    exit 1
  fi
done
if [ ! -f "$ppd" ]; then
  echo "print-queue: $ppd is missing (Debian package printer-driver-cups-pdf)" >&2
  exit 1
fi
export PATH="$PATH:/usr/sbin"
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "print-queue: no CUPS scheduler runs, and only root can start one here" >&2
    exit 1
  fi
  cupsd
  for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.2
  done
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    echo "print-queue: cupsd did not start" >&2
    exit 1
  fi
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
  # lpadmin warns that printer drivers are deprecated; CUPS-PDF has no other way.
  lpadmin -p "$queue" -v cups-pdf:/ -E -P "$ppd" 2>/dev/null
fi
lpstat -p "$queue"
