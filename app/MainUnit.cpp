// The main window's behaviour: start-up sequence, the run control's shell, the workers, the
// layout for the screen's density, anchors and picture centring, closing.
#include "app/MainUnit.h"

#include "app/AboutU.h"
#include "app/ScrambledTexts.h"
#include "app/Workers.h"
#include "control/DisplayScaling.h"
#include "control/InputFields.h"
#include "control/WindowDesign.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLocale>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

namespace verrask::app {
namespace {

constexpr int MinimumDesignWidth = design::MinimumClientWidth;
constexpr int MinimumDesignHeight = design::MinimumClientHeight;

QString Hint() {
    return QString::fromUtf8(design::Edit5Hint.data(), qsizetype(design::Edit5Hint.size()));
}

int DpiOf(const QScreen* screen) {
    return qRound(screen->logicalDotsPerInch());
}

} // namespace

TForm1::TForm1(sheetpile::TModel& model, QScreen* screen)
    : QWidget(nullptr), Model(model),
      OpeningScreen(screen != nullptr ? screen : QGuiApplication::primaryScreen()) {
    setObjectName("Form1");
    setScreen(OpeningScreen);
    setMinimumSize(MinimumDesignWidth, MinimumDesignHeight);
    CreateComponents();

    Tuning1 = std::make_unique<TSliderTrackBar>(TrackBar1);
    Tuning2 = std::make_unique<TSliderTrackBar>(TrackBar2);
    Zone1 = std::make_unique<TWidgetCheckBox>(CheckBox1);
    Zone2 = std::make_unique<TWidgetCheckBox>(CheckBox2);
    Zone3 = std::make_unique<TWidgetCheckBox>(CheckBox3);
    RunControl = std::make_unique<TRunControl>(
        Model, *this, TTuningControls{*Tuning1, *Tuning2, *Zone1, *Zone2, *Zone3});

    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
    connect(OpenInputs1, &QAction::triggered, this, &TForm1::OpenInputs1Click);
    connect(SaveInputs1, &QAction::triggered, this, &TForm1::SaveInputs1Click);
    connect(SavePicture1, &QAction::triggered, this, &TForm1::SavePicture1Click);
    connect(ExportResults1, &QAction::triggered, this, &TForm1::ExportResults1Click);
    connect(ExportReport1, &QAction::triggered, this, &TForm1::ExportReport1Click);
    connect(Copy1, &QAction::triggered, this, &TForm1::Copy1Click);
    connect(DesignChecks1, &QAction::triggered, this, &TForm1::DesignChecks1Click);
    ChecksForm = new TChecksForm(this);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(TrackBar2, &QSlider::valueChanged, this, [this] { TrackBar2Change(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connect(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connect(CheckBox3, &QCheckBox::toggled, this, [this] { CheckBox3Click(); });
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Image1->OnMouseMove = [this](int X, int Y) { Image1MouseMove(X, Y); };
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8})
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            if (InputBox(MarkedBox) == edit) ClearMark();
        });

    FormCreate();
    UpdateCommands();
    // Opened at the centre of the screen.
    const QRect area = OpeningScreen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

TForm1::~TForm1() {
    FormDestroy();
}

void TForm1::FormCreate() {
    // Qt draws every widget off screen first: the window is double-buffered as it is.
    LayoutAtCreation();
    setWindowTitle(WindowCaption());
    RunControl->FormCreate(); // empty message, " Ready", tuning disabled, InitModel
    SetFontSize(Label5, font().pixelSize());
    QImage white(Image1->size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    Image1->SetPicture(white);
    Image1->move(CentredLeft(ClientArea->width(), Image1->width()), Image1->y());
}

void TForm1::FormDestroy() {
    // NetBitmap belongs to the model, which outlives the window. A run still in progress is
    // dropped; its workers are let through their completions (which now do nothing) before the
    // window goes, so none of them can reach a destroyed window.
    Dropped = true;
    while (Live > 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (RunControl->PendingWorkers > 0) Dropped = true; // the run in progress is dropped
    Timer1->stop();
    if (AboutFormInst != nullptr) AboutFormInst->close();
    ChecksForm->close();
    event->accept();
    emit Closed();
}

// --- The run: RUN, ticker, workers, completion -----------------------------------------------

TInputTexts TForm1::InputTexts() const {
    TInputTexts texts;
    for (const TInputFieldDesign& d : InputFields)
        texts.*d.Text = InputBox(d.Box)->text().toStdString();
    return texts;
}

void TForm1::Button1Click() {
    const TInputTexts texts = InputTexts();
    Session.RunStarted(texts);
    if (!RunControl->Button1Click(texts)) return; // refused: the last results stay
    Completed = false;                            // the workers now overwrite the results
    UpdateCommands();
    ChecksForm->RunStarted();
}

void TForm1::Timer1Timer() {
    RunControl->Timer1Timer();
}

void TForm1::StartWorkers() {
    const auto start = [this](TWorker* worker) {
        ++Live;
        connect(worker, &QThread::finished, this, [this] { --Live; });
        worker->start();
    };
    start(new TThread1(Model, this)); // StreamWorker
    start(new TThread2(Model, this)); // HeadWorker
}

void TForm1::WorkerDone() {
    if (Dropped) return; // the window has closed: nothing of it may change any more
    if (!RunControl->WorkerDone()) return;
    Completed = true;
    Session.RunCompleted();
    UpdateCommands();
    ChecksForm->RunCompleted(Model, Session.Inputs);
}

// --- After a run: track bars, check boxes, probe ---------------------------------------------

TRunControl& TForm1::RunEvents() {
    return *RunControl;
}

// --- The shell ---------------------------------------------------------------------------------

void TForm1::SetMessage(const std::string& text) {
    MessageText = text;
    Session.Message = text;
    Label5->setText(QString::fromStdString(text).replace("\r\n", "\n"));
}

void TForm1::SetPanel(int index, const std::string& text) {
    Session.Panels.at(static_cast<std::size_t>(index)) = text;
    StatusBar1->Panel(index)->setText(QString::fromStdString(text));
}

void TForm1::SetRunEnabled(bool enabled) {
    Button1->setEnabled(enabled);
}

void TForm1::ShowPicture() {
    Image1->SetPicture(ToImage(Model.ShownPicture));
    // Centred again: a picture narrower or wider than the last would keep the old left edge.
    FormCanResize(width(), height());
}

void TForm1::StartTimer() {
    Timer1->start();
}

void TForm1::StopTimer() {
    Timer1->stop();
}

void TForm1::Alert() {
    ++Alerts;
    QApplication::beep();
}

char TForm1::DecimalSeparator() const {
    // The number format takes one byte; a separator outside ASCII is shown as a point.
    const QString point = QLocale().decimalPoint();
    const char16_t c = point.isEmpty() ? u'.' : point.front().unicode();
    return c < 128 ? static_cast<char>(c) : '.';
}

// --- The refused box ---------------------------------------------------------------------------

QLineEdit* TForm1::InputBox(TInputBox box) const {
    QLineEdit* const boxes[] = {nullptr, Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8};
    return boxes[static_cast<std::size_t>(box)];
}

void TForm1::ShowRefusedBox(TInputBox box, const std::string& reason) {
    ClearMark();
    QLineEdit* edit = InputBox(box);
    if (edit == nullptr) return;
    MarkedBox = box;
    // A tinted background marks the box; its place, size and font stay as designed.
    QPalette palette = edit->palette();
    constexpr std::uint32_t c = design::RefusedBoxColour;
    palette.setColor(QPalette::Base,
                     QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)));
    edit->setPalette(palette);
    QString tip = QString::fromStdString(reason);
    if (box == TInputBox::Edit5) tip += "\n" + Hint();
    edit->setToolTip(tip);
    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), tip, edit);
}

