// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fills the font-name list with the installed families, in the order a
// reader expects of a sorted list, and reports progress in a label.

#include <QCollator>
#include <QString>
#include <functional>
#include <future>
#include <vector>

#include "core/platform/Platform.h"
#include "gui/common/ListedFamily.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace qm::gui {
class FramePump;
}

namespace qm::gui {

// Case-insensitive, Chinese names in pinyin order.
QCollator FontNameCollator();

// Puts family's shown name at its sorted place, with its real name beside
// it; the new entry, or nullptr when an equal name is already there. prepare
// fills the entry in before it enters the list: in the list, every change
// to it would be announced to the views and the filter.
QListWidgetItem* InsertSorted(QListWidget* list, const ListedFamily& family,
                              const QCollator& collator,
                              const std::function<void(QListWidgetItem*)>& prepare = {});

QString ScanProgressText(qsizetype done, qsizetype total);  // "正在扫描...5/320"
QString FontTotalText(qsizetype total);                     // "字体总数：318"

using InstalledFamilies = std::vector<platform::InstalledFamily>;

// Reads the installed families on a thread of its own, so that the window
// can be built and shown meanwhile. Nothing else may ask the platform about
// fonts until the answer has been taken.
std::future<InstalledFamilies> ReadInstalledFamiliesAhead(platform::Platform& platform);

// Clears list, then adds every installed family except the vertical-writing
// forms whose names begin with "@". Families the toolkit has not seen since
// the program started are made known to it, so that every name draws in
// its own face.
void ScanInstalledFonts(const InstalledFamilies& families, QListWidget* list, QLabel* label,
                        gui::FramePump& pump);

}  // namespace qm::gui
