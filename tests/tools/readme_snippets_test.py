#!/usr/bin/env python3
"""What the README tells an author holds: every ```toml snippet is a whole quiz
that `tevra-pack check` accepts and `tevra-pack build` builds (with stand-in
pictures and sounds for the files it names), every ```csv snippet imports into
such a quiz, and every row of its table of feedback words is the word
`tevra-pack judge` gives.

usage: readme_snippets_test.py path/to/tevra-pack README.md
"""
import base64
import pathlib
import re
import subprocess
import sys
import tempfile
import tomllib

# A 1 x 1 PNG and a WAV of one silent sample, for the files a snippet names.
PNG = base64.b64decode(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNkYPhfDwAChwGA60e6kgAAAABJRU5ErkJggg=="
)
WAV = (b"RIFF" + (38).to_bytes(4, "little") + b"WAVEfmt " + (16).to_bytes(4, "little")
       + bytes.fromhex("01000100401f0000401f000001000800") + b"data"
       + (2).to_bytes(4, "little") + b"\x80\x80")
FILE_KEYS = {"picture": PNG, "answer_picture": PNG, "media": WAV}
WORDS = ["?", "BRAVO", "FAUX", "Anagramme", "Quasiment", "Presque", "Trop court",
         "Trop long", "Pas loin", "y a de l'idée"]


def run(pack, *args):
    return subprocess.run([pack, *args], capture_output=True, text=True)


def check_builds(pack, name, folder, work):
    faults = []
    for args in (["check", str(folder / "quiz.toml")],
                 ["build", str(folder / "quiz.toml"), "-o", str(work / f"{name}.exe")]):
        result = run(pack, *args)
        if result.returncode != 0:
            faults.append(f"{name}: {args[0]} exited {result.returncode}:\n"
                          f"{result.stdout}{result.stderr}")
    return faults


def check_snippet(pack, number, text, work):
    folder = work / f"snippet{number}"
    folder.mkdir()
    (folder / "quiz.toml").write_text(text, encoding="utf-8")
    for question in tomllib.loads(text).get("question", []):
        for key, content in FILE_KEYS.items():
            if key in question:
                (folder / question[key]).write_bytes(content)
    return check_builds(pack, f"snippet{number}", folder, work)


def check_csv(pack, number, text, work):
    csv = work / f"questions{number}.csv"
    csv.write_text(text, encoding="utf-8")
    folder = work / f"imported{number}"
    result = run(pack, "import", str(csv), "-o", str(folder))
    if result.returncode != 0:
        return [f"csv snippet {number}: import exited {result.returncode}:\n{result.stderr}"]
    return check_builds(pack, f"imported{number}", folder, work)


def typed_text(cell):
    """A typed text is shown in backticks; (nothing) stands for an empty field."""
    cell = cell.strip()
    return "" if cell == "(nothing)" else cell.strip("`")


def check_words(pack, readme):
    """Rows '| "WORD" | ACCEPTED | TYPED | why |' of the feedback table."""
    faults, seen = [], []
    for line in readme.splitlines():
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        if len(cells) < 3 or not re.fullmatch(r'"[^"]+"', cells[0]):
            continue
        word = cells[0][1:-1]
        if word not in WORDS:
            continue
        seen.append(word)
        result = run(pack, "judge", typed_text(cells[1]), typed_text(cells[2]))
        if result.stdout.strip() != word:
            faults.append(f"{line}: judge gives {result.stdout.strip()!r}{result.stderr}")
    if sorted(seen) != sorted(WORDS):
        faults.append(f"the README's feedback table shows {seen}, not the ten words")
    return faults


def main():
    pack, readme_path = sys.argv[1], pathlib.Path(sys.argv[2])
    readme = readme_path.read_text(encoding="utf-8")
    snippets = re.findall(r"^```toml\n(.*?)^```", readme, re.S | re.M)
    tables = re.findall(r"^```csv\n(.*?)^```", readme, re.S | re.M)
    faults = [] if len(snippets) >= 2 else ["the README has fewer than two toml snippets"]
    with tempfile.TemporaryDirectory() as work:
        for number, text in enumerate(snippets, 1):
            faults += check_snippet(pack, number, text, pathlib.Path(work))
        for number, text in enumerate(tables, 1):
            faults += check_csv(pack, number, text, pathlib.Path(work))
    faults += check_words(pack, readme)
    for fault in faults:
        print("FAIL:", fault)
    if faults:
        return 1
    print(f"README: {len(snippets)} toml and {len(tables)} csv snippets check and build; "
          "the ten words are the player's")
    return 0


if __name__ == "__main__":
    sys.exit(main())
