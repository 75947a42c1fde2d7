// The About box: creation sequence, icons, drag, click on the maker's label, closing.
#include "app/AboutU.h"

#include "app/ScrambledTexts.h"
#include "app/WindowScaling.h"
#include "control/DisplayScaling.h"
#include "control/WindowDesign.h"
#include "sheetpile/Canvas.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>

namespace verrask::app {
namespace {

QColor ToQColor(sheetpile::TColor c) {
    return QColor(sheetpile::RedOf(c), sheetpile::GreenOf(c), sheetpile::BlueOf(c));
}

void SetTextColour(QLabel* label, sheetpile::TColor colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ToQColor(colour));
    label->setPalette(p);
}

} // namespace

QPixmap LoadIconResource(const QString& name, int size) {
    const QString folder = ":/" + name.toUpper() + "/";
    QIcon icon;
    for (const char* file : {"32.png", "48.png", "64.png"})
        if (QFileInfo::exists(folder + file)) icon.addFile(folder + file);
    QPixmap pixmap = icon.pixmap(size, size);
    if (!pixmap.isNull() && pixmap.size() != QSize(size, size))
        pixmap = pixmap.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return pixmap;
}

QString ReadmePath() {
    const QDir dir(QCoreApplication::applicationDirPath());
    QStringList places{"../share/doc/verrask/README.md", "README.md"};
    for (QString up = "../"; places.size() < 6; up += "../") places << up + "README.md";
    for (const QString& relative : places) {
        const QString path = dir.absoluteFilePath(relative);
        if (QFileInfo::exists(path)) return QDir::cleanPath(path);
    }
    return {};
}

TAboutForm::TAboutForm(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) { // a dialog's border
    AboutFormInst = this;
    setAttribute(Qt::WA_DeleteOnClose); // the close action is "free"
    setFont(PixelFont(WindowFontFamily(), design::about::FontHeight));
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(face);
    setAutoFillBackground(true);
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    Label1->move(design::about::LabelLeft, design::about::Label1Top);
    Label2->move(design::about::LabelLeft, design::about::Label2Top);
    Label3->move(design::about::LabelLeft, design::about::Label3Top);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->installEventFilter(this);
    for (QLabel* label : {Label1, Label2, Label3}) label->setTextFormat(Qt::PlainText);
    FormCreate();
}

TAboutForm::~TAboutForm() {
    // The icons are freed with the box.
    AboutFormInst = nullptr;
}

void TAboutForm::FormCreate() {
    setWindowTitle(QString());
    // QLabel breaks lines at LF; the stored texts keep their CR LF.
    Label1->setText(AboutLabel1Text().replace("\r\n", "\n"));
    Label2->setText(AboutLabel2Text().replace("\r\n", "\n"));
    Label3->setText(AboutLabel3Text());
    for (QLabel* label : {Label1, Label2, Label3}) label->adjustSize();
    SetTextColour(Label2, design::about::Label2Colour);
    SetTextColour(Label3, design::about::Label3Colour);
    Label2->move(Label2->x(), 2 * Label1->y() + Label1->height());
    Label3->move(Label3->x(), 2 * Label1->y() + Label2->y() + Label2->height());
    resize(6 * Label1->y(), 6 * Label1->y());
    ScaleBy(AboutDpi, DesignDpi);
    const int widest = std::max({Label1->width(), Label2->width(), Label3->width()});
    setFixedSize(width() + widest,
                 height() + Label1->height() + Label2->height() + Label3->height());
    const int size = AboutIconSize(AboutDpi);
    AppIcon = LoadIconResource(QString::fromLatin1(design::about::AppIconName), size);
    MakerIcon = LoadIconResource(QString::fromLatin1(design::about::MakerIconName), size);
}

void TAboutForm::ScaleBy(int m, int d) {
    ScaleOwnFont(this, m, d);
    ScaleChildren(this, m, d);
    for (QLabel* label : {Label1, Label2, Label3}) label->adjustSize(); // labels fit their text
    resize(ScaleValue(width(), m, d), ScaleValue(height(), m, d));
}

int TAboutForm::IconLeft() const {
    return AboutIconLeft(AboutDpi);
}

void TAboutForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(IconLeft(), Label1->y(), AppIcon);
    painter.drawPixmap(IconLeft(), Label2->y(), MakerIcon);
}

void TAboutForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // Let the window system drag the box; where it cannot, follow the pointer ourselves.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
    Dragging = true;
    DragOffset = event->globalPosition().toPoint() - pos();
}

void TAboutForm::mouseMoveEvent(QMouseEvent* event) {
    if (Dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - DragOffset);
}

void TAboutForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Dragging = false;
}

void TAboutForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            WasActive = true;
        else if (WasActive)
            close();
    }
    QWidget::changeEvent(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label2) {
        if (event->type() == QEvent::MouseButtonPress) return true; // a click, not a drag
        // Only a release is a mouse event here: other events are not cast to one.
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                Label2->rect().contains(mouse->position().toPoint())) {
                Label2Click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TAboutForm::Label2Click() {
    const QString readme = ReadmePath();
    if (readme.isEmpty()) return;
    const QUrl url = QUrl::fromLocalFile(readme);
    if (OpenDocument)
        OpenDocument(url);
    else
        QDesktopServices::openUrl(url);
}

} // namespace verrask::app
