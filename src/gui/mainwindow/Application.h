#pragma once

class QApplication;

namespace qm::gui {

// Names the program for its settings, loads the toolkit's Chinese texts for
// standard buttons and keeps the program running while its window is hidden.
void ConfigureApplication(QApplication& application);

}  // namespace qm::gui
