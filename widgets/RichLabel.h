#pragma once
// A label that draws a short one-line rich text: runs in the label's font,
// each on the baseline, raised or lowered by two points. Takes no input.

#include <QString>
#include <QWidget>
#include <vector>

namespace velars {

struct TextRun {
    enum Shift { Normal, Raised, Lowered };
    QString text;
    Shift shift = Normal;
    bool operator==(const TextRun&) const = default;
};

class RichLabel : public QWidget {
    Q_OBJECT
public:
    explicit RichLabel(QWidget* parent = nullptr);

    void SetRuns(std::vector<TextRun> runs);
    const std::vector<TextRun>& Runs() const { return runs_; }
    // The text of all runs, without their placement.
    QString PlainText() const;

    // How far a raised or lowered run moves: two points at 96 pixels per inch.
    static constexpr double kShiftPixels = 2.0 * 96.0 / 72.0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TextRun> runs_;
};

}  // namespace velars
