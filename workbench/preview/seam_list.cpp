#include "workbench/preview/seam_list.h"

#include <QHeaderView>

namespace workbench {
namespace {

enum Column { kName, kDifference, kWorstRows, kColumnCount };

// From this mean difference on, a seam is shown as broken: two colours this far apart are told
// apart at a glance.
constexpr double kBroken = 5;

const preview::SeamSpec* seamOf(const QTreeWidgetItem* item) {
    const int index = item ? item->data(kName, Qt::UserRole).toInt() : -1;
    const auto seams = preview::allSeams();
    return index >= 0 && index < int(seams.size()) ? &seams[index] : nullptr;
}

} // namespace

SeamList::SeamList(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(kColumnCount);
    setHeaderLabels({tr("Seam"), QString::fromUtf8("\u0394E 2000"), tr("Worst rows")});
    headerItem()->setToolTip(kDifference, tr("Mean CIEDE2000 colour difference between the pixels that "
                                             "meet across the seam; below about 2 it hardly shows"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    const auto seams = preview::allSeams();
    for (std::size_t i = 0; i < seams.size(); ++i) {
        auto* item = new QTreeWidgetItem(this);
        item->setText(kName, QString::fromUtf8(seams[i].name.data(), int(seams[i].name.size())));
        item->setData(kName, Qt::UserRole, int(i));
        item->setTextAlignment(kDifference, Qt::AlignRight | Qt::AlignVCenter);
    }
    header()->setStretchLastSection(true);
    header()->setSectionResizeMode(kName, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(kDifference, QHeaderView::ResizeToContents);
    // The arrow keys moving the current row, or a click (also on the current row, to face it
    // again after turning away), show that seam.
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (const preview::SeamSpec* seam = seamOf(item)) emit seamChosen(*seam);
    });
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (const preview::SeamSpec* seam = seamOf(item)) emit seamChosen(*seam);
    });
}

void SeamList::showScores(const std::vector<preview::SeamScore>& scores) {
    for (int i = 0; i < topLevelItemCount() && i < int(scores.size()); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        const preview::SeamScore& score = scores[i];
        item->setText(kDifference, QString::number(score.meanDifference, 'f', 1));
        QStringList rows;
        for (int row : score.worstRows)
            rows << QString::number(row);
        item->setText(kWorstRows, rows.isEmpty() ? QStringLiteral("-") : rows.join(QStringLiteral(", ")));
        QFont font = item->font(kDifference);
        font.setBold(score.meanDifference >= kBroken);
        item->setFont(kDifference, font);
    }
}

int SeamList::heightForAllRows() const {
    return header()->sizeHint().height() + topLevelItemCount() * sizeHintForRow(0) + 2 * frameWidth();
}

QTreeWidgetItem* SeamList::row(std::string_view key) const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (const preview::SeamSpec* seam = seamOf(topLevelItem(i)); seam && seam->key == key)
            return topLevelItem(i);
    return nullptr;
}

} // namespace workbench
