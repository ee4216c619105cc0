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
    WriterWindowObject(std::shared_ptr<OfficeSession> session, WriterModel document);
};

class WriterPaneObject : public WriterObject {
public:
    WriterPaneObject(std::shared_ptr<OfficeSession> session, WriterModel document);
};

class WriterViewObject : public WriterObject {
public:
    WriterViewObject(std::shared_ptr<OfficeSession> session, WriterModel document);
};

class WriterZoomObject : public WriterObject {
public:
    WriterZoomObject(std::shared_ptr<OfficeSession> session, WriterModel document);
};

class WriterSelectionObject : public WriterObject {
public:
    WriterSelectionObject(std::shared_ptr<OfficeSession> session, WriterModel document);
};

class WriterParagraphFormatObject : public WriterObject {
public:
    WriterParagraphFormatObject(std::shared_ptr<OfficeSession> session, WriterModel document);
};

}  // namespace velars
