// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line below the sample of one font: how much of each Chinese standard
// the family covers, as a percentage and a count, and the link "缺字" to
// the window that lists what it lacks.

#include <QFontMetrics>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "core/coverage/ChineseCoverage.h"
#include "core/platform/Platform.h"
#include "gui/common/ListedFamily.h"

class QLabel;

namespace qm::gui {

class CoverageLine : public QWidget {
  Q_OBJECT
 public:
  explicit CoverageLine(platform::Platform& platform, QWidget* parent = nullptr);

  void ShowFamily(const ListedFamily& family);
  // The line as plain text.
  QString Text() const { return text_; }
  // Opens the "缺字" window for the family shown.
  void ShowMissing();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const std::vector<coverage::Standard>& Standards();
  // Lays the parts out in lines as wide as the label.
  void Rewrap();

  platform::Platform& platform_;
  QLabel* counts_ = nullptr;
  QString text_;
  QStringList parts_;  // a standard's text each, which a line never breaks
  QLabel* missingLink_ = nullptr;
  std::vector<coverage::Standard> standards_;  // made when first needed
  ListedFamily family_;
  platform::CodePointSet characters_;
};

// heading and parts in lines no wider than width (but for a part wider by
// itself), the parts two spaces apart, each whole on one line.
QStringList WrapParts(const QString& heading, const QStringList& parts, const QFontMetrics& metrics,
                      int width);

// "GB2312 1.4%（94/6763）": the share is cut, not rounded, so 100% means all.
QString CoverageText(const coverage::StandardCoverage& coverage);

}  // namespace qm::gui
