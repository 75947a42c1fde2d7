// The main window's widgets, built from the design tables at 96 dpi (control/WindowDesign.h):
// every control with its position, size, texts and fonts, the menu, the tab order. Positions
// are client pixels (below the menu bar).
#include "app/MainUnit.h"

#include "control/WindowDesign.h"

namespace verrask::app {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The control's name and its place in the design.
void Place(QWidget* widget, const design::TControlDesign& d) {
    widget->setObjectName(Text(d.Name));
    widget->setGeometry(d.Bounds.Left, d.Bounds.Top, d.Bounds.Width, d.Bounds.Height);
}

Qt::Alignment Alignment(design::TAlign align) {
    switch (align) {
    case design::TAlign::Left:
        return Qt::AlignLeft | Qt::AlignTop;
    case design::TAlign::LeftCentred:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case design::TAlign::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case design::TAlign::RightCentred:
        return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft;
}

QLabel* MakeLabel(QWidget* parent, const design::TControlDesign& d) {
    auto* label = new QLabel(Text(d.Text), parent);
    Place(label, d);
    label->setAlignment(Alignment(d.Align));
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const design::TControlDesign& d) {
    auto* edit = new QLineEdit(Text(d.Text), parent);
    Place(edit, d);
    return edit;
}

QFrame* MakeBevel(QWidget* parent, const design::TControlDesign& d) {
    auto* bevel = new QFrame(parent);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Place(bevel, d);
    bevel->lower();
    return bevel;
}

QSlider* MakeTrackBar(QWidget* parent, const design::TControlDesign& d, QStyle* style) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setStyle(style);
    Place(bar, d);
    bar->setRange(design::TrackBarMin, design::TrackBarMax);
    bar->setValue(design::TrackBarPosition);
    bar->setTickPosition(QSlider::NoTicks);
    bar->setEnabled(false);
    SetThumbLength(bar, design::ThumbLength);
    return bar;
}

QCheckBox* MakeCheckBox(QWidget* parent, const design::TControlDesign& d) {
    auto* box = new QCheckBox(Text(d.Text), parent);
    Place(box, d);
    return box;
}

} // namespace

void TForm1::CreateComponents() {
    const QString family = WindowFontFamily();
    setFont(PixelFont(family, design::FontHeight));
    setWindowTitle(Text(design::DesignCaption));
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0)); // design::ButtonFace
    setPalette(face);
    setAutoFillBackground(true);

    MainMenu1 = new QMenuBar(this);
    const std::pair<std::string_view, QMenu**> menus[] = {
        {"File1", &File1}, {"EditMenu1", &EditMenu1}, {"Checks1", &Checks1}, {"Help1", &Help1}};
    const std::pair<std::string_view, QAction**> commands[] = {{"OpenInputs1", &OpenInputs1},
                                                               {"SaveInputs1", &SaveInputs1},
                                                               {"SavePicture1", &SavePicture1},
                                                               {"ExportResults1", &ExportResults1},
                                                               {"ExportReport1", &ExportReport1},
                                                               {"Exit1", &Exit1},
                                                               {"Copy1", &Copy1},
                                                               {"DesignChecks1", &DesignChecks1},
                                                               {"About1", &About1}};
    for (const design::TMenuBarDesign& bar : design::MenuBar) {
        QMenu* menu = MainMenu1->addMenu(Text(bar.Text));
        menu->setObjectName(Text(bar.Name));
        for (const auto& [name, member] : menus)
            if (name == bar.Name) *member = menu;
        for (const design::TMenuCommandDesign& item : design::MenuCommands) {
            if (item.Menu != bar.Name) continue;
            if (item.Name.empty()) {
                menu->addSeparator();
                continue;
            }
            QAction* action =
                menu->addAction(QString::fromUtf8(item.Text.data(), qsizetype(item.Text.size())));
            action->setObjectName(Text(item.Name));
            for (const auto& [name, member] : commands)
                if (name == item.Name) *member = action;
        }
    }

    ClientArea = new QWidget(this);
    QWidget* c = ClientArea;

    TrackBar1 = MakeTrackBar(c, design::TrackBar1, ThumbStyle());
    TrackBar2 = MakeTrackBar(c, design::TrackBar2, ThumbStyle());
    Label1 = MakeLabel(c, design::Label1);
    Label2 = MakeLabel(c, design::Label2);
    Edit1 = MakeEdit(c, design::Edit1);
    Edit2 = MakeEdit(c, design::Edit2);
    Label3 = MakeLabel(c, design::Label3);
    Label4 = MakeLabel(c, design::Label4);
    Button1 = new QPushButton(Text(design::Button1.Text), c);
    Place(Button1, design::Button1);
    Button1->setFont(PixelFont(family, design::Button1.FontHeight));
    Bevel1 = MakeBevel(c, design::Bevel1);
    Bevel2 = MakeBevel(c, design::Bevel2);
    Label5 = MakeLabel(c, design::Label5);
    Label5->setFont(PixelFont(family, design::Label5.FontHeight));
    Label5->setTextFormat(Qt::PlainText);
    Label6 = MakeLabel(c, design::Label6);
    Label7 = MakeLabel(c, design::Label7);
    Edit3 = MakeEdit(c, design::Edit3);
    Edit4 = MakeEdit(c, design::Edit4);
    Label8 = MakeLabel(c, design::Label8);
    Edit5 = MakeEdit(c, design::Edit5);
    Edit5->setToolTip(Text(design::Edit5Hint));
    Bevel3 = MakeBevel(c, design::Bevel3);
    Image1 = new TImage(c);
    Place(Image1, design::Image1);
    StatusBar1 = new TStatusStrip(c);
    Place(StatusBar1, design::StatusBar1);
    Edit6 = MakeEdit(c, design::Edit6);
    Edit7 = MakeEdit(c, design::Edit7);
    Label9 = MakeLabel(c, design::Label9);
    Label10 = MakeLabel(c, design::Label10);
    Timer1 = new QTimer(this);
    Timer1->setInterval(design::TimerInterval);
    CheckBox1 = MakeCheckBox(c, design::CheckBox1);
    CheckBox2 = MakeCheckBox(c, design::CheckBox2);
    CheckBox3 = MakeCheckBox(c, design::CheckBox3);
    Bevel4 = MakeBevel(c, design::Bevel4);
    Edit8 = MakeEdit(c, design::Edit8);
    Label11 = MakeLabel(c, design::Label11);

    for (QLabel* label :
         {Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11})
        label->setFocusPolicy(Qt::NoFocus);
    // The tab order of the design, by name.
    QWidget* previous = nullptr;
    for (const design::TControlDesign* d : design::TabOrder) {
        auto* widget = c->findChild<QWidget*>(Text(d->Name), Qt::FindDirectChildrenOnly);
        if (previous != nullptr && widget != nullptr) setTabOrder(previous, widget);
        previous = widget;
    }
    SetClientSize(design::ClientWidth, design::ClientHeight);
}

} // namespace verrask::app