void TForm1::ClearMark() {
    QLineEdit* edit = InputBox(MarkedBox);
    MarkedBox = TInputBox::None;
    if (edit == nullptr) return;
    edit->setPalette(QPalette());
    edit->setToolTip(edit == Edit5 ? Hint() : QString());
    if (QToolTip::isVisible()) QToolTip::hideText();
}

// --- Size, anchors and the picture's place ---------------------------------------------------

int TForm1::MenuHeight() const {
    return MainMenu1->sizeHint().height();
}

void TForm1::SetClientSize(int width, int height) {
    resize(width, height + MenuHeight());
    Relayout();
}

void TForm1::resizeEvent(QResizeEvent*) {
    Relayout();
}

void TForm1::Relayout() {
    const int menu = MenuHeight();
    MainMenu1->setGeometry(0, 0, width(), menu);
    ClientArea->setGeometry(0, menu, width(), height() - menu);
    const int clientWidth = ClientArea->width();
    if (const int dw = clientWidth - AnchorWidth; dw != 0) {
        // "top, right": keep the distance to the right edge; RUN also stretches.
        for (QWidget* w :
             std::initializer_list<QWidget*>{Bevel1, Label1, TrackBar1, Label2, TrackBar2, Bevel3,
                                             CheckBox1, CheckBox2, CheckBox3, Bevel4, Label5})
            w->move(w->x() + dw, w->y());
        Button1->resize(Button1->width() + dw, Button1->height());
        AnchorWidth = clientWidth;
    }
    StatusBar1->setGeometry(0, ClientArea->height() - StatusBar1->height(), clientWidth,
                            StatusBar1->height());
    FormCanResize(width(), height());
}

