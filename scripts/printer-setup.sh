#!/usr/bin/env bash
# Makes a real printer for the print tests: CUPS with its PDF backend, as the
# queue "PDF" (Wine lists it under that name; a job arrives as a PDF in the
# PDF folder of the home of the user who printed). Idempotent and quick when
# all is in place. Never fails the caller: when CUPS cannot be set up it says
# so, and the print tests then fail with their own clear message.
#   usage: scripts/printer-setup.sh
set -uo pipefail

log() { printf '==> printer-setup: %s\n' "$*" >&2; }

need=()
for p in cups printer-driver-cups-pdf poppler-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  log "installing ${need[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q >/dev/null 2>&1 || true
  $sudo apt-get install -y -q --no-install-recommends "${need[@]}" >/dev/null 2>&1 ||
    { log "could not install ${need[*]}; print tests will fail"; exit 0; }
fi

# cupsd: started here when it does not run (machines without an init system).
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  log "starting cupsd"
  if command -v service >/dev/null && service cups start >/dev/null 2>&1; then :
  else cupsd >/dev/null 2>&1 || true
  fi
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
  done
  lpstat -r 2>/dev/null | grep -q 'is running' || { log "cupsd did not start; print tests will fail"; exit 0; }
fi

if ! lpstat -p PDF >/dev/null 2>&1; then
  log "adding the printer PDF"
  ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
  lpadmin -p PDF -E -v cups-pdf:/ -m "$ppd" >/dev/null 2>&1 ||
    { log "lpadmin failed; print tests will fail"; exit 0; }
  lpadmin -d PDF >/dev/null 2>&1 || true
fi
cupsenable PDF >/dev/null 2>&1 || true
cupsaccept PDF >/dev/null 2>&1 || true
exit 0
