#include "docserver/PageView.h"

#include <QAbstractTextDocumentLayout>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QTextDocument>
#include <algorithm>

namespace velars {
namespace {

// An A4 sheet at 96 pixels per inch with 2 cm margins.
constexpr qreal kPageWidth = 794;
constexpr qreal kPageHeight = 1123;
constexpr qreal kMargin = 76;
constexpr qreal kDeskBorder = 24;

}  // namespace

PageView::PageView(QTextDocument* document, QWidget* parent) : QGraphicsView(parent) {
    auto* scene = new QGraphicsScene(this);
    setScene(scene);
    setBackgroundBrush(QColor(0xA0, 0xA0, 0xA0));
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    page_ = scene->addRect(0, 0, kPageWidth, kPageHeight, QPen(QColor(0x70, 0x70, 0x70)),
                           QBrush(Qt::white));
    text_ = new QGraphicsTextItem(page_);
    text_->setDocument(document);
    // Paper is white and ink black whatever the desktop's colour scheme:
    // the text would otherwise take the scheme's text colour, which a dark
    // scheme makes light.
    text_->setDefaultTextColor(Qt::black);
    text_->setTextWidth(kPageWidth - 2 * kMargin);
    text_->setPos(kMargin, kMargin);
    text_->setTextInteractionFlags(Qt::TextEditorInteraction);
    text_->setCursor(Qt::IBeamCursor);
    scene->setFocusItem(text_);

    connect(document->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &PageView::FitPage);
    FitPage(document->size());
}

void PageView::SetZoomPercent(int percent) {
    zoomPercent_ = std::clamp(percent, kMinZoom, kMaxZoom);
    const qreal factor = zoomPercent_ / 100.0;
    setTransform(QTransform::fromScale(factor, factor));
}

QTextCursor PageView::TextCursor() const { return text_->textCursor(); }

void PageView::FitPage(const QSizeF& documentSize) {
    const qreal height = std::max(kPageHeight, documentSize.height() + 2 * kMargin);
    page_->setRect(0, 0, kPageWidth, height);
    scene()->setSceneRect(-kDeskBorder, -kDeskBorder, kPageWidth + 2 * kDeskBorder,
                          height + 2 * kDeskBorder);
}

}  // namespace velars
