#include "workbench/preview/preview_window.h"

#include <cmath>

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "preview/skin_layout.h"
#include "workbench/canvas_image.h"
#include "workbench/classic/classic_fonts.h"
#include "workbench/dialogs/message_box.h"
#include "workbench/preview/body_note.h"
#include "workbench/preview/facing.h"
#include "workbench/preview/mannequin_view.h"
#include "workbench/preview/seam_list.h"
#include "workbench/preview/window_place.h"
#include "workbench/preview/zoom_view.h"
#include "workbench/shown_path.h"
#include "workbench/user_settings.h"

namespace workbench {
namespace {

constexpr int kGap = 8;                          // pixels between the window's parts and from the main window
constexpr QSize kWantedSize(760, 600);           // inside the frame, where the screen has room
constexpr char kPlaceKey[] = "preview/geometry"; // in the settings: where the user left the window

QString pixelText(const core::Picture& skin, int x, int y) {
    const core::Rgb c = skin.pixel(x, y);
    return QStringLiteral("x %1, y %2    (%3, %4, %5)    %6")
        .arg(x)
        .arg(y)
        .arg(c.r)
        .arg(c.g)
        .arg(c.b)
        .arg(QString::fromStdString(preview::regionName(x, y)));
}

} // namespace

PreviewWindow::PreviewWindow(const core::Canvas& destination, QWidget* parent)
    : QWidget(parent, Qt::Window), m_destination(destination) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(tr("Preview"));
    setFont(defaultFont());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kGap, kGap, kGap, kGap);
    layout->setSpacing(kGap);
    layout->addWidget(makeViewColumn(), 3);
    layout->addWidget(makeSkinColumn(), 2);
    showDestination();
}

