// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/coverage/CoverageLine.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStringList>

#include "gui/common/BaseFormat.h"
#include "gui/coverage/MissingCharacters.h"

namespace qm::gui {
namespace {

const QString kHeading = QStringLiteral("汉字覆盖：");
const QString kPartGap = QStringLiteral("  ");

}  // namespace

QStringList WrapParts(const QString& heading, const QStringList& parts, const QFontMetrics& metrics,
                      int width) {
  QStringList lines;
  QString line = heading;
  for (const QString& part : parts) {
    const QString longer = line == heading ? line + part : line + kPartGap + part;
    if (line != heading && metrics.horizontalAdvance(longer) > width) {
      lines << line;
      line = part;
    } else {
      line = longer;
    }
  }
  lines << line;
  return lines;
}

QString CoverageText(const coverage::StandardCoverage& coverage) {
  const qulonglong tenths =
      coverage.total == 0 ? 0 : qulonglong(coverage.covered) * 1000 / coverage.total;
  return QStringLiteral("%1 %2.%3%（%4/%5）")
      .arg(QString::fromStdString(coverage.name))
      .arg(tenths / 10)
      .arg(tenths % 10)
      .arg(coverage.covered)
      .arg(coverage.total);
}

CoverageLine::CoverageLine(platform::Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform) {
  setObjectName(QStringLiteral("CoverageLine"));
  setFont(QFont(BaseFaceFamily(), 9));  // the program's own face, whatever the family shown
  counts_ = new QLabel(this);
  counts_->setObjectName(QStringLiteral("CoverageCounts"));
  counts_->setTextFormat(Qt::PlainText);
  // The line is wrapped here, between the standards, to the width the
  // label is given; its text never widens the window.
  counts_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  counts_->installEventFilter(this);
  counts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A line's room from the start, so that the first family shown does not
  // push what is below down.
  counts_->setText(QString(QChar::Nbsp));
  missingLink_ = new QLabel(QStringLiteral("<a href=\"missing\">缺字</a>"), this);
  missingLink_->setObjectName(QStringLiteral("MissingLink"));
  missingLink_->setToolTip(QStringLiteral("列出所缺的字"));
  missingLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  // Hidden until a family is shown, its room kept meanwhile.
  QSizePolicy keepsRoom = missingLink_->sizePolicy();
  keepsRoom.setRetainSizeWhenHidden(true);
  missingLink_->setSizePolicy(keepsRoom);
  missingLink_->hide();
  connect(missingLink_, &QLabel::linkActivated, this, &CoverageLine::ShowMissing);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(counts_, 1);
  layout->addWidget(missingLink_, 0, Qt::AlignTop);
}

const std::vector<coverage::Standard>& CoverageLine::Standards() {
  if (standards_.empty())
    standards_ = coverage::ChineseStandards(platform_.CodePageCharacters("GB2312"),
                                            platform_.CodePageCharacters("GBK"));
  return standards_;
}

void CoverageLine::ShowFamily(const ListedFamily& family) {
  family_ = family;
  characters_ = platform_.CharactersOf(family.real.toStdString());
  parts_.clear();
  for (const coverage::StandardCoverage& counted : coverage::CoverageOf(characters_, Standards()))
    parts_ << CoverageText(counted);
  text_ = kHeading + parts_.join(kPartGap);
  counts_->setAccessibleName(text_);  // read out as one line
  Rewrap();
  missingLink_->show();
}

void CoverageLine::Rewrap() {
  if (parts_.isEmpty()) return;
  counts_->setText(
      WrapParts(kHeading, parts_, counts_->fontMetrics(), counts_->contentsRect().width())
          .join(u'\n'));
}

bool CoverageLine::eventFilter(QObject* watched, QEvent* event) {
  if (watched == counts_ && event->type() == QEvent::Resize) Rewrap();
  return QWidget::eventFilter(watched, event);
}

void CoverageLine::ShowMissing() {
  MissingCharacters window(family_.shown, characters_, Standards(), this);
  window.exec();
}

}  // namespace qm::gui
