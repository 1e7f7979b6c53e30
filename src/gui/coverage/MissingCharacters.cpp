// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/coverage/MissingCharacters.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/common/BaseFormat.h"

namespace qm::gui {

QString MissingText(const std::vector<char32_t>& missing) {
  QString text;
  for (std::size_t i = 0; i < missing.size(); ++i) {
    if (i > 0 && i % MissingCharacters::kPerLine == 0) text += u'\n';
    text += QString::fromUcs4(&missing[i], 1);
  }
  return text;
}

MissingCharacters::MissingCharacters(const QString& family,
                                     const platform::CodePointSet& characters,
                                     const std::vector<coverage::Standard>& standards,
                                     QWidget* parent)
    : QDialog(parent), characters_(characters), standards_(standards) {
  setObjectName(QStringLiteral("MissingCharacters"));
  setWindowTitle(QStringLiteral("缺字 - ") + family);
  standardChoice_ = new QComboBox(this);
  standardChoice_->setObjectName(QStringLiteral("StandardChoice"));
  for (const coverage::Standard& standard : standards_)
    standardChoice_->addItem(QString::fromStdString(standard.name));
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("MissingCount"));
  missing_ = new QPlainTextEdit(this);
  missing_->setObjectName(QStringLiteral("MissingText"));
  missing_->setReadOnly(true);  // selectable and copyable, not editable
  missing_->setFont(QFont(BaseFaceFamily(), kBasePointSize));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(standardChoice_);
  layout->addWidget(count_);
  layout->addWidget(missing_, 1);
  layout->addWidget(buttons);
  resize(720, 480);
  // The first standard the family lacks anything of; the first of all when it lacks nothing.
  const std::vector<coverage::StandardCoverage> coverage =
      coverage::CoverageOf(characters_, standards_);
  const auto lacking = std::find_if(coverage.begin(), coverage.end(), [](const auto& counted) {
    return counted.covered < counted.total;
  });
  const int first = lacking == coverage.end() ? 0 : static_cast<int>(lacking - coverage.begin());
  standardChoice_->setCurrentIndex(first);
  ShowStandard(first);
  connect(standardChoice_, &QComboBox::currentIndexChanged, this, &MissingCharacters::ShowStandard);
}

void MissingCharacters::ShowStandard(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= standards_.size()) return;
  const coverage::Standard& standard = standards_[static_cast<std::size_t>(index)];
  const std::vector<char32_t> missing = coverage::MissingFrom(characters_, standard);
  count_->setText(QStringLiteral("%1 缺 %2 字（共 %3 字）")
                      .arg(QString::fromStdString(standard.name))
                      .arg(missing.size())
                      .arg(standard.Size()));
  missing_->setPlainText(MissingText(missing));
}

}  // namespace qm::gui