QWidget* PreviewWindow::makeViewColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_mannequin = new MannequinView(column);
    m_mannequin->setObjectName(QStringLiteral("picMannequin"));
    m_mannequin->setToolTip(tr("Drag to turn the body, use the wheel to come closer"));
    layout->addWidget(m_mannequin, 1);
    m_bodyNote = makeBodyNote(column);
    layout->addWidget(m_bodyNote);

    auto* buttons = new QHBoxLayout;
    for (const Facing& facing : kFacings) {
        auto* button = new QPushButton(tr(facing.caption), column);
        button->setObjectName(QLatin1String(facing.button));
        button->setToolTip(tr("%1 (%2)").arg(tr(facing.caption), QKeySequence(facing.key).toString()));
        button->setFocusPolicy(Qt::NoFocus); // the keys stay with the 3D view
        connect(button, &QPushButton::clicked, m_mannequin,
                [this, yaw = facing.yaw] { m_mannequin->face(yaw); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* save = new QPushButton(tr("Save View..."), column);
    save->setObjectName(QStringLiteral("cmdSaveView"));
    save->setToolTip(tr("Save the 3D view as a PNG picture"));
    connect(save, &QPushButton::clicked, this, &PreviewWindow::saveViewAs);
    buttons->addWidget(save);
    layout->addLayout(buttons);
    return column;
}

QWidget* PreviewWindow::makeSkinColumn() {
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("colSkin"));
    m_skinColumn = column;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    m_zoom = new ZoomView;
    m_zoom->setObjectName(QStringLiteral("picZoom"));
    m_zoomArea = new QScrollArea(column);
    m_zoomArea->setObjectName(QStringLiteral("scrZoom"));
    m_zoomArea->setWidget(m_zoom);
    m_zoomArea->setAlignment(Qt::AlignCenter);
    m_zoomArea->setMinimumSize(280, 280);
    layout->addWidget(m_zoomArea, 1);

    auto* controls = new QHBoxLayout;
    auto* zoomLabel = new QLabel(tr("Zoom"), column);
    auto* zoom = m_zoomBox = new QSpinBox(column);
    zoom->setObjectName(QStringLiteral("spnZoom"));
    zoom->setRange(ZoomView::kMinZoom, ZoomView::kMaxZoom);
    zoom->setSuffix(QString::fromUtf8("\u00d7"));
    zoom->setValue(m_zoom->zoom());
    zoom->setToolTip(tr("How many screen pixels wide each skin pixel is shown; a grid from %1\u00d7")
                         .arg(ZoomView::kGridFromZoom));
    zoomLabel->setBuddy(zoom);
    // From the box, the keys among them, the zoom keeps the middle of the view; from the wheel
    // over the view, the point under the pointer.
    connect(zoom, &QSpinBox::valueChanged, this,
            [this](int value) { zoomAround(value, QRectF(m_zoomArea->viewport()->rect()).center()); });
    connect(m_zoom, &ZoomView::zoomAsked, this, [this](int steps, QPointF at) {
        const QSignalBlocker quiet(m_zoomBox);
        m_zoomBox->setValue(m_zoom->zoom() + steps);
        zoomAround(m_zoomBox->value(), m_zoom->mapTo(m_zoomArea->viewport(), at));
    });
    auto* lines = new QCheckBox(tr("Layout lines"), column);
    lines->setObjectName(QStringLiteral("chkLayout"));
    lines->setChecked(m_zoom->showsLayout());
    lines->setToolTip(tr("The arm strip, the back and front halves, and torso, hips, legs and feet"));
    connect(lines, &QCheckBox::toggled, m_zoom, &ZoomView::setShowsLayout);
    controls->addWidget(zoomLabel);
    controls->addWidget(zoom);
    controls->addSpacing(kGap);
    controls->addWidget(lines);
    controls->addStretch(1);
    layout->addLayout(controls);

    m_pixel = new QLabel(column);
    m_pixel->setObjectName(QStringLiteral("lblPixel"));
    m_pixel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_pixel);
    connect(m_zoom, &ZoomView::hovered, this, &PreviewWindow::showPixel);
    showPixel(-1, -1);

    auto* seamsLabel =
        new QLabel(tr("Seams (click one to turn the body to it and mark its worst rows)"), column);
    seamsLabel->setWordWrap(true);
    layout->addWidget(seamsLabel);
    m_seams = new SeamList(column);
    m_seams->setObjectName(QStringLiteral("lstSeams"));
    m_seams->setMaximumHeight(m_seams->heightForAllRows());
    layout->addWidget(m_seams);
    connect(m_seams, &SeamList::seamChosen, this, &PreviewWindow::chooseSeam);
    return column;
}

void PreviewWindow::addAboveZoom(QWidget* bar) {
    static_cast<QVBoxLayout*>(m_skinColumn->layout())->insertWidget(0, bar);
}

void PreviewWindow::setBody(std::shared_ptr<const preview::Body> body, const QString& file) {
    m_mannequin->setBody(std::move(body));
    showBodyNote(m_bodyNote, file);
}

PreviewWindow::~PreviewWindow() {
    if (isVisible()) rememberPlace();
}

void PreviewWindow::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) rememberPlace();
    QWidget::hideEvent(event);
}

void PreviewWindow::rememberPlace() const {
    UserSettings().setValue(QLatin1String(kPlaceKey), geometry());
}

void PreviewWindow::showBeside(QWidget* mainWindow) {
    if (!m_placed && mainWindow) {
        place(mainWindow);
        m_placed = true;
        m_mannequin->setFocus(); // its keys turn the body at once
    }
    show();
    raise();
    activateWindow();
}

