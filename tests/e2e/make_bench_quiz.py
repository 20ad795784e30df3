#!/usr/bin/env python3
"""Writes the start-up benchmark's quiz: a 96-question text list, and a saved-
answers file that restores an answer in every field (right, wrong, close).

    make_bench_quiz.py QUIZ_DIR SAVED_FILE
"""
import sys
from pathlib import Path

QUESTIONS = 96


def answer(n):
    return f"reponse{n}"


def typed(n):
    # A mix of verdicts: right, wrong, and one letter off.
    return [answer(n), "rien", answer(n)[:-1] + "x"][n % 3]


def main():
    quiz_dir, saved = Path(sys.argv[1]), Path(sys.argv[2])
    quiz_dir.mkdir(parents=True, exist_ok=True)
    lines = [
        'title = "Quatre-vingt-seize questions"',
        'author = "Banc d\'essai"',
        'subtitle = "Démarrage avec toutes les réponses restaurées"',
        'display = "text"',
        "kind = 0",
        "answers_per_question = 1",
        "colour = [90, 95, 150]",
        'link = "https://tevra.example"',
        'footer = "Banc d\'essai"',
        "codes = [" + ", ".join(f'"C{n}"' for n in range(1, QUESTIONS + 1)) + "]",
    ]
    for n in range(1, QUESTIONS + 1):
        lines += ["", "[[question]]", f'text = "Question numéro {n} ?"', f'answer = "{answer(n)}"']
    (quiz_dir / "quiz.toml").write_text("\n".join(lines) + "\n", encoding="utf-8")
    saved.write_bytes(b"".join(typed(n).encode("cp1252") + b"\r\n"
                               for n in range(1, QUESTIONS + 1)))


if __name__ == "__main__":
    main()
