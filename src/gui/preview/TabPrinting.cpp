// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/preview/TabPrinting.h"

#include <QCoreApplication>
#include <utility>

#include "gui/common/FaceText.h"
#include "gui/common/StyledTextTab.h"
#include "gui/preview/RichTextPages.h"

namespace qm::gui {
namespace {

// Preview margins, twips, and its page setting.
constexpr int kSideMargin = 300;
constexpr int kEndMargin = 1;
constexpr int kPortraitPages = 1;

// The tab's whole text to print; nullptr when there is none.
std::unique_ptr<QTextDocument> PrintableText(const StyledTextTab* tab) {
  if (!tab) return nullptr;
  std::unique_ptr<QTextDocument> text = tab->TextCopy(false);
  return text && HasPrintableText(text->toPlainText()) ? std::move(text) : nullptr;
}

}  // namespace

TabPrinting::TabPrinting(FaceEngine& faces, ListedFaceFinder& finder, CurrentTab currentTab,
                         QWidget* owner)
    : faces_(faces), finder_(finder), currentTab_(std::move(currentTab)), owner_(owner) {}

void TabPrinting::Print() const {
  QCoreApplication::processEvents();
  const StyledTextTab* tab = currentTab_();
  const std::unique_ptr<QTextDocument> whole = PrintableText(tab);
  if (!whole) return;
  const std::unique_ptr<QTextDocument> selected = tab->TextCopy(true);
  const FaceBlockPainter painter(faces_, finder_, true);
  PrintThroughDialog(owner_, *whole, selected.get(), &painter);
}

void TabPrinting::Preview() const {
  QCoreApplication::processEvents();
  const StyledTextTab* tab = currentTab_();
  std::unique_ptr<QTextDocument> shown = PrintableText(tab);
  if (!shown) return;
  if (std::unique_ptr<QTextDocument> selected = tab->TextCopy(true)) shown = std::move(selected);
  const FaceBlockPainter painter(faces_, finder_, true);
  RenderRichTextPages(owner_, *shown, kSideMargin, kEndMargin, kSideMargin, kEndMargin,
                      kPortraitPages, &painter);
}

}  // namespace qm::gui
