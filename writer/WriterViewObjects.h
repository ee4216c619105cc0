#pragma once
// The view side of a Writer document: Window (ActivePane, View), Pane
// (View), View (Zoom), Zoom (Percentage: the view's zoom, 10 to 500), and
// the Selection (the view cursor) with its ParagraphFormat: LineSpacing in
// points, 12 being one line (11 sets eleven twelfths of a line, as
// proportional spacing of 92 %), and Alignment (0 left, 1 centred, 2 right,
// 3 justified).

#include <com/sun/star/frame/XModel.hpp>

#include "writer/WriterObject.h"

namespace velars {

using WriterModel = com::sun::star::uno::Reference<com::sun::star::frame::XModel>;

// What the view objects of one document are: each hands out the next.
class WriterWindowObject : public WriterObject {
public:
    explicit WriterWindowObject(std::shared_ptr<WriterDocumentText> text);
};

class WriterPaneObject : public WriterObject {
public:
    explicit WriterPaneObject(std::shared_ptr<WriterDocumentText> text);
};

class WriterViewObject : public WriterObject {
public:
    explicit WriterViewObject(std::shared_ptr<WriterDocumentText> text);
};

class WriterZoomObject : public WriterObject {
public:
    explicit WriterZoomObject(std::shared_ptr<WriterDocumentText> text);
};

class WriterSelectionObject : public WriterObject {
public:
    explicit WriterSelectionObject(std::shared_ptr<WriterDocumentText> text);
};

class WriterParagraphFormatObject : public WriterObject {
public:
    explicit WriterParagraphFormatObject(std::shared_ptr<WriterDocumentText> text);
};

}  // namespace velars