void TForm1::FormCanResize(int, int) {
    // Centres the picture on the client width now in force; the size is granted unchanged.
    Image1->move(CentredLeft(ClientArea->width(), Image1->width()), Image1->y());
}

// --- Display scaling -----------------------------------------------------------------------------

void TForm1::SetFontSize(QWidget* widget, int pixels) {
    QFont f = widget->font();
    f.setPixelSize(pixels);
    widget->setFont(f);
}

void TForm1::ScaleBy(int m, int d) {
    ScaleOwnFont(this, m, d);
    ScaleChildren(ClientArea, m, d, Image1); // the picture keeps its pixel size
    AnchorWidth = ScaleValue(AnchorWidth, m, d);
    setMinimumSize(ScaleValue(minimumWidth(), m, d), ScaleValue(minimumHeight(), m, d));
    SetClientSize(ScaleValue(ClientArea->width(), m, d), ScaleValue(ClientArea->height(), m, d));
}

void TForm1::ApplyScaledSizes(int dpi) {
    const int fontSize = font().pixelSize();
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3}) {
        SetFontSize(box, fontSize);
        box->resize(box->width(), ScaleDesign(dpi, CheckBoxDesignHeight));
    }
    SetThumbLength(TrackBar1, ScaleDesign(dpi, ThumbDesignLength));
    SetThumbLength(TrackBar2, ScaleDesign(dpi, ThumbDesignLength));
    SetFontSize(StatusBar1, fontSize);
    StatusBar1->resize(StatusBar1->width(), ScaleDesign(dpi, StatusBarDesignHeight));
    for (int i = 0; i < PanelCount; ++i)
        StatusBar1->SetPanelWidth(i, ScaleDesign(dpi, PanelDesignWidths.at(std::size_t(i))));
    FitLabels();
    Relayout(); // the status bar along the bottom edge at its new height
}

void TForm1::FitLabels() {
    // The labels beside the boxes size themselves to their text, keeping their right edge.
    for (QLabel* label : {Label9, Label10, Label4, Label3, Label8, Label11, Label6, Label7}) {
        const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
        if (needed > label->width())
            label->setGeometry(label->x() + label->width() - needed, label->y(), needed,
                               label->height());
    }
}

void TForm1::LayoutAtCreation() {
    CurrentDpi = DesignDpi;
    const int p = DpiOf(OpeningScreen);
    ScaleBy(DesignDpi, CurrentDpi);
    ScaleBy(p, DesignDpi);
    CurrentDpi = p;
    ApplyScaledSizes(p);
}

void TForm1::WMDpiChanged(int dpi) {
    const int w = width(), h = height();
    ScaleBy(DesignDpi, CurrentDpi);
    ScaleBy(dpi, DesignDpi);
    resize(ScaleValue(w, dpi, CurrentDpi), ScaleValue(h, dpi, CurrentDpi));
    Relayout();
    SetFontSize(Label5, font().pixelSize());
    ApplyScaledSizes(dpi);
    CurrentDpi = dpi;
}

void TForm1::showEvent(QShowEvent*) {
    if (WatchedScreen == nullptr) {
        connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
            WatchScreen(screen);
            if (DpiOf(screen) != CurrentDpi) WMDpiChanged(DpiOf(screen));
        });
    }
    if (windowHandle()->screen() != WatchedScreen) WatchScreen(windowHandle()->screen());
    if (DpiOf(WatchedScreen) != CurrentDpi) WMDpiChanged(DpiOf(WatchedScreen));
}

void TForm1::WatchScreen(QScreen* screen) {
    disconnect(DpiWatch);
    WatchedScreen = screen;
    DpiWatch = connect(screen, &QScreen::logicalDotsPerInchChanged, this,
                       [this](qreal dpi) { WMDpiChanged(qRound(dpi)); });
}

void TForm1::About1Click() {
    AboutDpi = CurrentDpi;
    if (AboutFormInst == nullptr) new TAboutForm(this);
    AboutFormInst->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    AboutFormInst->show(); // first, so that its frame is known
    const QRect main = frameGeometry();
    const QSize box = AboutFormInst->frameGeometry().size();
    AboutFormInst->move(main.x() + (main.width() - box.width()) / 2,
                        main.y() + (main.height() - box.height()) / 2);
    AboutFormInst->raise();
    AboutFormInst->activateWindow();
}

} // namespace verrask::app
