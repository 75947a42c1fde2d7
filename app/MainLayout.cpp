// The main window's design at 96 dpi: every control with its position, size, texts and fonts,
// the menu, the tab order. Positions are client pixels (below the menu bar).
#include "app/MainUnit.h"

namespace verrask::app {
namespace {

constexpr auto RightAligned = Qt::AlignRight | Qt::AlignTop;
constexpr auto RightCentred = Qt::AlignRight | Qt::AlignVCenter;

QLabel* MakeLabel(QWidget* parent, const char* text, QRect geometry, Qt::Alignment alignment) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* text, QRect geometry) {
    auto* edit = new QLineEdit(QString::fromUtf8(text), parent);
    edit->setGeometry(geometry);
    return edit;
}

QFrame* MakeBevel(QWidget* parent, QRect geometry) {
    auto* bevel = new QFrame(parent);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(geometry);
    bevel->lower();
    return bevel;
}

QSlider* MakeTrackBar(QWidget* parent, QRect geometry, QStyle* style) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setStyle(style);
    bar->setGeometry(geometry);
    bar->setRange(1, 40);
    bar->setValue(1);
    bar->setTickPosition(QSlider::NoTicks);
    bar->setEnabled(false);
    SetThumbLength(bar, 18);
    return bar;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* text, QRect geometry) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setGeometry(geometry);
    return box;
}

} // namespace

void TForm1::CreateComponents() {
    const QString family = WindowFontFamily();
    setFont(PixelFont(family, 13));
    setWindowTitle("Verrask");
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(240, 240, 240)); // button face
    setPalette(face);
    setAutoFillBackground(true);

    MainMenu1 = new QMenuBar(this);
    File1 = MainMenu1->addMenu("&File");
    Exit1 = File1->addAction("&Exit");
    Help1 = MainMenu1->addMenu("&Help");
    About1 = Help1->addAction("&Info");

    ClientArea = new QWidget(this);
    QWidget* c = ClientArea;

    TrackBar1 = MakeTrackBar(c, {424, 18, 154, 23}, ThumbStyle());
    TrackBar2 = MakeTrackBar(c, {424, 49, 154, 23}, ThumbStyle());
    Label1 = MakeLabel(c, "Flow Net :", {355, 14, 70, 25}, RightCentred);
    Label2 = MakeLabel(c, "Tune :", {362, 45, 63, 25}, RightCentred);
    Edit1 = MakeEdit(c, "2", {168, 119, 63, 24});
    Edit2 = MakeEdit(c, "1", {168, 79, 63, 24});
    Label3 = MakeLabel(c, "Stratum Depth :", {68, 122, 92, 16}, RightCentred);
    Label4 = MakeLabel(c, "Sheet pile wall Depth :", {30, 82, 130, 16}, RightCentred);
    Button1 = new QPushButton("RUN", c);
    Button1->setGeometry(256, 8, 81, 73);
    Button1->setFont(PixelFont(family, 17));
    Bevel1 = MakeBevel(c, {352, 8, 232, 73});
    Bevel2 = MakeBevel(c, {15, 8, 226, 281});
    Label5 = MakeLabel(c, "Groundwater Flow Net Model", {375, 208, 203, 81},
                       Qt::AlignLeft | Qt::AlignVCenter);
    Label5->setFont(PixelFont(family, 15));
    Label5->setTextFormat(Qt::PlainText);
    Label6 = MakeLabel(c, "Up stream Head :", {59, 222, 101, 16}, RightAligned);
    Label7 = MakeLabel(c, "Down stream Head :", {42, 254, 118, 16}, RightAligned);
    Edit3 = MakeEdit(c, "1", {168, 219, 63, 24});
    Edit4 = MakeEdit(c, "0", {168, 251, 63, 24});
    Label8 = MakeLabel(c, "Y'/Yw :", {119, 154, 41, 16}, RightAligned);
    Edit5 = MakeEdit(c, "1", {168, 151, 63, 24});
    Edit5->setToolTip("Soil saturated / water specific weight");
    Bevel3 = MakeBevel(c, {352, 87, 232, 115});
    Image1 = new TImage(c);
    Image1->move(-308, 302);
    Image1->resize(1204, 200);
    StatusBar1 = new TStatusStrip(c);
    StatusBar1->setGeometry(0, 550 - 32, 600, 32);
    Edit6 = MakeEdit(c, "0", {168, 15, 63, 24});
    Edit7 = MakeEdit(c, "0", {168, 47, 63, 24});
    Label9 = MakeLabel(c, "Left Blanket Length :", {43, 18, 117, 16}, RightAligned);
    Label10 = MakeLabel(c, "Right Blanket Length :", {35, 50, 125, 16}, RightAligned);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    CheckBox1 = MakeCheckBox(c, "Critical Zone", {375, 108, 203, 18});
    CheckBox2 = MakeCheckBox(c, "Possibly Heave Zone", {375, 140, 203, 18});
    CheckBox3 = MakeCheckBox(c, "Imminent Heave Zone", {375, 172, 209, 18});
    Bevel4 = MakeBevel(c, {352, 208, 232, 81});
    Edit8 = MakeEdit(c, "1E-5", {168, 183, 63, 24});
    Label11 = MakeLabel(c, "K :", {144, 186, 16, 16}, RightAligned);

    for (QLabel* label :
         {Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11})
        label->setFocusPolicy(Qt::NoFocus);
    QWidget* tabs[] = {Edit6, Edit7,   Edit2,     Edit1,     Edit5,     Edit8,     Edit3,
                       Edit4, Button1, TrackBar1, TrackBar2, CheckBox1, CheckBox2, CheckBox3};
    for (std::size_t i = 1; i < std::size(tabs); ++i) setTabOrder(tabs[i - 1], tabs[i]);
    SetClientSize(600, 550);
}

} // namespace verrask::app
