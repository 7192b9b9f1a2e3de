// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/AccessibleControls.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QSlider>
#include <QToolButton>

namespace {

constexpr const char* kValueText = "accessibleValueText";

class RadioToolButtonAccessible : public QAccessibleWidget {
public:
    explicit RadioToolButtonAccessible(QToolButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }

    QString text(QAccessible::Text t) const override {
        QString value = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && value.isEmpty()) {
            value = button()->text().remove(QLatin1Char('&')).simplified();
        }
        return value;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled()) {
            names << pressAction() << toggleAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (!widget()->isEnabled()) {
            return;
        }
        if (action == pressAction() || action == toggleAction()) {
            button()->click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }
};

class ValueTextSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ValueTextSliderAccessible(QSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    QSlider* slider() const { return static_cast<QSlider*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        const QString words = slider()->property(kValueText).toString();
        if ((t == QAccessible::Value || t == QAccessible::Description) && !words.isEmpty()) {
            return words;
        }
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return slider()->value(); }
    void setCurrentValue(const QVariant& value) override { slider()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return slider()->maximum(); }
    QVariant minimumValue() const override { return slider()->minimum(); }
    QVariant minimumStepSize() const override { return slider()->singleStep(); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QToolButton")) {
        auto* button = static_cast<QToolButton*>(object);
        if (button->isCheckable() && button->group() && button->group()->exclusive()) {
            return new RadioToolButtonAccessible(button);
        }
    } else if (className == QLatin1String("QSlider")) {
        auto* slider = static_cast<QSlider*>(object);
        if (slider->property(kValueText).isValid()) {
            return new ValueTextSliderAccessible(slider);
        }
    }
    return nullptr;
}

} // namespace

void installAccessibleControls() {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(accessibleFactory);
        installed = true;
    }
}

void renewAccessible(QObject* object) {
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
    }
}

void setSliderValueText(QSlider& slider, const QString& text) {
    const QVariant before = slider.property(kValueText);
    if (before.isValid() && before.toString() == text) {
        return;
    }
    slider.setProperty(kValueText, text);
    if (!before.isValid()) {
        renewAccessible(&slider);
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(&slider, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}
