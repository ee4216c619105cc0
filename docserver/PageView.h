#pragma once
// A text document shown as a white page on a grey desk, in black ink under
// any colour scheme, editable in place and zoomed as a whole (the zoom
// changes the view, never the document).

#include <QGraphicsView>
#include <QTextCursor>

class QGraphicsRectItem;
class QGraphicsTextItem;
class QTextDocument;

namespace velars {

class PageView : public QGraphicsView {
    Q_OBJECT

public:
    // Shows `document`, which the caller owns and keeps alive for the view's life.
    explicit PageView(QTextDocument* document, QWidget* parent = nullptr);

    int ZoomPercent() const { return zoomPercent_; }
    void SetZoomPercent(int percent);

    // The insertion point (and selection) of the editor.
    QTextCursor TextCursor() const;

    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 500;

private:
    void FitPage(const QSizeF& documentSize);

    QGraphicsRectItem* page_ = nullptr;
    QGraphicsTextItem* text_ = nullptr;
    int zoomPercent_ = 100;
};

}  // namespace velars
