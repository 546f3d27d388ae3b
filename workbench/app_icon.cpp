#include "workbench/app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace workbench {
namespace {

// One figure or bar of the pictogram, in pixels of the icon it is drawn on.
struct Figure {
    QRect head;
    QPolygon body; // torso with arms for the man, the dress for the woman
    QRect leftLeg, rightLeg;
};

QPixmap drawIcon(int size, const Figure& man, const QRect& bar, const Figure& woman) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    // Plain black on transparent, like the 16-colour original: no blended edge pixels.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const Figure& figure : {man, woman}) {
        painter.drawEllipse(figure.head);
        painter.drawPolygon(figure.body);
        painter.drawRect(figure.leftLeg);
        painter.drawRect(figure.rightLeg);
    }
    painter.drawRect(bar);
    return pixmap;
}

QPixmap icon32() {
    const Figure man{QRect(5, 1, 6, 6),
                     QPolygon({QPoint(2, 8), QPoint(13, 8), QPoint(13, 19), QPoint(2, 19)}),
                     QRect(4, 20, 3, 11), QRect(9, 20, 3, 11)};
    const Figure woman{QRect(22, 1, 6, 6),
                       QPolygon({QPoint(22, 8), QPoint(27, 8), QPoint(31, 22), QPoint(18, 22)}),
                       QRect(21, 23, 2, 8), QRect(26, 23, 2, 8)};
    return drawIcon(32, man, QRect(15, 0, 2, 32), woman);
}

QPixmap icon16() {
    const Figure man{QRect(2, 0, 3, 3), QPolygon({QPoint(1, 4), QPoint(5, 4), QPoint(5, 9), QPoint(1, 9)}),
                     QRect(1, 10, 1, 5), QRect(4, 10, 1, 5)};
    const Figure woman{QRect(11, 0, 3, 3),
                       QPolygon({QPoint(11, 4), QPoint(13, 4), QPoint(15, 11), QPoint(9, 11)}),
                       QRect(10, 12, 1, 4), QRect(13, 12, 1, 4)};
    return drawIcon(16, man, QRect(7, 0, 1, 16), woman);
}

} // namespace

QIcon appIcon() {
    QIcon icon;
    icon.addPixmap(icon32());
    icon.addPixmap(icon16());
    return icon;
}

} // namespace workbench
