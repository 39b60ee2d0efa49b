#!/usr/bin/env python3
"""Writes the page's texts in one language as JSON, taken from that
language's catalogue: the page shows the game's own words, never a second
translation of them.

    page_texts.py TEXTS.txt LANG.po OUT.json [SOURCE...]
    page_texts.py --template TEXTS.txt OUT.pot

TEXTS.txt holds one msgid a line (blank lines and # comments skipped). A
msgid the catalogue lacks, or holds untranslated, fails the build, naming
it; so does a t("...") or tf("...") of a SOURCE, or a data-text="..." of
the page, that TEXTS.txt does not list. --template writes the msgids as
entries of a translation template, for po/make-template to add to the
game's own."""

import json
import os
import re
import sys
import tempfile

# The page's literal texts: t("..."), tf("...", ...) and data-text="...".
USES = re.compile(r'\btf?\(\s*"((?:[^"\\]|\\.)*)"|data-text="([^"]*)"')


def unquote(line):
    # A po string line: "...", with C escapes.
    body = line.strip()[1:-1]
    out = []
    i = 0
    escapes = {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}
    while i < len(body):
        c = body[i]
        if c == "\\" and i + 1 < len(body):
            out.append(escapes.get(body[i + 1], body[i + 1]))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def read_catalogue(path):
    entries = {}
    msgid = msgstr = None
    target = None
    fuzzy = False

    def finish():
        if msgid is not None and msgstr is not None and not fuzzy:
            entries[msgid] = msgstr

    with open(path, encoding="utf-8") as f:
        for line in f:
            stripped = line.strip()
            if stripped.startswith("#,") and "fuzzy" in stripped:
                fuzzy = True
            elif stripped.startswith("msgid "):
                finish()
                msgid, msgstr, target = unquote(stripped[6:]), None, "id"
            elif stripped.startswith("msgstr "):
                msgstr, target = unquote(stripped[7:]), "str"
            elif stripped.startswith('"') and target == "id":
                msgid += unquote(stripped)
            elif stripped.startswith('"') and target == "str":
                msgstr += unquote(stripped)
            elif not stripped:
                finish()
                msgid = msgstr = target = None
                fuzzy = False
    finish()
    return entries


def read_texts(path):
    with open(path, encoding="utf-8") as f:
        return [l.rstrip("\n") for l in f if l.strip() and not l.startswith("#")]


def po_quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def write_template(texts_path, out_path):
    lines = ['msgid ""', 'msgstr ""', '"Content-Type: text/plain; charset=UTF-8\\n"', ""]
    for text in read_texts(texts_path):
        lines.append("#: " + os.path.relpath(texts_path))
        if "%" in text:
            lines.append("#, c-format")
        lines += ["msgid " + po_quote(text), 'msgstr ""', ""]
    with open(out_path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))
    return 0


def unlisted_uses(sources, wanted):
    known = set(wanted)
    missing = []
    for source in sources:
        with open(source, encoding="utf-8") as f:
            for match in USES.finditer(f.read()):
                text = match.group(1) if match.group(1) is not None else match.group(2)
                if match.group(1) is not None:
                    text = text.replace('\\"', '"')
                if text not in known:
                    missing.append((source, text))
    return missing


def main(argv):
    if len(argv) == 4 and argv[1] == "--template":
        return write_template(argv[2], argv[3])
    if len(argv) < 4:
        sys.stderr.write("usage: page_texts.py TEXTS.txt LANG.po OUT.json [SOURCE...]\n"
                         "       page_texts.py --template TEXTS.txt OUT.pot\n")
        return 2
    texts_path, po_path, out_path = argv[1:4]
    wanted = read_texts(texts_path)
    unlisted = unlisted_uses(argv[4:], wanted)
    for source, text in unlisted:
        sys.stderr.write(f"page_texts.py: {source} shows \"{text}\", which {texts_path} does not list\n")
    if unlisted:
        return 1
    catalogue = read_catalogue(po_path)
    missing = [w for w in wanted if not catalogue.get(w)]
    if missing:
        for m in missing:
            sys.stderr.write(f"page_texts.py: {po_path} has no translation of \"{m}\"\n")
        return 1
    table = {w: catalogue[w] for w in wanted}
    folder = os.path.dirname(os.path.abspath(out_path))
    os.makedirs(folder, exist_ok=True)
    # A new file renamed over the old: a build stopped halfway leaves no
    # half-written texts behind.
    fd, temporary = tempfile.mkstemp(dir=folder, prefix=".texts-")
    try:
        with os.fdopen(fd, "w", encoding="utf-8") as out:
            json.dump(table, out, ensure_ascii=False, indent=1, sort_keys=True)
            out.write("\n")
        os.chmod(temporary, 0o644)
        os.replace(temporary, out_path)
    except BaseException:
        os.unlink(temporary)
        raise
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
