#!/usr/bin/env python3
"""Writes the generated parts of the guide and the recipes from the files the tests run, so the
documents show exactly those files and what the tool prints for them.

A generated part sits between a marker comment and "<!-- end -->":

  <!-- file: tests/docs/recipes/combat-fov.txt -->
      the file's text, in a code block
  <!-- run: vantrel simulate --plot combat.svg Vantrel.txt try.scenario
       with: Vantrel.txt=tests/docs/guide/combat.txt try.scenario=tests/docs/guide/try.scenario
       status: 1                    the exit status the command must end with (default 0)
       output: none                 show the command only, not what it prints
       picture: guide/combat.svg -->
      the command and what it prints, then the picture's link

A run copies the "with" files into an empty folder (NAME=PATH, or PATH under its own name; PATH
is relative to the repository), runs the command there with the tool in place of "vantrel", and
fails when it ends with another status. "picture" copies the SVG that the command's --plot wrote
to that place, relative to the document.

usage: write-docs.py --tool VANTREL [--check]
  without --check the documents and pictures are written; with it nothing is written and the
  status is 1 when any of them differs from what would be written, or a picture is shown by no
  document (writing removes such a picture). A file under tests/docs/ that no document shows or
  runs fails either way.
"""
import argparse
import difflib
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DOCUMENTS = ["docs/guide.md", "docs/recipes/*.md"]
PICTURE_FOLDERS = ["docs/guide", "docs/recipes"]
SOURCE_FILES = ["tests/docs/guide/*", "tests/docs/recipes/*.*", "tests/docs/recipes/mistakes/*"]
MARKER = re.compile(r"^<!-- (file|run): (.*?)-->\n.*?^<!-- end -->\n", re.S | re.M)
FENCE_LANGUAGE = {".txt": "ini", ".scenario": "text"}


class DocError(Exception):
    pass


def parse_fields(kind, body):
    """The marker's first line and its "key: value" lines."""
    lines = [line.strip() for line in body.strip().split("\n")]
    fields = {kind: lines[0]}
    for line in lines[1:]:
        key, _, value = line.partition(":")
        if not value or key not in ("with", "status", "output", "picture"):
            raise DocError(f"bad marker line '{line}'")
        fields[key] = value.strip()
    return fields


def file_block(path, sources):
    source = ROOT / path
    sources.add(source)
    if not source.is_file():
        raise DocError(f"no file {path}")
    language = FENCE_LANGUAGE.get(source.suffix, "text")
    return f"```{language}\n{source.read_text()}```\n"


def run_block(fields, tool, document, pictures, sources):
    command = fields["run"]
    words = shlex.split(command)
    if not words or words[0] != "vantrel":
        raise DocError(f"'{command}' does not run vantrel")
    with tempfile.TemporaryDirectory() as folder:
        for entry in fields.get("with", "").split():
            name, _, path = entry.rpartition("=")
            source = ROOT / path
            if not source.is_file():
                raise DocError(f"no file {path}")
            sources.add(source)
            target = Path(folder) / (name or source.name)
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(source, target)
        try:
            result = subprocess.run([tool] + words[1:], cwd=folder, stdout=subprocess.PIPE,
                                    stderr=subprocess.STDOUT, text=True, timeout=120,
                                    env=dict(os.environ, LC_ALL="C"))
        except subprocess.TimeoutExpired:
            raise DocError(f"'{command}' did not end within 120 seconds") from None
        wanted = int(fields.get("status", "0"))
        if result.returncode != wanted:
            raise DocError(f"'{command}' ended with status {result.returncode}, not {wanted}:\n"
                           f"{result.stdout}")
        block = f"```console\n$ {command}\n"
        if fields.get("output") != "none":
            block += result.stdout
        block += "```\n"
        if "picture" in fields:
            plot = words[words.index("--plot") + 1] if "--plot" in words else None
            if not plot:
                raise DocError(f"'{command}' draws no picture")
            target = (document.parent / fields["picture"]).resolve()
            pictures[target] = (Path(folder) / plot).read_bytes()
            block += f"\n![The run as --plot draws it]({fields['picture']})\n"
    return block


def generate(document, tool, pictures, sources):
    """The document's text with every generated part written anew."""
    def replace(match):
        kind, body = match.group(1), match.group(2)
        fields = parse_fields(kind, body)
        if kind == "file":
            block = file_block(fields["file"], sources)
        else:
            block = run_block(fields, tool, document, pictures, sources)
        return f"<!-- {kind}: {body}-->\n{block}<!-- end -->\n"

    try:
        return MARKER.sub(replace, document.read_text())
    except DocError as error:
        raise DocError(f"{document.relative_to(ROOT)}: {error}") from None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True)
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    tool = str(Path(args.tool).resolve())

    texts, pictures, sources = {}, {}, set()
    try:
        for pattern in DOCUMENTS:
            for document in sorted(ROOT.glob(pattern)):
                texts[document] = generate(document, tool, pictures, sources)
    except DocError as error:
        sys.exit(str(error))

    stale = []
    for path, text in texts.items():
        if path.read_text() != text:
            stale.append(path)
            if args.check:
                sys.stdout.writelines(difflib.unified_diff(
                    path.read_text().splitlines(True), text.splitlines(True),
                    str(path.relative_to(ROOT)), "as generated"))
    for path, data in pictures.items():
        if not path.is_file() or path.read_bytes() != data:
            stale.append(path)
    kept = set(pictures)
    unused = [svg for folder in PICTURE_FOLDERS for svg in sorted((ROOT / folder).glob("*.svg"))
              if svg not in kept]
    # A tested file that no document shows or runs is a recipe the reader never sees.
    unshown = [path for pattern in SOURCE_FILES for path in sorted(ROOT.glob(pattern))
               if path.is_file() and path not in sources]
    for path in unshown:
        print(f"{path.relative_to(ROOT)} is shown or run by no document")

    if args.check:
        for path in stale:
            print(f"{path.relative_to(ROOT)} differs from what scripts/write-docs.py writes")
        for path in unused:
            print(f"{path.relative_to(ROOT)} is shown by no document")
        if stale or unused or unshown:
            print("Run: python3 scripts/write-docs.py --tool build/linux/bin/vantrel")
            sys.exit(1)
        return
    for path in stale:
        path.parent.mkdir(parents=True, exist_ok=True)
        if path in texts:
            path.write_text(texts[path])
        else:
            path.write_bytes(pictures[path])
        print(f"wrote {path.relative_to(ROOT)}")
    for path in unused:
        path.unlink()
        print(f"removed {path.relative_to(ROOT)}")
    if unshown:
        sys.exit(1)


if __name__ == "__main__":
    main()
