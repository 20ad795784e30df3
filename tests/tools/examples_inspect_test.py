#!/usr/bin/env python3
"""Every example quiz, packed by tevra-pack blocks and read back by tevra-pack
inspect, gives back every text of its quiz.toml.

usage: examples_inspect_test.py path/to/tevra-pack EXAMPLES_DIR
"""
import json
import pathlib
import subprocess
import sys
import tempfile
import tomllib

DISPLAYS = ["text", "pictures", "audio", "video"]


def expected_view(quiz):
    """What inspect must show for a quiz.toml, answers aside (stored folded)."""
    questions = quiz["question"]
    codes = quiz.get("codes", [])
    captions = quiz.get("answer_captions", ["", ""])
    colour = quiz.get("colour", [90, 95, 150])
    return {
        "displayMode": DISPLAYS.index(quiz.get("display", "text")),
        "questionCount": len(questions),
        "answersPerQuestion": quiz.get("answers_per_question", 1),
        "questionKind": quiz.get("kind", 0),
        "panelRed": colour[0],
        "panelGreen": colour[1],
        "panelBlue": colour[2],
        "title": quiz["title"],
        "author": quiz.get("author", ""),
        "subtitle": quiz.get("subtitle", ""),
        "answerCaption1": captions[0],
        "answerCaption2": captions[1],
        "linkText": quiz.get("link", ""),
        "footerText": quiz.get("footer", ""),
        "codes": codes + [""] * (len(questions) - len(codes)),
        "questionText": [q.get("text", "") for q in questions],
        "extraText": [q.get("extra", "") for q in questions],
        "message": None,
    }


def shown_view(shown):
    view = {k: v for k, v in shown.items() if k != "questions"}
    view["questionText"] = [q["questionText"] for q in shown["questions"]]
    view["extraText"] = [q["extraText"] for q in shown["questions"]]
    return view


def check(pack, toml_path, out_dir):
    subprocess.run([pack, "blocks", str(toml_path), "-o", str(out_dir)], check=True)
    blocks = [str(out_dir / name) for name in ("block0.bin", "block104.bin", "block105.bin")]
    if (out_dir / "block0.bin").stat().st_size != 70:
        return ["block0.bin is not 70 bytes"]
    result = subprocess.run([pack, "inspect", *blocks], check=True, capture_output=True)
    shown = shown_view(json.loads(result.stdout.decode("utf-8")))
    with open(toml_path, "rb") as f:
        expected = expected_view(tomllib.load(f))
    return [f"{key}: shown {shown.get(key)!r}, written {value!r}"
            for key, value in expected.items() if shown.get(key) != value]


def main():
    pack, examples = sys.argv[1], pathlib.Path(sys.argv[2])
    tomls = sorted(examples.glob("*/quiz.toml"))
    failures = 0
    with tempfile.TemporaryDirectory() as tmp:
        for toml_path in tomls:
            for fault in check(pack, toml_path, pathlib.Path(tmp) / toml_path.parent.name):
                print(f"FAIL {toml_path.parent.name}: {fault}")
                failures += 1
    print(f"{len(tomls)} examples checked, {failures} faults")
    return 1 if failures or not tomls else 0


if __name__ == "__main__":
    sys.exit(main())
