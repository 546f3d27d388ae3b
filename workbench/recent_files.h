#pragma once
// "Open Recent": the last files opened in either canvas, most recent first, each with the
// canvas it went into. Kept between runs in the user's settings (user_settings.h).

#include <QList>
#include <QString>

#include "stamps/paint_step.h"

namespace workbench {

struct RecentFile {
    QString path; // absolute
    stamps::CanvasId canvas = stamps::CanvasId::picTarget;

    bool operator==(const RecentFile&) const = default;
};

// How many files the list keeps.
inline constexpr int kRecentFilesKept = 10;

// list with file put first: an earlier entry of the same path goes, whichever canvas it was
// opened in, and the list keeps its first kRecentFilesKept entries.
QList<RecentFile> withRecentFile(QList<RecentFile> list, const RecentFile& file);

// The list as the settings hold it now (empty when they hold none).
QList<RecentFile> recentFiles();
// Puts file first in the settings' list.
void rememberRecentFile(const RecentFile& file);
// Takes the entry of path off the settings' list, if it has one.
void forgetRecentFile(const QString& path);

} // namespace workbench
