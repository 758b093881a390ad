#!/usr/bin/env bash
# Usage: register_addin.sh LIBRARY
# Registers the add-in machine-wide in the test Wine prefix, as an installer would, so that
# the tests can create it by ProgID and Office's calls by name find its type library.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/wine.sh"
library="$1"
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
library_path="$(windows_path "$library")"
wine_addin regsvr32 /s "$library_path"
# regsvr32 reports failure only through its exit status under /s: check what it wrote.
wine_addin reg query 'HKCR\Quillbox.AddIn\CLSID' >/dev/null
