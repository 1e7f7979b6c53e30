// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/coverage/CoverageLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStringList>

#include "gui/common/BaseFormat.h"
#include "gui/coverage/MissingCharacters.h"

namespace qm::gui {
namespace {

// text with no place to break a line: its spaces do not break, and a word
// joiner stands between its other characters (text may break between any
// two Chinese characters, or a Chinese one and a Latin letter).
QString Unbreakable(const QString& text) {
  constexpr char16_t kWordJoiner = u'\u2060';
  QString joined;
  for (qsizetype at = 0; at < text.size(); ++at) {
    const QChar character = text[at];
    if (at > 0 && !character.isLowSurrogate()) joined += kWordJoiner;
    joined += character == u' ' ? QChar(QChar::Nbsp) : character;
  }
  return joined;
}

}  // namespace

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
  counts_->setWordWrap(true);
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
  QStringList parts;
  QStringList unbroken;  // the line wraps between the standards, never inside one
  for (const coverage::StandardCoverage& counted : coverage::CoverageOf(characters_, Standards())) {
    parts << CoverageText(counted);
    unbroken << Unbreakable(parts.back());
  }
  const QString heading = QStringLiteral("汉字覆盖：");
  text_ = heading + parts.join(QStringLiteral("  "));
  counts_->setText(heading + unbroken.join(QStringLiteral("  ")));
  counts_->setAccessibleName(text_);  // read out without what keeps the parts whole
  missingLink_->show();
}

void CoverageLine::ShowMissing() {
  MissingCharacters window(family_.shown, characters_, Standards(), this);
  window.exec();
}

}  // namespace qm::gui
