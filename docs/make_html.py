#!/usr/bin/env python3
"""Turns one Markdown document of docs/ into a self-contained HTML page.

Usage: make_html.py SOURCE.md TARGET.html TITLE
Links between the two documents are written as their .md names in the Markdown (so they
work when read in the repository) and become the names of the HTML pages here.
"""
import re
import sys

import markdown

PAGES = {
    "users-guide.md": "Vorna_2012.html",
    "technical-manual.md": "Vorna_2012_Technical_Manual.html",
}

STYLE = """
body { font-family: sans-serif; max-width: 52em; margin: 2em auto; line-height: 1.45;
       padding: 0 1em; color: #111; }
h1, h2, h3 { color: #234; }
h2 { border-bottom: 1px solid #ccd; padding-bottom: .1em; margin-top: 2em; }
code, kbd { background: #eef; padding: 0 .2em; }
pre { background: #f4f4f8; padding: .6em; overflow-x: auto; }
pre code { background: none; padding: 0; }
table { border-collapse: collapse; margin: .6em 0; }
td, th { border: 1px solid #aab; padding: .2em .5em; text-align: left; vertical-align: top; }
img { max-width: 100%; border: 1px solid #ccd; }
.toc { background: #f7f7fb; border: 1px solid #dde; padding: .4em 1em; }
blockquote { border-left: 4px solid #cce; margin-left: 0; padding-left: 1em; color: #333; }
"""


def main() -> int:
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    source, target, title = sys.argv[1:]
    with open(source, encoding="utf-8") as stream:
        text = stream.read()
    for page, html in PAGES.items():
        text = re.sub(r"\]\(" + re.escape(page) + r"(#[^)]*)?\)",
                      lambda m, html=html: "](" + html + (m.group(1) or "") + ")", text)
    body = markdown.markdown(text, extensions=["tables", "toc", "fenced_code", "sane_lists"],
                             extension_configs={"toc": {"title": "Contents"}},
                             output_format="html5")
    page = ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            f"<title>{title}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n"
            f"{body}\n</body>\n</html>\n")
    with open(target, "w", encoding="utf-8", newline="\n") as stream:
        stream.write(page)
    return 0


if __name__ == "__main__":
    sys.exit(main())
