"""Checks JSON files against a JSON Schema, formats included.

usage: validate.py SCHEMA FILE...
Prints one line per fault ("FILE: path: message") and exits 1 when there is any.
"""
import json
import sys

import jsonschema


def main(schema_path, files):
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    validator_class = jsonschema.validators.validator_for(schema)
    validator = validator_class(schema, format_checker=validator_class.FORMAT_CHECKER)
    faults = 0
    for name in files:
        with open(name, encoding="utf-8") as f:
            document = json.load(f)
        for error in validator.iter_errors(document):
            path = "/".join(str(part) for part in error.absolute_path)
            print(f"{name}: {path}: {error.message}")
            faults += 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
