#include "workbench/recent_files.h"

#include "workbench/classic/pane_sides.h"
#include "workbench/user_settings.h"

namespace workbench {
namespace {

// In the settings: an array of entries, each a path and the word of the canvas's side
// ("source", "destination").
constexpr char kArray[] = "recentFiles";
constexpr char kPath[] = "path";
constexpr char kCanvas[] = "canvas";

} // namespace

QList<RecentFile> withRecentFile(QList<RecentFile> list, const RecentFile& file) {
    list.removeIf([&](const RecentFile& entry) { return entry.path == file.path; });
    list.prepend(file);
    if (list.size() > kRecentFilesKept) list.resize(kRecentFilesKept);
    return list;
}

QList<RecentFile> recentFiles() {
    UserSettings settings;
    QList<RecentFile> list;
    const int size = settings.beginReadArray(QLatin1String(kArray));
    for (int i = 0; i < size; ++i) {
        settings.setArrayIndex(i);
        const QString path = settings.value(QLatin1String(kPath)).toString();
        if (path.isEmpty()) continue;
        // An entry of no known side opens into the destination.
        const PaneSide* side = sideNamed(settings.value(QLatin1String(kCanvas)).toString().toStdString());
        list.append({path, side ? side->canvas : stamps::CanvasId::picTarget});
    }
    settings.endArray();
    return list;
}

namespace {

void writeRecentFiles(const QList<RecentFile>& list) {
    UserSettings settings;
    settings.remove(QLatin1String(kArray)); // no entries of a longer list left behind
    settings.beginWriteArray(QLatin1String(kArray), int(list.size()));
    for (int i = 0; i < list.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QLatin1String(kPath), list[i].path);
        const std::string_view word = sideOf(list[i].canvas).word;
        settings.setValue(QLatin1String(kCanvas), QString::fromUtf8(word.data(), qsizetype(word.size())));
    }
    settings.endArray();
}

} // namespace

void rememberRecentFile(const RecentFile& file) {
    writeRecentFiles(withRecentFile(recentFiles(), file));
}

void forgetRecentFile(const QString& path) {
    QList<RecentFile> list = recentFiles();
    if (list.removeIf([&](const RecentFile& entry) { return entry.path == path; }) > 0)
        writeRecentFiles(list);
}

} // namespace workbench
