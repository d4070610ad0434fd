#include "framework/ControlFactory.h"

#include "framework/Controls.h"
#include "framework/Icon.h"
#include "framework/IconImage.h"
#include "framework/WidgetAccess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <cstdlib>

namespace {

bool Has(const ControlTemplate& control, unsigned style) {
    return (control.style & style) != 0;
}

QWidget* CreateStatic(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // a text with '<' must not turn into markup
    label->setWordWrap(true);            // Windows statics break long texts into lines
    label->setAlignment((Has(control, kCentred) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    if (Has(control, kBorder)) {
        label->setFrameShape(QFrame::Box);
    }
    return label;
}

QWidget* CreateEdit(const ControlTemplate& control, QWidget* parent) {
    if (Has(control, kMultiLine)) {
        auto* area = new QPlainTextEdit(parent);
        area->setReadOnly(Has(control, kReadOnly));
        area->setFrameShape(Has(control, kBorder) ? QFrame::StyledPanel : QFrame::NoFrame);
        return area;
    }
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(Has(control, kReadOnly));
    edit->setFrame(Has(control, kBorder));
    if (Has(control, kPassword)) {
        edit->setEchoMode(QLineEdit::Password);
    }
    if (control.maxLength > 0) {
        edit->setMaxLength(control.maxLength);
    }
    return edit;
}

QWidget* CreateButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    // Return is the dialog's business (CDialog), never the toolkit's auto-default.
    button->setAutoDefault(false);
    return button;
}

QWidget* CreateListBox(const ControlTemplate& control, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Has(control, kVScroll) ? Qt::ScrollBarAsNeeded
                                                            : Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::StyledPanel);
    return list;
}

QWidget* CreateProgressBar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setTextVisible(false);
    InitProgress(bar);
    return bar;
}

QWidget* CreateIcon(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(parent);
    HICON icon = LoadIconResource(std::atoi(control.text != nullptr ? control.text : ""));
    if (icon != nullptr) {
        label->setPixmap(QPixmap::fromImage(icon->image));
        label->setScaledContents(true);
    }
    return label;
}

QWidget* CreateByKind(const ControlTemplate& control, QWidget* parent) {
    switch (control.kind) {
    case ControlKind::Static:
        return CreateStatic(control, parent);
    case ControlKind::Edit:
        return CreateEdit(control, parent);
    case ControlKind::Button:
        return CreateButton(parent);
    case ControlKind::CheckBox:
        return new QCheckBox(parent);
    case ControlKind::ListBox:
        return CreateListBox(control, parent);
    case ControlKind::DropDownList:
        return new QComboBox(parent);
    case ControlKind::ProgressBar:
        return CreateProgressBar(parent);
    case ControlKind::Icon:
        return CreateIcon(control, parent);
    }
    return new QWidget(parent);
}

} // namespace

QWidget* CreateControlWidget(const ControlTemplate& control, DialogBaseUnits base,
                             QWidget* parent) {
    QWidget* widget = CreateByKind(control, parent);
    SetControlId(widget, control.id);
    RECT pixels = DialogUnitsToPixels(
        RECT{control.x, control.y, control.x + control.width, control.y + control.height}, base);
    int height = pixels.bottom - pixels.top;
    if (control.kind == ControlKind::DropDownList) {
        // The template height is the opened list's; the closed box is one line high.
        height = std::min(height, widget->sizeHint().height());
    }
    widget->setGeometry(pixels.left, pixels.top, pixels.right - pixels.left, height);
    if (control.kind != ControlKind::Icon && control.text != nullptr) {
        SetWidgetText(widget, control.text);
    }
    widget->setEnabled(!Has(control, kDisabled));
    if (!Has(control, kVisible)) {
        widget->hide();
    }
    return widget;
}
