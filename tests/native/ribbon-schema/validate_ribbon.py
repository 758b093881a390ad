#!/usr/bin/python3
"""Validates the add-in's ribbon XML against Office's customUI schema (2006/01).

Usage: validate_ribbon.py RIBBON_XML SCHEMA_XSD
Exits 0 when the XML is valid, 1 when it is not, and 77 (reported as skipped) when the schema
file is absent, as it is where ../shared/testdata does not sit beside the source tree.
"""
import os
import sys

import xmlschema

SKIPPED = 77


def main():
    ribbon, schema_path = sys.argv[1], sys.argv[2]
    if not os.path.isfile(schema_path):
        print(f"SKIPPED: the customUI schema is absent ({schema_path}); the ribbon XML was not validated")
        return SKIPPED
    schema = xmlschema.XMLSchema(schema_path)
    errors = list(schema.iter_errors(ribbon))
    for error in errors:
        print(f"{ribbon}: {error.reason} at {error.path}")
    with open(ribbon, "rb") as f:
        data = f.read()
    if any(b > 0x7F for b in data):
        print(f"{ribbon}: holds bytes outside ASCII")
        return 1
    if errors:
        return 1
    print(f"{ribbon}: valid against {schema_path}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
