#!/usr/bin/env python3
"""Builds the prompt catalogue and the default prompt tables into a C++ source.

Reads prompt_catalogue.tsv, latin_defaults.tsv and chinese_defaults.tsv (their
headers explain the format), checks them, and writes the definitions declared
in prompt_table_data.h. Any fault in the data stops the build with a message
naming the file and line, so that a corrected translation cannot slip in
broken.
"""

import argparse
import sys

PROMPT_COUNT = 75
CLASSIC_STORED_COUNT = 53
LATIN_LANGUAGE_COUNT = 15
MAX_DEFAULT_LENGTH = 20
# The characters the pager can show in a prompt (DEL cannot be typed and is
# never part of a default). Small letters are upper-cased when stored.
PROMPT_ALPHABET = set("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                      "#$@[\\]^_`{|}~?%&/ ><\"'-.*!,")


class DataError(Exception):
    pass


def read_rows(path):
    """Yields (line number, cells) for every data row; the first row is the header."""
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, start=1):
            line = line.rstrip("\n").rstrip("\r")
            if not line or line.startswith("#"):
                continue
            yield number, line.split("\t")


def fail(path, line, message):
    raise DataError(f"{path}:{line}: {message}")


def parse_int(path, line, text, name):
    try:
        return int(text)
    except ValueError:
        fail(path, line, f"{name} '{text}' is not a number")


def read_catalogue(path):
    prompts = []
    rows = read_rows(path)
    next(rows)  # header
    for line, cells in rows:
        if len(cells) != 7:
            fail(path, line, f"expected 7 columns, found {len(cells)}")
        field, label, page, extended, classic, width, chinese = cells
        entry = {
            "field": field,
            "label": label,
            "page": parse_int(path, line, page, "page"),
            "extended": parse_int(path, line, extended, "extended number"),
            "width": parse_int(path, line, width, "width"),
            "line": line,
        }
        if classic == "-":
            entry["classic"], entry["lookup_only"] = -1, False
        elif classic.startswith("(") and classic.endswith(")"):
            entry["classic"] = parse_int(path, line, classic[1:-1], "classic number")
            entry["lookup_only"] = True
        else:
            entry["classic"] = parse_int(path, line, classic, "classic number")
            entry["lookup_only"] = False
        entry["chinese"] = 0 if chinese == "-" else parse_int(path, line, chinese, "Chinese bytes")
        prompts.append(entry)

    if len(prompts) != PROMPT_COUNT:
        fail(path, "-", f"expected {PROMPT_COUNT} prompts, found {len(prompts)}")
    check_numbering(path, prompts)
    return prompts


def check_numbering(path, prompts):
    fields = [p["field"] for p in prompts]
    duplicates = {f for f in fields if fields.count(f) > 1}
    if duplicates:
        fail(path, "-", f"fields listed twice: {sorted(duplicates)}")
    if sorted(p["extended"] for p in prompts) != list(range(PROMPT_COUNT)):
        fail(path, "-", f"extended numbers are not 0 to {PROMPT_COUNT - 1}, each once")
    stored = sorted(p["classic"] for p in prompts if p["classic"] >= 0 and not p["lookup_only"])
    if stored != list(range(CLASSIC_STORED_COUNT)):
        fail(path, "-", f"classic numbers are not 0 to {CLASSIC_STORED_COUNT - 1}, each once")
    lookup = sorted(p["classic"] for p in prompts if p["lookup_only"])
    if lookup != list(range(CLASSIC_STORED_COUNT, CLASSIC_STORED_COUNT + len(lookup))):
        fail(path, "-", "lookup-only classic numbers must follow the stored ones")
    for p in prompts:
        stored_classic = p["classic"] >= 0 and not p["lookup_only"]
        if stored_classic != (p["chinese"] > 0):
            fail(path, p["line"], f"{p['field']}: exactly the stored classic prompts have a Chinese field")
        if p["chinese"] % 2:
            fail(path, p["line"], f"{p['field']}: a Chinese field holds whole ideographs (even bytes)")


def unquote(path, line, cell):
    if len(cell) < 2 or not (cell.startswith('"') and cell.endswith('"')):
        fail(path, line, f"text {cell!r} is not in double quotes")
    inner = cell[1:-1]
    if inner.replace('""', "").count('"'):
        fail(path, line, f"text {cell!r} has a lone double quote inside (write it twice)")
    return inner.replace('""', '"')


