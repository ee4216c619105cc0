#!/usr/bin/python3
"""Prints what a .docx file holds, as python-docx reads it: one JSON line
per paragraph with its text, alignment (0 left, 1 centre, 2 right, 3
justified) and runs, each [text, bold, size in points], the values resolved
through the paragraph's style chain and the document defaults; adjacent runs
that look alike are joined."""

import json
import sys

import docx
from docx.oxml.ns import qn


def defaults(document):
    """The document defaults' bold and size."""
    bold, size = False, None
    run_defaults = document.styles.element.find(qn("w:docDefaults"))
    if run_defaults is not None:
        properties = run_defaults.find(qn("w:rPrDefault") + "/" + qn("w:rPr"))
        if properties is not None:
            b = properties.find(qn("w:b"))
            if b is not None:
                bold = b.get(qn("w:val"), "true") not in ("0", "false")
            sz = properties.find(qn("w:sz"))
            if sz is not None:
                size = int(sz.get(qn("w:val"))) / 2
    return bold, size


def chain(style):
    while style is not None:
        yield style
        style = style.base_style


def resolved(run, paragraph, name, default):
    value = getattr(run.font, name)
    if value is not None:
        return value
    for style in list(chain(run.style)) + list(chain(paragraph.style)):
        value = getattr(style.font, name)
        if value is not None:
            return value
    return default


def alignment(paragraph):
    for value in [paragraph.alignment] + [
        s.paragraph_format.alignment for s in chain(paragraph.style)
    ]:
        if value is not None:
            return int(value)
    return 0


def main():
    document = docx.Document(sys.argv[1])
    default_bold, default_size = defaults(document)
    for paragraph in document.paragraphs:
        runs = []
        for run in paragraph.runs:
            if not run.text:
                continue
            size = resolved(run, paragraph, "size", None)
            look = [run.text, bool(resolved(run, paragraph, "bold", default_bold)),
                    size.pt if size is not None else default_size]
            if runs and runs[-1][1:] == look[1:]:
                runs[-1][0] += look[0]
            else:
                runs.append(look)
        print(json.dumps({"text": paragraph.text, "alignment": alignment(paragraph),
                          "runs": runs}, ensure_ascii=False))


main()
