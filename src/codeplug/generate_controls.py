#!/usr/bin/env python3
"""Builds the Control enum and the control rows into a C++ header.

Reads controls.tsv and control_lists.tsv (their headers explain the format),
checks them, and writes control_table.h: the `Control` enum, one value per
row, and the rows themselves as constexpr data for field_catalogue.cpp. Any
fault in the data stops the build with a message naming the file and line.
"""

import argparse
import re
import sys

ADDRESS_COUNT = 16
FIRST_FIELD = 1
LAST_FIELD = 430
# Field numbers that no control carries.
UNUSED_FIELDS = {403, 427}
# Field numbers that two controls share (a More Features list and the first
# two per-address duty texts).
SHARED_FIELDS = {282, 283}

PAGES = ["General", "Code1To4", "Code5To8", "Code9To12", "Code13To16", "Prompt1", "Prompt2",
         "Prompt3", "Alert", "PasswordOta", "Features", "MoreFeatures"]
KINDS = ["Text", "MaskedText", "List", "CheckBox"]
KEY_FILTERS = {"": "None", "Digits": "Digits", "PromptText": "PromptText",
               "YesNoOverwrite": "YesNoOverwrite", "PasswordKeyDigits": "PasswordKeyDigits"}
FLAGS = {"readonly", "upper"}
COLUMNS = ["name", "enum", "field", "stride", "page", "group", "kind", "label", "caption", "items",
           "maxlen", "maxleneven", "keys", "hint", "mask", "flags"]
IDENTIFIER = re.compile(r"^[A-Za-z_][A-Za-z0-9_]*$")


class DataError(Exception):
    pass


def fail(path, line, message):
    raise DataError(f"{path}:{line}: {message}")


def read_table(path, columns):
    """Yields (line number, row dict) for every data row after the header row."""
    header = None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, start=1):
            line = line.rstrip("\n").rstrip("\r")
            if not line or line.startswith("#"):
                continue
            cells = line.split("\t")
            if header is None:
                if cells != columns:
                    fail(path, number, f"header must be {' '.join(columns)}")
                header = cells
                continue
            if len(cells) < len(columns):
                cells += [""] * (len(columns) - len(cells))
            if len(cells) != len(columns):
                fail(path, number, f"expected {len(columns)} columns, found {len(cells)}")
            yield number, dict(zip(columns, cells))


def parse_int(path, line, text, name):
    try:
        return int(text)
    except ValueError:
        fail(path, line, f"{name} '{text}' is not a number")


def expand_name(template, address):
    return (template.replace("{nn}", f"{address:02d}")
            .replace("{n}", str(address))
            .replace("{lang}", chr(ord("a") + address - 1) if address <= 4 else str(address)))


def cxx_string(text):
    out = text.replace("\\", "\\\\").replace('"', '\\"')
    # The TSV writes carriage return and line feed as \r and \n; they stay escapes.
    out = out.replace("\\\\r", "\\r").replace("\\\\n", "\\n").replace("\\\\t", "\\t")
    return '"' + out + '"'


def read_lists(path):
    lists = {}
    for line, row in read_table(path, ["name", "items"]):
        if not IDENTIFIER.match(row["name"]):
            fail(path, line, f"list name '{row['name']}' is no identifier")
        if row["name"] in lists:
            fail(path, line, f"list '{row['name']}' given twice")
        lists[row["name"]] = row["items"].split("|")
    return lists


def read_controls(path, lists):
    controls = []
    names = set()
    enums = set()
    for line, row in read_table(path, COLUMNS):
        control = dict(row)
        control["line"] = line
        per_address = row["page"] == "address"
        control["per_address"] = per_address
        if per_address != ("{" in row["name"]):
            fail(path, line, "a per-address control names its address as {n}, {nn} or {lang}")
        enum = row["name"] if row["enum"] == "=" else row["enum"]
        if not IDENTIFIER.match(enum):
            fail(path, line, f"'{enum}' cannot be a Control value")
        if enum in enums:
            fail(path, line, f"Control value '{enum}' given twice")
        enums.add(enum)
        control["enum_name"] = enum
        if not per_address and row["page"] not in PAGES:
            fail(path, line, f"unknown page '{row['page']}'")
        if row["kind"] not in KINDS:
            fail(path, line, f"unknown kind '{row['kind']}'")
        if row["keys"] not in KEY_FILTERS:
            fail(path, line, f"unknown key filter '{row['keys']}'")
        if row["items"] and row["items"] not in lists:
            fail(path, line, f"unknown list '{row['items']}'")
        if (row["kind"] == "List") != bool(row["items"]):
            fail(path, line, "a list control, and only a list control, names its items")
        flags = set(f for f in row["flags"].split(",") if f)
        if flags - FLAGS:
            fail(path, line, f"unknown flags {sorted(flags - FLAGS)}")
        control["flag_set"] = flags
        control["field_number"] = parse_int(path, line, row["field"], "field") if row["field"] else 0
        control["field_stride"] = parse_int(path, line, row["stride"], "stride") if row["stride"] else 0
        if per_address and control["field_number"] and not control["field_stride"]:
            fail(path, line, "a numbered per-address control gives its stride")
        control["max_length"] = parse_int(path, line, row["maxlen"], "maxlen") if row["maxlen"] else 0
        control["max_length_even"] = (parse_int(path, line, row["maxleneven"], "maxleneven")
                                      if row["maxleneven"] else 0)
        expanded = ([expand_name(row["name"], a) for a in range(1, ADDRESS_COUNT + 1)]
                    if per_address else [row["name"]])
        for name in expanded:
            if name in names:
                fail(path, line, f"control name '{name}' given twice")
            names.add(name)
        controls.append(control)
    return controls


