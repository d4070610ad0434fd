#include "framework/FileDialog.h"

#include "framework/FileFilter.h"
#include "framework/UiThread.h"
#include "framework/Wnd.h"

#include <QFileDialog>
#include <QStringList>

INT_PTR CFileDialog::DoModal() {
    INT_PTR result = IDCANCEL;
    RunOnUiThread([&] {
        QFileDialog dialog(parent != nullptr ? parent->Widget() : nullptr);
        dialog.setAcceptMode(openFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(openFileDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (!openFileDialog && (flags & OFN_OVERWRITEPROMPT) == 0) {
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        }
        QStringList nameFilters;
        for (const FileFilter& entry : ParseFileFilter(filter.c_str())) {
            nameFilters << QString::fromStdString(ToNameFilter(entry));
        }
        if (!nameFilters.isEmpty()) {
            dialog.setNameFilters(nameFilters);
        }
        if (!defaultExtension.empty()) {
            dialog.setDefaultSuffix(QString::fromStdString(defaultExtension));
        }
        if (!initialName.empty()) {
            dialog.selectFile(QString::fromStdString(initialName));
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            chosenPath = dialog.selectedFiles().first().toStdString();
            result = IDOK;
        }
    });
    return result;
}
