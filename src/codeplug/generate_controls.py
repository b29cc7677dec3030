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
               "YesNoOverwrite": "YesNoOverwrite", "PasswordKeyDigits": "PasswordKeyDigits",
               "HexDigits": "HexDigits"}
FLAGS = {"readonly", "upper"}
COLUMNS = ["name", "enum", "field", "stride", "page", "group", "kind", "label", "caption", "items",
           "maxlen", "maxleneven", "keys", "hint", "mask", "flags", "storage", "models"]
# The item-code tables of layout_codes.h that a storage cell may name.
CODE_TABLES = {"T1", "T2", "T3", "T4", "Oor", "FlexFrame", "FunctionMenu", "IdeoCanned"}
PLACEMENT = re.compile(r"^(k[A-Za-z0-9]+)(?:\.(\d+)(?:\+(\d+))?)?$")
VISIBILITY = {"shown": "kShown", "hidden": "kHidden", "-": "kUnchanged"}
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
        control["placements"] = parse_storage(path, line, row, per_address)
        control["visibility"] = parse_models(path, line, row["models"])
        expanded = ([expand_name(row["name"], a) for a in range(1, ADDRESS_COUNT + 1)]
                    if per_address else [row["name"]])
        for name in expanded:
            if name in names:
                fail(path, line, f"control name '{name}' given twice")
            names.add(name)
        controls.append(control)
    return controls


def parse_storage(path, line, row, per_address):
    """The storage cell: "none", "rule", or placements separated by ';'.

    A placement is a layout field, with .low or .low+width for a group of its
    bits, and flags after commas: inv (a bit set when the setting is off),
    coded (bits whose conversion the decode and encode steps own), code=T (a
    list stored as the item codes of table T), text (the field as characters),
    rule (the steps code it by hand; no binding), decodeonly (shown on decode,
    encode writes a constant there), 1K or 4K (one family only).
    """
    cell = row["storage"]
    if not cell:
        fail(path, line, "storage must be given: a placement, 'rule' or 'none'")
    if cell in ("none", "rule"):
        return cell
    if per_address:
        fail(path, line, "per-address controls are stored by the address codec ('rule')")
    placements = []
    for part in cell.split(";"):
        pieces = part.split(",")
        m = PLACEMENT.match(pieces[0])
        if not m:
            fail(path, line, f"placement '{pieces[0]}' is no field with optional .low+width")
        placement = {"field": m.group(1), "low": int(m.group(2) or 0),
                     "width": int(m.group(3) or (1 if m.group(2) else 8)),
                     "bits": m.group(2) is not None, "coding": "kPlain", "code": None,
                     "text": False, "rule": False, "decode_only": False,
                     "families": "kBothFamilies"}
        for flag in pieces[1:]:
            if flag == "inv":
                placement["coding"] = "kInverted"
            elif flag == "coded":
                placement["coding"] = "kCoded"
            elif flag.startswith("code="):
                if flag[5:] not in CODE_TABLES:
                    fail(path, line, f"unknown code table '{flag[5:]}'")
                placement["code"] = flag[5:]
            elif flag == "text":
                placement["text"] = True
            elif flag == "rule":
                placement["rule"] = True
            elif flag == "decodeonly":
                placement["decode_only"] = True
            elif flag in ("1K", "4K"):
                placement["families"] = "kOnly1K" if flag == "1K" else "kOnly4K"
            else:
                fail(path, line, f"unknown storage flag '{flag}'")
        if placement["text"] and (placement["bits"] or placement["code"]):
            fail(path, line, "a text is stored as a whole field")
        if placement["text"] and row["kind"] not in ("Text", "MaskedText"):
            fail(path, line, "only a text control is stored as text")
        if not placement["text"] and row["kind"] in ("Text", "MaskedText") and not placement["rule"]:
            fail(path, line, "a text control stored in bits needs a rule ('rule')")
        if not placement["text"] and not placement["code"] and not placement["bits"]:
            fail(path, line, "a setting stored in bits gives them (.low or .low+width)")
        if placement["low"] + placement["width"] > 16:
            fail(path, line, "bits beyond the field's 16")
        placements.append(placement)
    return placements


def parse_models(path, line, cell):
    """Visibility by model: 'hidden' or 'disabled' for every model, or
    4K/0x81-0x89/others as shown, hidden or - (left as it is)."""
    if not cell:
        return None
    if cell in ("hidden", "disabled"):
        return cell
    parts = cell.split("/")
    if len(parts) != 3 or any(p not in VISIBILITY for p in parts):
        fail(path, line, f"models '{cell}' is not 4K/81-89/others of shown, hidden or -")
    return [VISIBILITY[p] for p in parts]


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


