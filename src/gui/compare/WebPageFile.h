// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving the program's web pages: the save dialog, the write that leaves an
// old file whole when it fails, and the message that says how it went.

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "core/export/HtmlPages.h"
#include "gui/common/ListedFamily.h"

class QWidget;

namespace qm::gui {

// The save dialog: "*.htm", no question before replacing a file. The file
// name, or an empty one when the person cancelled.
QString ChooseWebPageFile(QWidget* parent);

// Replaces the dialog with chooser (tests); an empty one restores it.
using WebPageFileChooser = std::function<QString(QWidget* parent)>;
void SetWebPageFileChooser(WebPageFileChooser chooser);

// Writes bytes as file, then says "保存完毕！", or why it failed.
void WriteWebPage(QWidget* parent, const QString& file, const std::string& bytes);

std::vector<pages::PageFamily> PageFamilies(const ListedFamilies& families);

// The page of every family at the sample size, after the save dialog.
void SaveAsWebPageFile(QWidget* parent, const ListedFamilies& families, int sampleFontSize);

}  // namespace qm::gui
