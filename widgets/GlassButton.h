#pragma once
// A push button with the glass look: a rounded face in the background
// colour with a light shine on its upper half, an inner and an outer
// border, and a glow while the mouse is over it. Raises clicked().

#include <QColor>
#include <QPushButton>

namespace velars {

class GlassButton : public QPushButton {
    Q_OBJECT
public:
    struct Colors {
        QColor background;
        QColor caption;
        QColor glow;
        QColor innerBorder;
        QColor outerBorder;
        QColor shine;
    };

    explicit GlassButton(const QString& caption, QWidget* parent = nullptr);

    void SetColors(const Colors& colors);
    const Colors& GetColors() const { return colors_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Colors colors_;
    bool hovered_ = false;
};

}  // namespace velars
