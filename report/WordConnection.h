#pragma once
// The Word objects the window keeps between reports, and the paragraph
// counter of the report being written.

#include <cstdint>

#include "automation/Variant.h"

namespace velars {

struct WordConnection {
    Variant vWordApp;
    Variant vDocument;
    Variant vDocuments;
    Variant vParagraphs;
    Variant vParagraph;
    std::uint8_t nParagraph = 0;

    // Cleared in the reverse order of declaration; Word is not told to close.
    ~WordConnection() {
        vParagraph.Clear();
        vParagraphs.Clear();
        vDocuments.Clear();
        vDocument.Clear();
        vWordApp.Clear();
    }
};

}  // namespace velars