def check_field_numbers(path, controls):
    users = {}
    for control in controls:
        if not control["field_number"]:
            continue
        count = ADDRESS_COUNT if control["per_address"] else 1
        for a in range(count):
            number = control["field_number"] + control["field_stride"] * a
            users.setdefault(number, []).append(control)
    for number, owners in users.items():
        if not FIRST_FIELD <= number <= LAST_FIELD:
            fail(path, owners[0]["line"], f"field number {number} out of range")
        if number in UNUSED_FIELDS:
            fail(path, owners[0]["line"], f"field number {number} must stay unused")
        allowed = 2 if number in SHARED_FIELDS else 1
        if len(owners) != allowed:
            fail(path, owners[-1]["line"],
                 f"field number {number} used {len(owners)} times, expected {allowed}")
    for number in range(FIRST_FIELD, LAST_FIELD + 1):
        if number not in UNUSED_FIELDS and number not in users:
            fail(path, 0, f"field number {number} has no control")


def check_address_block(path, controls):
    """The per-address rows stand together: the catalogue repeats them per address."""
    positions = [i for i, c in enumerate(controls) if c["per_address"]]
    if positions and positions != list(range(positions[0], positions[-1] + 1)):
        fail(path, controls[positions[0]]["line"], "the per-address rows must stand together")


def write_header(path, controls, lists):
    out = []
    out.append("#pragma once")
    out.append("// Generated by generate_controls.py from controls.tsv and control_lists.tsv.")
    out.append("// Edit the tables, not this file.")
    out.append("")
    out.append("#include <cstddef>")
    out.append("#include <cstdint>")
    out.append("")
    out.append('#include "codeplug/control_row.h"')
    out.append("")
    out.append("namespace rer {")
    out.append("")
    out.append("// One value per editing control; a per-address control is one value that")
    out.append("// takes the address (1..16) beside it.")
    out.append("enum class Control : std::uint16_t {")
    for c in controls:
        out.append(f"  {c['enum_name']},")
    out.append("};")
    out.append("")
    out.append(f"inline constexpr std::size_t kControlCount = {len(controls)};")
    block = [i for i, c in enumerate(controls) if c["per_address"]]
    first_address = block[0] if block else len(controls)
    out.append(f"inline constexpr std::size_t kAddressControlCount = {len(block)};")
    out.append(f"inline constexpr Control kFirstAddressControl = static_cast<Control>({first_address});")
    out.append("")
    out.append("namespace control_data {")
    out.append("")
    for name, items in lists.items():
        joined = ", ".join(cxx_string(i) for i in items)
        out.append(f"inline constexpr std::string_view k_{name}[] = {{{joined}}};")
    out.append("")
    out.append("inline constexpr ControlRow kRows[] = {")
    for c in controls:
        items = f"k_{c['items']}" if c["items"] else "{}"
        page = "kPerAddressPage" if c["per_address"] else f"kPage{c['page']}"
        fields = [
            f".name = {cxx_string(c['name'])}",
            f".field = {c['field_number']}",
            f".fieldStride = {c['field_stride']}",
            f".page = {page}",
            f".group = {cxx_string(c['group'])}",
            f".kind = ControlKind::{c['kind']}",
            f".label = {cxx_string(c['label'])}",
            f".caption = {cxx_string(c['caption'])}",
            f".items = {items}",
            f".maxLength = {c['max_length']}",
            f".maxLengthEvenAddress = {c['max_length_even']}",
            f".keyFilter = KeyFilter::{KEY_FILTERS[c['keys']]}",
            f".hint = {cxx_string(c['hint'])}",
            f".editMask = {cxx_string(c['mask'])}",
            f".readOnly = {'true' if 'readonly' in c['flag_set'] else 'false'}",
            f".upperCase = {'true' if 'upper' in c['flag_set'] else 'false'}",
            f".perAddress = {'true' if c['per_address'] else 'false'}",
        ]
        out.append("    {" + ", ".join(fields) + "},")
    out.append("};")
    out.append("")
    out.append("}  // namespace control_data")
    out.append("}  // namespace rer")
    text = "\n".join(out) + "\n"
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    except OSError:
        pass
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--controls", required=True)
    parser.add_argument("--lists", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    try:
        lists = read_lists(args.lists)
        controls = read_controls(args.controls, lists)
        check_address_block(args.controls, controls)
        check_field_numbers(args.controls, controls)
        write_header(args.output, controls, lists)
    except DataError as error:
        print(f"error: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
