#include "framework/gui/FileDialog.h"

#include "framework/gui/DocTemplate.h"
#include "framework/gui/Headless.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QStringList>

namespace fw {

namespace {

QString FilterText(const FileFilter& filter)
{
    QString patterns = QString::fromStdString(filter.patterns);
    patterns.replace(';', ' ');
    return QString::fromStdString(filter.description) + " (" + patterns + ")";
}

} // namespace

bool RunFileDialog(QWidget* owner, FileDialogRequest& request)
{
    if (auto& answer = FileDialogSeam::Current()) return answer(request);
    if (IsHeadless()) {
        ReportHeadlessModal("file dialog \"" + request.title + "\"");
        return false;
    }

    QFileDialog dialog(owner, QString::fromStdString(request.title));
    QStringList filters;
    for (const auto& f : request.filters) filters << FilterText(f);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 0 && request.filterIndex < filters.size())
        dialog.selectNameFilter(filters[request.filterIndex]);
    if (!request.directory.empty()) dialog.setDirectory(QString::fromStdString(request.directory));
    if (!request.defaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    if (!request.path.empty()) dialog.selectFile(QString::fromStdString(request.path));
    if (request.kind == FileDialogRequest::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!(request.flags & dtOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode((request.flags & dtFileMustExist) ? QFileDialog::ExistingFile
                                                             : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    request.path = dialog.selectedFiles().front().toStdString();
    request.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    if (request.filterIndex < 0) request.filterIndex = 0;
    request.directory = QFileInfo(QString::fromStdString(request.path)).absolutePath().toStdString();
    return true;
}

ScriptedFileDialogs::ScriptedFileDialogs(std::vector<std::string> answers)
    : answers_(std::move(answers)),
      responder_([this](FileDialogRequest& request) {
          requests_.push_back(request);
          if (next_ >= answers_.size()) return false;
          std::string answer = answers_[next_++];
          if (answer.empty()) return false;
          auto bar = answer.find('|');
          if (bar != std::string::npos && bar > 0 &&
              answer.find_first_not_of("0123456789") == bar) {
              request.filterIndex = std::stoi(answer.substr(0, bar));
              answer = answer.substr(bar + 1);
          }
          request.path = answer;
          return true;
      })
{
}

int RunChoiceDialog(QWidget* owner, const ChoiceRequest& request)
{
    if (auto& answer = ChoiceSeam::Current()) return answer(request);
    if (IsHeadless()) {
        ReportHeadlessModal("choice \"" + request.title + "\"");
        return -1;
    }
    QStringList items;
    for (const auto& item : request.items) items << QString::fromStdString(item);
    bool ok = false;
    QString chosen = QInputDialog::getItem(owner, QString::fromStdString(request.title),
                                           QString::fromStdString(request.prompt), items, 0,
                                           false, &ok);
    if (!ok) return -1;
    return static_cast<int>(items.indexOf(chosen));
}

} // namespace fw
