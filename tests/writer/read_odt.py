#!/usr/bin/python3
"""Prints what an OpenDocument text file holds, the way read_docx.py prints a
.docx: one JSON line per paragraph with its text, alignment (0 left, 1 centre,
2 right, 3 justified) and runs, each [text, bold, size in points], the values
resolved through the styles' parent chain and the default style; adjacent runs
that look alike are joined. Only the standard library is used."""

import json
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
}
ALIGNMENTS = {"start": 0, "left": 0, "center": 1, "end": 2, "right": 2, "justify": 3}


def q(prefix, name):
    return "{%s}%s" % (NS[prefix], name)


class Styles:
    def __init__(self, roots):
        self.styles = {}
        self.defaults = {}
        for root in roots:
            for element in root.iter(q("style", "style")):
                key = (element.get(q("style", "family")), element.get(q("style", "name")))
                self.styles[key] = element
            for element in root.iter(q("style", "default-style")):
                self.defaults[element.get(q("style", "family"))] = element

    def value(self, family, name, properties, attribute):
        """The attribute from the style, its parents, then the default style."""
        seen = set()
        while name and (family, name) not in seen:
            seen.add((family, name))
            element = self.styles.get((family, name))
            if element is None:
                break
            found = element.find("style:" + properties, NS)
            if found is not None and found.get(attribute) is not None:
                return found.get(attribute)
            name = element.get(q("style", "parent-style-name"))
        default = self.defaults.get(family)
        if default is not None:
            found = default.find("style:" + properties, NS)
            if found is not None:
                return found.get(attribute)
        return None


def runs_of(paragraph, styles):
    """(text, text style) pieces of a paragraph in order."""
    pieces = []

    def walk(element, style):
        if element.text:
            pieces.append((element.text, style))
        for child in element:
            if child.tag == q("text", "span"):
                walk(child, child.get(q("text", "style-name")) or style)
            elif child.tag == q("text", "s"):
                pieces.append((" " * int(child.get(q("text", "c"), "1")), style))
            elif child.tag == q("text", "tab"):
                pieces.append(("\t", style))
            elif child.tag == q("text", "line-break"):
                pieces.append(("\n", style))
            else:
                walk(child, style)
            if child.tail:
                pieces.append((child.tail, style))

    walk(paragraph, None)
    return pieces


def main():
    with zipfile.ZipFile(sys.argv[1]) as archive:
        names = archive.namelist()
        content = ET.fromstring(archive.read("content.xml"))
        roots = [content]
        if "styles.xml" in names:
            roots.insert(0, ET.fromstring(archive.read("styles.xml")))
    styles = Styles(roots)
    body = content.find("office:body/office:text", NS)
    for paragraph in body.iter(q("text", "p")):
        paragraph_style = paragraph.get(q("text", "style-name"))
        align = styles.value("paragraph", paragraph_style, "paragraph-properties",
                             q("fo", "text-align"))
        runs = []
        for text, span_style in runs_of(paragraph, styles):
            if not text:
                continue

            def look(attribute):
                found = styles.value("text", span_style, "text-properties", attribute)
                if found is None:
                    found = styles.value("paragraph", paragraph_style, "text-properties",
                                         attribute)
                return found

            weight = look(q("fo", "font-weight"))
            size = look(q("fo", "font-size"))
            entry = [text, weight in ("bold", "600", "700", "800", "900"),
                     float(size[:-2]) if size and size.endswith("pt") else None]
            if runs and runs[-1][1:] == entry[1:]:
                runs[-1][0] += text
            else:
                runs.append(entry)
        print(json.dumps({"text": "".join(run[0] for run in runs),
                          "alignment": ALIGNMENTS.get(align or "start", 0),
                          "runs": runs}, ensure_ascii=False))


main()
