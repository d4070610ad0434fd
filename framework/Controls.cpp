#include "framework/Controls.h"

#include "framework/WidgetAccess.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>

#include <algorithm>

void CButton::SetCheck(int state) {
    WithWidget<QAbstractButton>(*this, [&](QAbstractButton* button) {
        if (button->isCheckable()) {
            button->setChecked(state == BST_CHECKED);
        }
    });
}

int CButton::GetCheck() const {
    return WithWidget<QAbstractButton>(*this, BST_UNCHECKED, [](QAbstractButton* button) {
        return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    });
}

void CButton::Click() {
    WithWidget<QAbstractButton>(*this, [](QAbstractButton* button) { button->click(); });
}

int CListBox::AddString(const std::string& text) {
    return WithWidget<QListWidget>(*this, LB_ERR, [&](QListWidget* list) {
        list->addItem(QString::fromStdString(text));
        return list->count() - 1;
    });
}

int CListBox::GetCount() const {
    return WithWidget<QListWidget>(*this, LB_ERR, [](QListWidget* list) { return list->count(); });
}

int CListBox::SetCurSel(int index) {
    return WithWidget<QListWidget>(*this, LB_ERR, [&](QListWidget* list) {
        if (index < 0 || index >= list->count()) {
            list->setCurrentRow(-1);
            list->clearSelection();
            return LB_ERR; // Windows answers LB_ERR also for the -1 that clears
        }
        list->setCurrentRow(index);
        list->scrollToItem(list->item(index)); // the selected line is brought into view
        return index;
    });
}

int CListBox::GetCurSel() const {
    return WithWidget<QListWidget>(*this, LB_ERR, [](QListWidget* list) {
        QListWidgetItem* current = list->currentItem();
        return current != nullptr && current->isSelected() ? list->row(current) : LB_ERR;
    });
}

int CListBox::GetText(int index, std::string& text) const {
    return WithWidget<QListWidget>(*this, LB_ERR, [&](QListWidget* list) {
        if (index < 0 || index >= list->count()) {
            return LB_ERR;
        }
        text = list->item(index)->text().toStdString();
        return static_cast<int>(text.size());
    });
}

std::string CListBox::GetText(int index) const {
    std::string text;
    GetText(index, text);
    return text;
}

void CListBox::ResetContent() {
    WithWidget<QListWidget>(*this, [](QListWidget* list) { list->clear(); });
}

int CComboBox::AddString(const std::string& text) {
    return WithWidget<QComboBox>(*this, CB_ERR, [&](QComboBox* combo) {
        combo->addItem(QString::fromStdString(text));
        if (combo->count() == 1) {
            combo->setCurrentIndex(-1); // Windows selects nothing until asked to
        }
        return combo->count() - 1;
    });
}

int CComboBox::GetCount() const {
    return WithWidget<QComboBox>(*this, CB_ERR, [](QComboBox* combo) { return combo->count(); });
}

int CComboBox::SetCurSel(int index) {
    return WithWidget<QComboBox>(*this, CB_ERR, [&](QComboBox* combo) {
        bool valid = index >= 0 && index < combo->count();
        combo->setCurrentIndex(valid ? index : -1);
        return valid ? index : CB_ERR;
    });
}

int CComboBox::GetCurSel() const {
    return WithWidget<QComboBox>(*this, CB_ERR,
                                 [](QComboBox* combo) { return combo->currentIndex(); });
}

int CComboBox::GetLBText(int index, std::string& text) const {
    return WithWidget<QComboBox>(*this, CB_ERR, [&](QComboBox* combo) {
        if (index < 0 || index >= combo->count()) {
            return CB_ERR;
        }
        text = combo->itemText(index).toStdString();
        return static_cast<int>(text.size());
    });
}

std::string CComboBox::GetLBText(int index) const {
    std::string text;
    GetLBText(index, text);
    return text;
}

void CComboBox::ResetContent() {
    WithWidget<QComboBox>(*this, [](QComboBox* combo) { combo->clear(); });
}

namespace {

// The bar keeps the Windows range and position; what it draws follows from them.
constexpr const char* kLower = "rangeLower";
constexpr const char* kUpper = "rangeUpper";
constexpr const char* kPosition = "position";

void ShowProgress(QProgressBar* bar) {
    int lower = bar->property(kLower).toInt();
    int upper = bar->property(kUpper).toInt();
    int position = bar->property(kPosition).toInt();
    if (upper <= lower) {
        // An empty range would make the widget show a busy animation; Windows
        // shows an empty bar.
        bar->setRange(0, 1);
        bar->setValue(0);
        return;
    }
    bar->setRange(lower, upper);
    bar->setValue(position);
}

int HeldInRange(QProgressBar* bar, int position) {
    int lower = bar->property(kLower).toInt();
    int upper = bar->property(kUpper).toInt();
    return std::clamp(position, std::min(lower, upper), std::max(lower, upper));
}

} // namespace

void InitProgress(QProgressBar* bar) {
    bar->setProperty(kLower, 0);
    bar->setProperty(kUpper, 100);
    bar->setProperty(kPosition, 0);
    ShowProgress(bar);
}

void CProgressCtrl::SetRange32(int lower, int upper) {
    WithWidget<QProgressBar>(*this, [&](QProgressBar* bar) {
        bar->setProperty(kLower, lower);
        bar->setProperty(kUpper, upper);
        bar->setProperty(kPosition, HeldInRange(bar, bar->property(kPosition).toInt()));
        ShowProgress(bar);
    });
}

int CProgressCtrl::SetPos(int position) {
    return WithWidget<QProgressBar>(*this, 0, [&](QProgressBar* bar) {
        int previous = bar->property(kPosition).toInt();
        bar->setProperty(kPosition, HeldInRange(bar, position));
        ShowProgress(bar);
        return previous;
    });
}
