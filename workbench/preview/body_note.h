#pragma once
// The preview's line under the 3D view, `lblBody`, shown while the body is not the mannequin:
// the file it comes from, and that the seam check is still the mannequin's (the seams are
// where the mannequin's skin wraps round; another body may wrap it elsewhere).

class QLabel;
class QString;
class QWidget;

namespace workbench {

// Hidden until showBodyNote names a file.
QLabel* makeBodyNote(QWidget* parent);
// file: the body's, absolute; empty for the mannequin, which hides the line.
void showBodyNote(QLabel* note, const QString& file);

} // namespace workbench
