#!/usr/bin/env bash
# Usage: signing_test.sh PREFIX_DIR RELEASE_DLL PACKAGE WORD_STANDIN_EXE
# Signs copies of the release library and the package through scripts/sign.sh with a throwaway
# certificate made here (a test CA and a code-signing certificate it issued), then checks:
# without a certificate nothing is signed and one line says so; a wrong password fails and
# leaves the file alone; both signed files pass osslsigncode's verification against the test CA
# and fail it against another CA; a library with one byte changed after signing fails, in its
# code and in its version resource; and the signed library still registers with regsvr32 and
# loads in the stand-in Word under Wine (in a prefix of its own, since it registers).
set -uo pipefail
prefix="$1"
release_dll="$2"
package="$3"
standin="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
sign="$here/../../../scripts/sign.sh"
source "$here/../../../scripts/lib/wine.sh"
wine="$addin_wine_loader"

passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAILED: $*"; }
expect_equal() { if [ "$2" == "$3" ]; then pass; else fail "$1: expected '$2', got '$3'"; fi; }
# expect_verify WHAT ok|fail FILE CA
expect_verify() {
  local out status
  out=$(osslsigncode verify -CAfile "$4" -in "$3" 2>&1)
  status=$?
  if { [ "$2" == ok ] && [ $status -eq 0 ] && grep -q '^Signature verification: ok' <<<"$out"; } ||
     { [ "$2" == fail ] && [ $status -ne 0 ]; }; then
    pass
  else
    fail "$1: verification of $(basename "$3") exited $status, expected $2"
    echo "$out" | tail -n 5 | sed 's/^/    /'
  fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

echo "== a throwaway certificate"
make_ca() {  # NAME: NAME.key and NAME.pem, a self-signed CA
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 2 -subj "/CN=$1" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null
}
make_ca test-ca && make_ca other-ca || { echo "openssl could not make the test CAs"; exit 1; }
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=Quillbox test signer" 2>/dev/null
printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext
openssl x509 -req -in signer.csr -CA test-ca.pem -CAkey test-ca.key -CAcreateserial -out signer.pem \
  -days 2 -extfile signer.ext 2>/dev/null
openssl pkcs12 -export -out signer.pfx -inkey signer.key -in signer.pem -certfile test-ca.pem \
  -passout pass:throwaway-password || { echo "openssl could not make the test certificate"; exit 1; }

cp "$release_dll" QuillboxAddIn.dll
cp "$package" QuillboxAddIn.msi

echo "== without a certificate nothing is signed"
out=$(env -u QUILLBOX_SIGN_PFX bash "$sign" QuillboxAddIn.dll QuillboxAddIn.msi)
expect_equal "exit status" "0" "$?"
expect_equal "its one line" "release: nothing signed (QUILLBOX_SIGN_PFX is not set)" "$out"
expect_equal "quiet form" "" "$(env -u QUILLBOX_SIGN_PFX bash "$sign" --quiet-unsigned QuillboxAddIn.msi)"
if cmp -s "$release_dll" QuillboxAddIn.dll && cmp -s "$package" QuillboxAddIn.msi; then pass; else fail "files changed"; fi
expect_verify "unsigned library" fail QuillboxAddIn.dll test-ca.pem

echo "== a wrong password fails and leaves the file alone"
QUILLBOX_SIGN_PFX=signer.pfx QUILLBOX_SIGN_PASSWORD=wrong bash "$sign" QuillboxAddIn.dll >/dev/null 2>&1
status=$?
if [ $status -ne 0 ] && cmp -s "$release_dll" QuillboxAddIn.dll; then pass; else fail "wrong password: exit $status"; fi

echo "== signed with the certificate"
out=$(QUILLBOX_SIGN_PFX=signer.pfx QUILLBOX_SIGN_PASSWORD=throwaway-password bash "$sign" QuillboxAddIn.dll QuillboxAddIn.msi 2>&1)
expect_equal "signing" "release: signed QuillboxAddIn.dll
release: signed QuillboxAddIn.msi" "$out"
for file in QuillboxAddIn.dll QuillboxAddIn.msi; do
  expect_verify "signed" ok "$file" test-ca.pem
  expect_verify "another CA" fail "$file" other-ca.pem
  expect_equal "digest of $file" "SHA256" \
    "$(osslsigncode verify -CAfile test-ca.pem -in "$file" 2>/dev/null | sed -n 's/^Message digest algorithm *: //p' | head -n 1)"
done

echo "== one byte changed after signing"
# table: what, file offset of the byte
text_offset=$((0x$(x86_64-w64-mingw32-objdump -h QuillboxAddIn.dll | awk '$2 == ".text" { print $6 }') + 4096))
version_offset=$(grep -obUaP 'F\x00i\x00l\x00e\x00V\x00e\x00r\x00s\x00i\x00o\x00n\x00\x00\x00' QuillboxAddIn.dll |
  head -n 1 | cut -d: -f1)
while read -r what offset; do
  [ -n "$offset" ] || { fail "$what: not found"; continue; }
  cp QuillboxAddIn.dll changed.dll
  byte=$(od -An -tu1 -j "$offset" -N1 changed.dll | tr -d ' ')
  printf "\\$(printf '%03o' $(( (byte + 1) % 256 )))" | dd of=changed.dll bs=1 seek="$offset" conv=notrunc status=none
  cmp -s changed.dll QuillboxAddIn.dll && { fail "$what: byte not changed"; continue; }
  expect_verify "$what changed" fail changed.dll test-ca.pem
done <<END
code $text_offset
version-resource $((version_offset + 24))
END

echo "== the signed library registers and loads under Wine"
export WINEPREFIX="$prefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
bash "$here/../../../scripts/wine-prefix.sh" "$prefix" || { echo "cannot create the Wine prefix $prefix"; exit 1; }
wineserver -p >/dev/null 2>&1 </dev/null
"$wine" wineboot >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 </dev/null; rm -rf "$work"' EXIT
library="Z:${work//\//\\}\\QuillboxAddIn.dll"
"$wine" regsvr32 /s "$library" </dev/null >/dev/null 2>&1
expect_equal "regsvr32" "0" "$?"
printf 'print-ribbon\n' >print-ribbon.txt
session=$("$wine" "$standin" --progid Quillbox.AddIn --script "Z:${work//\//\\}\\print-ribbon.txt" </dev/null 2>/dev/null | tr -d '\r')
if grep -q -F -x 'tab scTab "Quillbox"' <<<"$session"; then pass; else fail "the stand-in did not show the ribbon"; echo "$session" | head -n 5; fi
"$wine" regsvr32 /s /u "$library" </dev/null >/dev/null 2>&1
expect_equal "regsvr32 /u" "0" "$?"

echo "signing: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
