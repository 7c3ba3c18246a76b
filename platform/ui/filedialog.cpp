#include "platform/ui/filedialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace ui {
namespace {

OpenFileChooser installed;
SaveFileChooser installedSave;

// "Description (patterns)" entries of the dialog; a description that already
// ends with its patterns in parentheses is taken as it is.
QStringList nameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString suffix = QLatin1Char('(') + parts[i + 1] + QLatin1Char(')');
        filters << (parts[i].endsWith(suffix) ? parts[i] : parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

QString desktopDialog(const OpenFileRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.preselected >= 0 && request.preselected < filters.size())
        dialog.selectNameFilter(filters[request.preselected]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString desktopSaveDialog(const SaveFileRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(nameFilters(request.filter));
    dialog.setDirectory(QFileInfo(request.suggested).absolutePath());
    dialog.selectFile(QFileInfo(request.suggested).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString chooseOpenFile(const OpenFileRequest& request)
{
    return installed ? installed(request) : desktopDialog(request);
}

OpenFileChooser setOpenFileChooser(OpenFileChooser chooser)
{
    OpenFileChooser previous = std::move(installed);
    installed = std::move(chooser);
    return previous;
}

QString chooseSaveFile(const SaveFileRequest& request)
{
    return installedSave ? installedSave(request) : desktopSaveDialog(request);
}

SaveFileChooser setSaveFileChooser(SaveFileChooser chooser)
{
    SaveFileChooser previous = std::move(installedSave);
    installedSave = std::move(chooser);
    return previous;
}

} // namespace ui
