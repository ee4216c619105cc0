#pragma once
// The read-only rich-text pane of the results: a list of lines that code
// clears and appends to, the whole text with CR LF line ends, a selection
// that counts a line end as one character, and bold on the selection.
// While it has the keyboard focus its frame is drawn in the highlight
// colour and its selection is shown.

#include <QString>
#include <QStringList>
#include <QTextEdit>

namespace velars {

class RichTextPane : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextPane(QWidget* parent = nullptr);

    // Removes every line.
    void ClearLines();
    // Appends one line in the pane's regular style.
    void AddLine(const QString& line);
    int LineCount() const { return lineCount_; }
    QStringList Lines() const;
    // Every line followed by CR LF.
    QString Text() const;

    // Selects `length` characters from `start`; a line end counts as one
    // character. The span is clipped to the text.
    void Select(int start, int length);
    // Adds bold to the style of the selected characters.
    void MakeSelectionBold();

    // Whether every character of a line is bold (false for an empty line
    // or a line that does not exist).
    bool LineIsBold(int line) const;

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowSelection(bool show);

    int lineCount_ = 0;
};

}  // namespace velars
