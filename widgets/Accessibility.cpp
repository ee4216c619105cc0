#include "widgets/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "widgets/GroupFrame.h"
#include "widgets/RichLabel.h"

namespace velars {

namespace {

class AccessibleRichLabel : public QAccessibleWidget {
public:
    explicit AccessibleRichLabel(RichLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const RichLabel*>(widget())->PlainText();
        return QAccessibleWidget::text(t);
    }
};

class AccessibleGroupFrame : public QAccessibleWidget {
public:
    explicit AccessibleGroupFrame(GroupFrame* frame)
        : QAccessibleWidget(frame, QAccessible::Grouping) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const GroupFrame*>(widget())->Caption();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("velars::RichLabel"))
        return new AccessibleRichLabel(static_cast<RichLabel*>(object));
    if (className == QLatin1String("velars::GroupFrame"))
        return new AccessibleGroupFrame(static_cast<GroupFrame*>(object));
    return nullptr;
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

}  // namespace velars