def storage_class(c):
    if isinstance(c["placements"], list):
        return "kPlaced"
    return "kNone" if c["placements"] == "none" else "kRule"


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
            f".storage = StorageClass::{storage_class(c)}",
        ]
        vis = c["visibility"]
        if isinstance(vis, list):
            fields += [f".family4K = ModelShow::{vis[0]}", f".models81And89 = ModelShow::{vis[1]}",
                       f".otherModels = ModelShow::{vis[2]}"]
        elif vis == "hidden":
            fields.append(".hiddenForEveryModel = true")
        elif vis == "disabled":
            fields.append(".disabledForEveryModel = true")
        out.append("    {" + ", ".join(fields) + "},")
    out.append("};")
    out.append("")
    out.append("}  // namespace control_data")
    out.append("}  // namespace rer")
    write_if_changed(path, "\n".join(out) + "\n")


def write_storage(path, controls):
    out = []
    out.append("#pragma once")
    out.append("// Generated by generate_controls.py from the storage and models columns of")
    out.append("// controls.tsv. Edit the table, not this file.")
    out.append("")
    out.append("#include <cstdint>")
    out.append("")
    out.append('#include "codeplug/codec_bindings.h"')
    out.append('#include "codeplug/layout_bits.h"')
    out.append('#include "codeplug/layout_codes.h"')
    out.append("")
    out.append("namespace rer::control_storage {")
    out.append("")
    bit_rows = []
    coded_rows = []
    bindings = []
    index = []
    for c in controls:
        first_bit = len(bit_rows)
        first_coded = len(coded_rows)
        placements = c["placements"] if isinstance(c["placements"], list) else []
        for p in placements:
            field = f"Field::{p['field']}"
            direction = "kDecodeOnly" if p["decode_only"] else "kBoth"
            if p["text"]:
                if not p["rule"]:
                    bindings.append(f"{{Control::{c['enum_name']}, BindingSource::kText, 0, {field}, "
                                    f"{p['families']}, BindingDirection::{direction}}}")
            elif p["code"]:
                row = len(coded_rows)
                coded_rows.append(f"{{{cxx_string(c['name'])}, {field}, {p['low']}, {p['width']}, "
                                  f"&k{p['code']}Table, {p['families']}}}")
                if not p["rule"]:
                    bindings.append(f"{{Control::{c['enum_name']}, BindingSource::kCodedList, {row}, "
                                    f"Field::kCount, {p['families']}, BindingDirection::{direction}}}")
            else:
                row = len(bit_rows)
                bit_rows.append(f"{{{cxx_string(c['name'])}, {p['families']}, {field}, {p['low']}, "
                                f"{p['width']}, BitCoding::{p['coding']}}}")
                if not p["rule"]:
                    bindings.append(f"{{Control::{c['enum_name']}, BindingSource::kBitField, {row}, "
                                    f"Field::kCount, {p['families']}, BindingDirection::{direction}}}")
        index.append((first_bit, len(bit_rows) - first_bit, first_coded, len(coded_rows) - first_coded))
    out.append("// The bit groups that hold a control's value, per family.")
    out.append("inline constexpr BitFieldRow kBitRows[] = {")
    out += [f"    {r}," for r in bit_rows]
    out.append("};")
    out.append("// The list controls stored as item codes.")
    out.append("inline constexpr CodedSettingRow kCodedRows[] = {")
    out += [f"    {r}," for r in coded_rows]
    out.append("};")
    out.append("// The simple settings, in row order.")
    out.append("inline constexpr CodecBinding kBindings[] = {")
    out += [f"    {r}," for r in bindings]
    out.append("};")
    out.append("")
    out.append("// Per control: its rows in kBitRows and kCodedRows.")
    out.append("struct StorageIndex {")
    out.append("  std::uint16_t firstBitRow;")
    out.append("  std::uint8_t bitRowCount;")
    out.append("  std::uint16_t firstCodedRow;")
    out.append("  std::uint8_t codedRowCount;")
    out.append("};")
    out.append("inline constexpr StorageIndex kIndex[] = {")
    out += [f"    {{{a}, {b}, {x}, {y}}}," for a, b, x, y in index]
    out.append("};")
    out.append("")
    out.append("}  // namespace rer::control_storage")
    write_if_changed(path, "\n".join(out) + "\n")


def write_if_changed(path, text):
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
    parser.add_argument("--storage-output", required=True)
    args = parser.parse_args()
    try:
        lists = read_lists(args.lists)
        controls = read_controls(args.controls, lists)
        check_address_block(args.controls, controls)
        check_field_numbers(args.controls, controls)
        write_header(args.output, controls, lists)
        write_storage(args.storage_output, controls)
    except DataError as error:
        print(f"error: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
