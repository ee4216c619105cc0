#include "widgets/RichTextPane.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace velars {

RichTextPane::RichTextPane(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ShowSelection(false);
}

// The selection is shown only while the pane has the focus.
void RichTextPane::ShowSelection(bool show) {
    const QPalette normal = QGuiApplication::palette();
    QPalette p = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Highlight,
                   normal.color(group, show ? QPalette::Highlight : QPalette::Base));
        p.setColor(group, QPalette::HighlightedText,
                   normal.color(group, show ? QPalette::HighlightedText : QPalette::Text));
    }
    setPalette(p);
}

// The frame shows the keyboard focus.
bool RichTextPane::event(QEvent* event) {
    const bool handled = QTextEdit::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Highlight));
        const int lines = std::max(1, frameWidth());
        for (int i = 0; i < lines; ++i) painter.drawRect(rect().adjusted(i, i, -1 - i, -1 - i));
    }
    return handled;
}

void RichTextPane::focusInEvent(QFocusEvent* event) {
    ShowSelection(true);
    QTextEdit::focusInEvent(event);
}

void RichTextPane::focusOutEvent(QFocusEvent* event) {
    ShowSelection(false);
    QTextEdit::focusOutEvent(event);
}

void RichTextPane::ClearLines() {
    clear();
    lineCount_ = 0;
}

void RichTextPane::AddLine(const QString& line) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat regular;
    regular.setFont(font());
    regular.setFontWeight(QFont::Normal);
    if (lineCount_ > 0)
        cursor.insertBlock(QTextBlockFormat(), regular);
    else
        cursor.setBlockCharFormat(regular);
    cursor.insertText(line, regular);
    ++lineCount_;
}

QStringList RichTextPane::Lines() const {
    QStringList lines;
    QTextBlock block = document()->begin();
    for (int i = 0; i < lineCount_ && block.isValid(); ++i, block = block.next())
        lines << block.text();
    return lines;
}

QString RichTextPane::Text() const {
    QString text;
    for (const QString& line : Lines()) text += line + QStringLiteral("\r\n");
    return text;
}

void RichTextPane::Select(int start, int length) {
    // The last position is the one after the final paragraph mark.
    const int end = document()->characterCount();
    const int from = std::clamp(start, 0, end - 1);
    const int to = std::clamp(start + length, 0, end - 1);
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(std::max(from, to), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void RichTextPane::MakeSelectionBold() {
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) return;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.mergeCharFormat(bold);
}

bool RichTextPane::LineIsBold(int line) const {
    if (line < 0 || line >= lineCount_) return false;
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid() || block.text().isEmpty()) return false;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().fontWeight() < QFont::Bold) return false;
    }
    return true;
}

}  // namespace velars
