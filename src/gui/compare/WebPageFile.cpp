// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/compare/WebPageFile.h"

#include <QFile>
#include <QFileDialog>

#include "core/platform/FileReplacing.h"
#include "gui/common/Dialogs.h"

namespace qm::gui {
namespace {

WebPageFileChooser& Chooser() {
  static WebPageFileChooser chooser;
  return chooser;
}

}  // namespace

QString ChooseWebPageFile(QWidget* parent) {
  if (Chooser()) return Chooser()(parent);
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("htm"));
  dialog.setNameFilter(QStringLiteral("*.htm (*.htm)"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

void SetWebPageFileChooser(WebPageFileChooser chooser) { Chooser() = std::move(chooser); }

void WriteWebPage(QWidget* parent, const QString& file, const std::string& bytes) {
  const std::string error = platform::ReplaceFile(QFile::encodeName(file).toStdString(), bytes);
  if (error.empty())
    ShowMessage(parent, QStringLiteral("保存完毕！"), QMessageBox::Information);
  else
    ShowMessage(parent,
                QStringLiteral("保存失败：%1\r\n%2").arg(QString::fromStdString(error), file),
                QMessageBox::Warning);
}

std::vector<pages::PageFamily> PageFamilies(const ListedFamilies& families) {
  std::vector<pages::PageFamily> named;
  named.reserve(static_cast<std::size_t>(families.size()));
  for (const ListedFamily& family : families)
    named.push_back({family.Face().toStdU16String(), family.shown.toStdU16String()});
  return named;
}

void SaveAsWebPageFile(QWidget* parent, const ListedFamilies& families, int sampleFontSize) {
  const QString file = ChooseWebPageFile(parent);
  if (file.isEmpty()) return;
  WriteWebPage(parent, file, pages::AllFontsPage(PageFamilies(families), sampleFontSize));
}

}  // namespace qm::gui
