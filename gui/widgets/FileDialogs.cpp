// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

#include "document/GlobalData.h"
#include "files/DialogPaths.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/StdText.h"

namespace vorn {

namespace {

QStringList nameFilters(const std::vector<SaveFileType>& types) {
    QStringList filters;
    for (const SaveFileType& type : types)
        filters << QStringLiteral("%1 (*.%2)").arg(type.Label, type.Extension);
    return filters;
}

QString runSaveDialog(QWidget* parent, const SaveRequest& request, const QString& proposed,
                      int& type) {
    const QStringList filters = nameFilters(request.Types);
    QFileDialog dialog(parent, request.Caption, proposed);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.at(type));
    // A bare name gets the selected type's extension inside the dialog, so that the dialog's own
    // question about an existing file is asked about the file that will be written.
    dialog.setDefaultSuffix(request.Types[static_cast<std::size_t>(type)].Extension);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &filters, &request](const QString& filter) {
                         const qsizetype index = filters.indexOf(filter);
                         if (index >= 0)
                             dialog.setDefaultSuffix(
                                 request.Types[static_cast<std::size_t>(index)].Extension);
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    type = std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles().constFirst();
}

bool replaceFile(QWidget* parent, const QString& caption, const QString& path) {
    TFittedMessageBox box(QMessageBox::Warning, caption,
                          QStringLiteral("%1 already exists.\nDo you want to replace it?")
                              .arg(QFileInfo(path).fileName()),
                          QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

QString DialogFolder(const TGlobalData& settings, const QString& documentFile) {
    return qs(StartFolder(documentFile.toStdString(), settings.LastFolder,
                          QDir::homePath().toStdString(),
                          [](const std::string& folder) { return QFileInfo(qs(folder)).isDir(); }));
}

void RememberFolder(TGlobalData& settings, const QString& chosen) {
    settings.LastFolder = QFileInfo(chosen).absolutePath().toStdString();
}

SaveChoice AskSaveFile(QWidget* parent, TGlobalData& settings, const SaveRequest& request,
                       const SaveNameHook& askName, const OverwriteHook& askOverwrite) {
    if (request.Types.empty())
        return {};
    const int last = static_cast<int>(request.Types.size()) - 1;
    SaveChoice choice{QString(), std::clamp(request.Type, 0, last)};
    const auto extension = [&] {
        return request.Types[static_cast<std::size_t>(choice.Type)].Extension.toStdString();
    };
    QString proposed = QDir(DialogFolder(settings, request.DocumentFile))
                           .filePath(qs(WithExtension(request.Name.toStdString(), extension())));
    for (;;) {
        const QString chosen = askName ? askName(proposed, choice.Type)
                                       : runSaveDialog(parent, request, proposed, choice.Type);
        if (chosen.isEmpty())
            return {};
        choice.Type = std::clamp(choice.Type, 0, last);
        const QString path = qs(WithExtension(chosen.toStdString(), extension()));
        RememberFolder(settings, path);
        const QFileInfo file(path);
        // The dialog asked about the name it gave back; one it never saw is asked about here.
        if (path == chosen || !(file.exists() || file.isSymLink()) ||
            (askOverwrite ? askOverwrite(path) : replaceFile(parent, request.Caption, path))) {
            choice.Path = path;
            return choice;
        }
        proposed = path;
    }
}

} // namespace vorn
