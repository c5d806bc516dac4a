#include "widgets/AccessibleControls.h"

#include "widgets/LinkLabel.h"
#include "widgets/UpDown.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace tickwell {

namespace {

class AccessibleUpDown : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleUpDown(UpDown* upDown) : QAccessibleWidget(upDown, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return QString::number(upDown()->position());
        }
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return upDown()->position(); }
    void setCurrentValue(const QVariant& value) override { upDown()->setPosition(value.toInt()); }
    QVariant maximumValue() const override { return upDown()->maximum(); }
    QVariant minimumValue() const override { return upDown()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    UpDown* upDown() const { return static_cast<UpDown*>(widget()); }
};

class AccessibleLink : public QAccessibleWidget {
public:
    explicit AccessibleLink(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {
        addControllingSignal(QStringLiteral("clicked()"));
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name || t == QAccessible::Value) {
            return static_cast<LinkLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            static_cast<LinkLabel*>(widget())->click();
        }
    }
};

// Where a window keeps the role it reports.
constexpr char windowRoleProperty[] = "tickwellAccessibleRole";

QAccessibleInterface* accessibleFactory(const QString& /*className*/, QObject* object) {
    if (auto* window = qobject_cast<QWidget*>(object); window != nullptr && window->isWindow()) {
        const QVariant role = window->property(windowRoleProperty);
        if (role.isValid()) {
            return new QAccessibleWidget(window, static_cast<QAccessible::Role>(role.toInt()));
        }
    }
    if (auto* upDown = qobject_cast<UpDown*>(object)) {
        return new AccessibleUpDown(upDown);
    }
    if (auto* link = qobject_cast<LinkLabel*>(object)) {
        return new AccessibleLink(link);
    }
    return nullptr;
}

} // namespace

void setAccessibleWindowRole(QWidget* window, QAccessible::Role role) {
    window->setProperty(windowRoleProperty, static_cast<int>(role));
}

void installAccessibleControls() {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(accessibleFactory);
        installed = true;
    }
}

} // namespace tickwell
