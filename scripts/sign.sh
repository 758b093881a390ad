#!/usr/bin/env bash
# Usage: scripts/sign.sh [--quiet-unsigned] FILE...
# Signs each FILE (a PE library or an MSI package) in place with Authenticode, SHA-256, through
# osslsigncode, when the builder supplies a code-signing certificate:
#   QUILLBOX_SIGN_PFX            the certificate and its private key, a PKCS#12 (.pfx) file
#   QUILLBOX_SIGN_PASSWORD       its password (none when unset)
#   QUILLBOX_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamping server, so that the
#                                signature stays valid after the certificate expires
# Without QUILLBOX_SIGN_PFX nothing is signed and one line says so (nothing at all with
# --quiet-unsigned, for the steps after the first). A signing failure fails the build.
set -euo pipefail

quiet_unsigned=0
if [ "${1:-}" == "--quiet-unsigned" ]; then quiet_unsigned=1; shift; fi

if [ -z "${QUILLBOX_SIGN_PFX:-}" ]; then
  [ "$quiet_unsigned" -eq 1 ] || echo "release: nothing signed (QUILLBOX_SIGN_PFX is not set)"
  exit 0
fi
[ -f "$QUILLBOX_SIGN_PFX" ] || { echo "sign: no certificate file $QUILLBOX_SIGN_PFX" >&2; exit 1; }
command -v osslsigncode >/dev/null || { echo "sign: osslsigncode is needed (Debian package osslsigncode)" >&2; exit 1; }

for file in "$@"; do
  signed="$file.signing"
  args=(sign -pkcs12 "$QUILLBOX_SIGN_PFX" -h sha256 -n "Quillbox AddIn" -in "$file" -out "$signed")
  if [ -n "${QUILLBOX_SIGN_TIMESTAMP_URL:-}" ]; then args+=(-ts "$QUILLBOX_SIGN_TIMESTAMP_URL"); fi
  rm -f "$signed"
  # The password goes through a pipe, not the command line that other users can see.
  if ! osslsigncode "${args[@]}" -readpass <(printf '%s' "${QUILLBOX_SIGN_PASSWORD:-}") </dev/null >"$signed.log" 2>&1; then
    cat "$signed.log" >&2
    rm -f "$signed" "$signed.log"
    echo "sign: signing $file failed" >&2
    exit 1
  fi
  rm -f "$signed.log"
  mv "$signed" "$file"
  # The build signs files under a working name until they are finished: name the finished one.
  shown=$(basename "$file")
  shown=${shown%.unsigned}
  echo "release: signed ${shown%.unfinished}"
done
