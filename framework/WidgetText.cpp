#include "framework/DialogTemplate.h"
#include "framework/WidgetAccess.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

namespace {

// A static shows "\r\n" as one line break; the text set is what GetWindowText returns.
constexpr const char* kTextProperty = "windowText";
constexpr const char* kIdProperty = "controlId";

QString ForDisplay(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n");
}

} // namespace

void SetWidgetText(QWidget* widget, const std::string& text) {
    if (auto* label = dynamic_cast<QLabel*>(widget)) {
        label->setText(ForDisplay(text));
        label->setProperty(kTextProperty, QString::fromStdString(text));
    } else if (auto* line = dynamic_cast<QLineEdit*>(widget)) {
        line->setText(QString::fromStdString(text));
    } else if (auto* area = dynamic_cast<QPlainTextEdit*>(widget)) {
        area->setPlainText(ForDisplay(text));
    } else if (auto* button = dynamic_cast<QAbstractButton*>(widget)) {
        button->setText(QString::fromStdString(text));
    } else if (auto* combo = dynamic_cast<QComboBox*>(widget)) {
        // A drop-down list only shows its items; Windows selects the matching one.
        combo->setCurrentIndex(combo->findText(QString::fromStdString(text)));
    } else if (widget != nullptr && widget->isWindow()) {
        widget->setWindowTitle(QString::fromStdString(text));
    }
}

std::string GetWidgetText(const QWidget* widget) {
    if (auto* label = dynamic_cast<const QLabel*>(widget)) {
        QVariant stored = label->property(kTextProperty);
        return (stored.isValid() ? stored.toString() : label->text()).toStdString();
    }
    if (auto* line = dynamic_cast<const QLineEdit*>(widget)) {
        return line->text().toStdString();
    }
    if (auto* area = dynamic_cast<const QPlainTextEdit*>(widget)) {
        return area->toPlainText().replace("\n", "\r\n").toStdString();
    }
    if (auto* button = dynamic_cast<const QAbstractButton*>(widget)) {
        return button->text().toStdString();
    }
    if (auto* combo = dynamic_cast<const QComboBox*>(widget)) {
        return combo->currentText().toStdString();
    }
    if (widget != nullptr && widget->isWindow()) {
        return widget->windowTitle().toStdString();
    }
    return {};
}

int ControlIdOf(const QWidget* widget) {
    QVariant id = widget != nullptr ? widget->property(kIdProperty) : QVariant();
    return id.isValid() ? id.toInt() : kNoControlId;
}

void SetControlId(QWidget* widget, int id) {
    widget->setProperty(kIdProperty, id);
}
