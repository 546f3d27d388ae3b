// quiltane_icon_png DIR SIZE...: writes the program's icon as DIR/quiltane-SIZE.png for each
// size (in pixels, square), for the desktop's icon themes. The build runs it on the offscreen
// platform. A size comes from the largest drawn pictogram that divides it, enlarged by a whole
// factor with hard pixel edges, so it stays as crisp as the drawn one; a size that no drawn
// pictogram divides is scaled smoothly from the largest.

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QTextStream>

#include <algorithm>

#include "workbench/app_icon.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kLargestSize = 1024; // beyond any icon theme's sizes

QImage renderSize(const QIcon& icon, int size) {
    QList<QSize> drawn = icon.availableSizes();
    std::sort(drawn.begin(), drawn.end(), [](QSize a, QSize b) { return a.width() > b.width(); });
    const auto divides = [size](QSize s) { return size % s.width() == 0; };
    const auto whole = std::find_if(drawn.begin(), drawn.end(), divides);
    const QSize source = whole != drawn.end() ? *whole : drawn.front();
    const Qt::TransformationMode mode =
        whole != drawn.end() ? Qt::FastTransformation : Qt::SmoothTransformation;
    // Device pixel ratio 1: the drawn pixels themselves, whatever the screen's scale.
    const QImage image = icon.pixmap(source, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    return image.scaled(size, size, Qt::IgnoreAspectRatio, mode);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        err << "Usage: quiltane_icon_png DIR SIZE...\n";
        return kExitUsage;
    }
    const QDir dir(args[1]);
    if (!dir.mkpath(".")) {
        err << "Cannot create the folder " << args[1] << "\n";
        return kExitFailed;
    }
    const QIcon icon = workbench::appIcon();
    for (const QString& arg : args.mid(2)) {
        bool number = false;
        const int size = arg.toInt(&number);
        if (!number || size < 1 || size > kLargestSize) {
            err << "Not an icon size (1 to " << kLargestSize << " pixels): " << arg << "\n";
            return kExitUsage;
        }
        const QString path = dir.filePath(QString("quiltane-%1.png").arg(size));
        if (!renderSize(icon, size).save(path, "PNG")) {
            err << "Cannot write " << path << "\n";
            return kExitFailed;
        }
    }
    return 0;
}
