#include "widgets/ActiveControl.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace velars {

namespace {

// The record of one window, a child object of the window. Besides the
// controls that take it from their focus-in event, it follows every other
// widget of the window that gets the focus.
class ActiveControlRecord : public QObject {
    Q_OBJECT

public:
    explicit ActiveControlRecord(QWidget* window) : QObject(window) {
        setObjectName(QStringLiteral("ActiveControlRecord"));
        // Raised after the focus-in event: a control that took it there
        // already is the active control.
        connect(qApp, &QApplication::focusChanged, this, [this, window](QWidget*, QWidget* now) {
            if (now && now->window() == window) control = now;
        });
    }

    QPointer<QWidget> control;
};

ActiveControlRecord* RecordOf(const QWidget* window) {
    return window->findChild<ActiveControlRecord*>(QStringLiteral("ActiveControlRecord"),
                                                   Qt::FindDirectChildrenOnly);
}

}  // namespace

bool ActiveControl::Take(QWidget* control) {
    QWidget* window = control->window();
    ActiveControlRecord* record = RecordOf(window);
    if (!record) record = new ActiveControlRecord(window);
    if (record->control == control) return false;
    record->control = control;
    return true;
}

QWidget* ActiveControl::Of(const QWidget* window) {
    const ActiveControlRecord* record = RecordOf(window);
    return record ? record->control.data() : nullptr;
}

}  // namespace velars

#include "ActiveControl.moc"