void PreviewWindow::place(QWidget* mainWindow) {
    // This window is not shown yet, so its title bar and borders are taken to be the main
    // window's.
    QRect mainFrame = mainWindow->frameGeometry();
    const QRect mainInside = mainWindow->geometry();
    const QMargins borders(mainInside.left() - mainFrame.left(), mainInside.top() - mainFrame.top(),
                           mainFrame.right() - mainInside.right(), mainFrame.bottom() - mainInside.bottom());
    QList<QRect> rooms;
    for (const QScreen* screen : QGuiApplication::screens())
        rooms << screen->availableGeometry();
    const QRect remembered = UserSettings().value(QLatin1String(kPlaceKey)).toRect();
    if (remembered.isValid() && isOnAScreen(remembered.marginsAdded(borders), rooms)) {
        setGeometry(remembered);
        return;
    }
    const QScreen* screen = mainWindow->screen() ? mainWindow->screen() : QGuiApplication::primaryScreen();
    const QSize wanted = sizeHint().expandedTo(kWantedSize).grownBy(borders);
    const QSize least = minimumSizeHint().grownBy(borders);
    const QRect room =
        screen ? screen->availableGeometry() : QRect(mainFrame.topLeft(), QSize(1 << 20, 1 << 20));
    // On a screen with room for both, side by side, the main window moves aside to make it.
    const int shift = mainWindow->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)
                          ? 0
                          : makeRoomBeside(mainFrame, wanted, least, room, kGap);
    if (shift != 0) {
        mainWindow->move(mainWindow->pos() + QPoint(shift, 0));
        mainFrame.translate(shift, 0);
    }
    setGeometry(placeBeside(mainFrame, wanted, least, room, kGap).marginsRemoved(borders));
}

void PreviewWindow::showDestination() {
    const core::Picture skin = m_destination.image();
    if (skin == m_skin) return;
    m_skin = skin;
    m_scores = preview::checkSeams(m_skin);
    m_seams->showScores(m_scores);
    m_zoom->setSkin(m_skin);
    showMarks();
}

void PreviewWindow::chooseSeam(const preview::SeamSpec& seam) {
    m_markedSeam = &seam;
    const auto& rows = m_scores[std::size_t(&seam - preview::allSeams().data())].worstRows;
    m_mannequin->setView(preview::viewOfSeam(seam, rows, m_mannequin->view().zoom));
    showMarks();
    // The seam's worst row, or its top, in the middle of the zoom view.
    const QPointF at = m_zoom->pixelCorner(seam.first.column, rows.empty() ? seam.topRow : rows.front());
    m_zoomArea->ensureVisible(int(at.x()), int(at.y()), m_zoomArea->width() / 3, m_zoomArea->height() / 3);
}

void PreviewWindow::showMarks() {
    if (!m_markedSeam) {
        m_mannequin->setSkin(m_skin);
        return;
    }
    const auto& rows = m_scores[std::size_t(m_markedSeam - preview::allSeams().data())].worstRows;
    m_mannequin->setSkin(preview::markRows(m_skin, *m_markedSeam, rows));
    m_zoom->setMarks(m_markedSeam, rows);
}

void PreviewWindow::zoomAround(int zoom, QPointF at) {
    const QWidget* viewport = m_zoomArea->viewport();
    const QPointF skinPoint = m_zoom->mapFrom(viewport, at) / m_zoom->pixelCorner(1, 0).x();
    m_zoom->setZoom(zoom);
    // The scroll bars keep the skin point at the same place in the viewport; where the view is
    // smaller than the viewport, they have no room and the view stays centred.
    const QPointF now = skinPoint * m_zoom->pixelCorner(1, 0).x() - at;
    m_zoomArea->horizontalScrollBar()->setValue(int(std::lround(now.x())));
    m_zoomArea->verticalScrollBar()->setValue(int(std::lround(now.y())));
}

void PreviewWindow::showPixel(int x, int y) {
    if (x < 0 || y < 0 || m_skin.isEmpty()) {
        m_pixel->setText(tr("Point at the skin to see a pixel's place, colour and part of the body."));
        return;
    }
    m_pixel->setText(pixelText(m_skin, x, y));
}

bool PreviewWindow::saveView(const QString& path) {
    if (pictureImage(m_mannequin->frame()).save(path, "PNG")) return true;
    showMessage(this, tr("Cannot save %1.").arg(shownPath(QFileInfo(path).absoluteFilePath())));
    return false;
}

void PreviewWindow::saveViewAs() {
    QString path = QFileDialog::getSaveFileName(this, tr("Save View"),
                                                QDir::current().filePath(QStringLiteral("preview.png")),
                                                tr("PNG pictures (*.png)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
    saveView(path);
}

} // namespace workbench
