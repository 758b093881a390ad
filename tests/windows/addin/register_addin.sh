#!/usr/bin/env bash
# Usage: register_addin.sh LIBRARY
# Registers the add-in machine-wide in the test Wine prefix, as an installer would, so that
# the tests can create it by ProgID and Office's calls by name find its type library.
set -euo pipefail
library="$1"
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
windows_path="Z:${library//\//\\}"
wine regsvr32 /s "$windows_path"
# regsvr32 reports failure only through its exit status under /s: check what it wrote.
wine reg query 'HKCR\Quillbox.AddIn\CLSID' >/dev/null
