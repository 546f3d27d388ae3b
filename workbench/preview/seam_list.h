#pragma once
// The seam check as a list: one row per seam of the mannequin, built from the seam table, with
// its mean colour difference and its worst rows. Choosing a row asks for that seam to be shown.

#include <QTreeWidget>
#include <string_view>
#include <vector>

#include "preview/seams.h"

namespace workbench {

class SeamList : public QTreeWidget {
    Q_OBJECT
  public:
    explicit SeamList(QWidget* parent = nullptr);

    // scores in the seam table's order, one per seam.
    void showScores(const std::vector<preview::SeamScore>& scores);
    // The row of the seam with this key.
    QTreeWidgetItem* row(std::string_view key) const;
    // Pixels that show the header and every row without scrolling.
    int heightForAllRows() const;

  signals:
    void seamChosen(const preview::SeamSpec& seam);
};

} // namespace workbench
