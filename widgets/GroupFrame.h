#pragma once
// The captioned group frame: a thin frame whose top line runs through the
// middle of the caption, parenting the controls inside it.

#include <QString>
#include <QWidget>

namespace velars {

class GroupFrame : public QWidget {
    Q_OBJECT
public:
    explicit GroupFrame(const QString& caption, QWidget* parent = nullptr);

    const QString& Caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

}  // namespace velars