def read_latin(path, prompts):
    rows = read_rows(path)
    _, header = next(rows)
    languages = header[1:]
    if header[0] != "field" or len(languages) != LATIN_LANGUAGE_COUNT:
        fail(path, "-", f"header must be 'field' and {LATIN_LANGUAGE_COUNT} language names")
    texts = {}
    for line, cells in rows:
        if len(cells) != LATIN_LANGUAGE_COUNT + 1:
            fail(path, line, f"expected {LATIN_LANGUAGE_COUNT + 1} columns, found {len(cells)}")
        field = cells[0]
        if field in texts:
            fail(path, line, f"{field} listed twice")
        row = [unquote(path, line, cell) for cell in cells[1:]]
        for language, text in zip(languages, row):
            if len(text) > MAX_DEFAULT_LENGTH:
                fail(path, line, f"{field} in {language}: more than {MAX_DEFAULT_LENGTH} characters")
            bad = sorted(set(text) - PROMPT_ALPHABET)
            if bad:
                fail(path, line, f"{field} in {language}: characters the pager cannot show: {bad}")
        texts[field] = row
    check_fields(path, prompts, texts, lambda p: True)
    return languages, texts


def parse_bytes(path, line, text):
    try:
        values = [int(b, 16) for b in text.split()]
    except ValueError:
        fail(path, line, f"'{text}' is not a list of hexadecimal bytes")
    if any(v < 0x21 or v > 0x7E for v in values):
        fail(path, line, f"'{text}': every byte must lie in 21 to 7E")
    return values


def read_chinese(path, prompts):
    size = {p["field"]: p["chinese"] for p in prompts}
    rows = read_rows(path)
    next(rows)  # header
    tables = {}
    for line, cells in rows:
        if len(cells) != 5:
            fail(path, line, f"expected 5 columns, found {len(cells)}")
        field, traditional, _, simplified, simplified_text = cells
        if field in tables:
            fail(path, line, f"{field} listed twice")
        if field not in size:
            fail(path, line, f"{field} is not in the catalogue")
        entry = []
        for name, text in (("traditional", traditional), ("simplified", simplified)):
            values = parse_bytes(path, line, text)
            if len(values) < size[field]:
                fail(path, line, f"{field} {name}: {len(values)} bytes for a {size[field]}-byte field")
            entry.append(values[: size[field]])
        shown = bytes(v | 0x80 for v in parse_bytes(path, line, simplified)).decode("gb2312")
        if shown != simplified_text:
            fail(path, line, f"{field}: simplified text does not match its bytes ({shown})")
        tables[field] = entry
    check_fields(path, prompts, tables, lambda p: p["chinese"] > 0)
    return tables


def check_fields(path, prompts, rows, wanted):
    expected = {p["field"] for p in prompts if wanted(p)}
    missing = sorted(expected - rows.keys())
    extra = sorted(rows.keys() - expected)
    if missing:
        fail(path, "-", f"prompts missing: {missing}")
    if extra:
        fail(path, "-", f"rows that should not be there: {extra}")


def cpp_text(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def cpp_bytes(values):
    return '"' + "".join(f"\\x{v:02X}" for v in values) + '"'


def generate(prompts, languages, latin, chinese):
    out = [
        "// Generated by generate_prompt_tables.py from prompt_catalogue.tsv,",
        "// latin_defaults.tsv and chinese_defaults.tsv. Edit those files, not this one.",
        "",
        '#include "prompts/prompt_table_data.h"',
        "",
        "namespace rer::prompt_data {",
        "",
        "const std::array<std::string_view, kLatinLanguageCount> kLatinLanguageNames = {",
    ]
    out += [f"    {cpp_text(name)}," for name in languages]
    out += ["};", "", "const std::array<PromptInfo, kPromptCount> kCatalogue = {{"]
    for p in prompts:
        out.append(
            f"    {{{cpp_text(p['field'])}, {cpp_text(p['label'])}, {p['page']}, {p['extended']}, "
            f"{p['classic']}, {'true' if p['lookup_only'] else 'false'}, {p['width']}, {p['chinese']}}},"
        )
    out += ["}};", "", "const std::array<LatinRow, kPromptCount> kLatinDefaults = {{"]
    for p in prompts:
        cells = ", ".join(cpp_text(t) for t in latin[p["field"]])
        out.append(f"    {{{cells}}},")
    out += ["}};", ""]
    for index, name in ((0, "kTraditionalDefaults"), (1, "kSimplifiedDefaults")):
        out.append(f"const std::array<std::string_view, kPromptCount> {name} = {{")
        for p in prompts:
            values = chinese[p["field"]][index] if p["field"] in chinese else []
            out.append(f"    std::string_view({cpp_bytes(values)}, {len(values)}),")
        out += ["};", ""]
    out += ["}  // namespace rer::prompt_data", ""]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--catalogue", required=True)
    parser.add_argument("--latin", required=True)
    parser.add_argument("--chinese", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    try:
        prompts = read_catalogue(args.catalogue)
        languages, latin = read_latin(args.latin, prompts)
        chinese = read_chinese(args.chinese, prompts)
    except DataError as error:
        print(f"error: {error}", file=sys.stderr)
        return 1
    source = generate(prompts, languages, latin, chinese)
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(source)
    return 0


if __name__ == "__main__":
    sys.exit(main())
