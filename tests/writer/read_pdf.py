#!/usr/bin/python3
"""Prints what a PDF file shows, as pdfminer reads it: one JSON line per line
of text, top to bottom and page by page, with its text, its left and right
edges, the width of its page (points) and its runs, each [text, bold, size in
points]; adjacent runs that look alike are joined. Bold is read from the font's
name. Every blank (a space, a no-break space: the PDF's text keeps no
difference) reads as one space. The page numbers at the foot of the pages are
left out. Empty paragraphs leave no trace in a PDF, and a long paragraph may
take several lines: putting lines back into paragraphs is the reader's part."""

import json
import re
import sys

from pdfminer.high_level import extract_pages
from pdfminer.layout import LAParams, LTChar, LTTextContainer, LTTextLine


def lines_of(element):
    if isinstance(element, LTTextLine):
        yield element
    elif isinstance(element, LTTextContainer):
        for child in element:
            yield from lines_of(child)


def main():
    # Lines never joined into boxes across a line gap: each stays on its own.
    params = LAParams(line_margin=0.0, char_margin=4.0)
    for number, page in enumerate(extract_pages(sys.argv[1], laparams=params), start=1):
        lines = []
        for element in page:
            lines.extend(lines_of(element))
        lines.sort(key=lambda line: (-round(line.y0, 1), line.x0))
        for line in lines:
            runs = []
            for item in line:
                text = item.get_text()
                if text == "\n":
                    continue
                if isinstance(item, LTChar):
                    look = [round(item.size * 2) / 2, "bold" in item.fontname.lower()]
                elif runs:
                    look = runs[-1][1:][::-1]  # a space the layout put in
                else:
                    continue
                if runs and [runs[-1][2], runs[-1][1]] == look:
                    runs[-1][0] += text
                else:
                    runs.append([text, look[1], look[0]])
            for run in runs:
                run[0] = re.sub(r"\s", " ", run[0])
            text = "".join(run[0] for run in runs)
            if not text.strip():
                continue
            if text == str(number) and line.x0 > page.width / 2:
                continue  # the page number
            print(json.dumps({"text": text, "x0": line.x0, "x1": line.x1,
                              "page_width": page.width, "runs": runs},
                             ensure_ascii=False))


main()
