#pragma once
// Editing one paragraph (a text block) of a report document: its text
// without the paragraph mark, character formatting over the whole paragraph,
// alignment codes and line spacing in points.

#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

namespace velars {

class DocumentState;

// A paragraph followed through edits by a cursor at its start, which stays
// put when text is inserted right there (so appending a paragraph after an
// empty one keeps the reference on the empty one).
class ParagraphRef {
public:
    ParagraphRef(std::shared_ptr<DocumentState> document, const QTextBlock& block);

    const std::shared_ptr<DocumentState>& Document() const { return document_; }
    bool IsOpen() const;
    // The paragraph's block; only while IsOpen().
    QTextBlock Block() const { return anchor_.block(); }
    // Marks the document as holding unsaved changes.
    void MarkModified() const;

private:
    std::shared_ptr<DocumentState> document_;
    QTextCursor anchor_;
};

// The text without the paragraph mark; a line break inside it reads "\v".
QString ParagraphText(const QTextBlock& block);
// Replaces the text, keeping the paragraph mark and the formatting of the
// first character. Line breaks ("\r\n", "\r", "\n", "\v") become line breaks
// inside the paragraph, so the paragraphs stay as they are.
void SetParagraphText(const QTextBlock& block, const QString& text);

// Changes every character of the paragraph and its mark.
void ChangeCharFormat(const QTextBlock& block, const std::function<void(QTextCharFormat&)>& change);
// A character property when all of the paragraph has the same (for an empty
// paragraph: its mark's); nullopt when it is mixed.
std::optional<QVariant> UniformCharValue(
    const QTextBlock& block, const std::function<QVariant(const QTextCharFormat&)>& value);

// The font size in points of a character format, the document's default when
// the format does not set one.
double FontPointSize(const QTextCharFormat& format, const QTextBlock& block);

// Alignment codes: 0 left, 1 centred, 2 right, 3 justified.
int AlignmentCode(Qt::Alignment alignment);
std::optional<Qt::Alignment> AlignmentOfCode(std::int64_t code);
void SetAlignment(const QTextBlock& block, Qt::Alignment alignment);

// Line spacing in points, 12 points being one line: single spacing is 12,
// 11 sets eleven twelfths of a line.
double LineSpacingPoints(const QTextBlockFormat& format);
void SetLineSpacing(const QTextBlock& block, double points);

}  // namespace velars
