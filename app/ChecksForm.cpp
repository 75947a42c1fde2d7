// The design-checks window's widgets (see ChecksForm.h).
#include "app/ChecksForm.h"

#include "control/SettingFields.h"
#include "control/WindowDesign.h"
#include "control/WindowPlacement.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace verrask::app {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

TScreenRect ScreenRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// Three pairs of label and box side by side fit the window's width with the longest labels.
constexpr std::size_t SettingColumns = 3;
constexpr int FieldWidth = 80; // a setting's value with its digits, e.g. "1.35" or "1000"
constexpr int SwatchSize = 12; // a legend's colour square, as tall as a small letter

} // namespace

// The presenter's view on the window's widgets.
class TChecksWidgets final : public TChecksView {
  public:
    explicit TChecksWidgets(TChecksForm& form) : F(form) {}

    void ShowNotice(const std::string& text) override { F.Notice->setText(Q(text)); }
    void ShowField(std::size_t i, const std::string& text) override {
        F.Fields.at(i)->setText(Q(text));
    }
    void ShowCriterion(std::size_t index) override {
        const QSignalBlocker quiet(F.Criterion);
        F.Criterion->setCurrentIndex(static_cast<int>(index));
    }
    void ShowSettingsMessage(const std::string& text) override {
        F.SettingsMessage->setText(Q(text));
    }
    void ShowLines(const std::vector<report::TCheckLine>& lines) override;
    void ShowRunCharts(const std::optional<report::TChart>& wall,
                       const std::optional<report::TChart>& exit) override {
        F.WallChart->SetChart(wall);
        F.ExitChart->SetChart(exit);
    }
    void ShowEmbedmentChart(const std::optional<report::TChart>& chart) override {
        F.EmbedmentChart->SetChart(chart);
    }
    void ShowZones(const std::array<report::TZoneNote, 3>& zones) override {
        for (std::size_t i = 0; i < zones.size(); ++i) {
            const sheetpile::TColor c = zones[i].Colour;
            const QColor colour(sheetpile::RedOf(c), sheetpile::GreenOf(c), sheetpile::BlueOf(c));
            F.Swatches[i]->setStyleSheet(
                QString("background:%1;border:1px solid #808080").arg(colour.name()));
            F.Zones[i]->setText(Q(zones[i].Text));
        }
    }
    void ShowProgress(int position, int maximum) override {
        F.Progress->setRange(0, maximum);
        F.Progress->setValue(position);
    }
    void ShowSearchStatus(const std::string& text) override { F.SearchStatus->setText(Q(text)); }
    void EnableControls(bool find, bool cancel, bool settings) override {
        F.FindButton->setEnabled(find);
        F.CancelButton->setEnabled(cancel);
        for (QLineEdit* box : F.Fields) box->setEnabled(settings);
        F.Criterion->setEnabled(settings);
    }
    // Queued to the window's thread; Qt drops it if the window is gone by then.
    void Post(std::function<void()> task) override {
        QMetaObject::invokeMethod(&F, std::move(task), Qt::QueuedConnection);
    }

  private:
    TChecksForm& F;
};

void TChecksWidgets::ShowLines(const std::vector<report::TCheckLine>& lines) {
    QTableWidget* table = F.Lines;
    table->setRowCount(0);
    for (const report::TCheckLine& line : lines) {
        const int row = table->rowCount();
        table->insertRow(row);
        const QString value = Q(line.Value) + (line.Unit.empty() ? "" : " " + Q(line.Unit));
        const QString cells[] = {Q(line.Label), Q(line.Detail), value, Q(line.Required),
                                 report::VerdictText(line.Verdict)};
        for (int col = 0; col < 5; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setToolTip(cells[col]); // the whole text where the column cuts it
            if (col == 4 && line.Verdict != report::TVerdict::None)
                item->setForeground(line.Verdict == report::TVerdict::Passes
                                        ? QColor(0x0A, 0x6B, 0x1F)
                                        : QColor(0xB0, 0x00, 0x20));
            table->setItem(row, col, item);
        }
    }
    if (!lines.empty())
        for (int col : {0, 2, 3, 4}) table->resizeColumnToContents(col);
    // Every row shown: the header, the rows (room for one before a run) and the frame.
    const int rows = std::max<int>(table->rowCount(), 1);
    F.FitTable(table->horizontalHeader()->sizeHint().height() +
               rows * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth());
}

TChecksForm::TChecksForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("ChecksForm");
    setWindowTitle(Q(std::string(design::ChecksCaption)));
    resize(design::ChecksClientWidth, design::ChecksClientHeight);
    auto* layout = new QVBoxLayout(this);

    Notice = new QLabel(this);
    Notice->setWordWrap(true);
    layout->addWidget(Notice);

    // The settings in a grid of label and box pairs, row by row, the criterion last: every
    // entry of the table has its box, however many there are.
    auto* settings = new QGridLayout;
    settings->setHorizontalSpacing(8);
    const auto add = [settings](std::size_t at, QLabel* label, QWidget* box) {
        const int row = static_cast<int>(at / SettingColumns);
        const int col = 2 * static_cast<int>(at % SettingColumns);
        label->setBuddy(box);
        settings->addWidget(label, row, col, Qt::AlignRight | Qt::AlignVCenter);
        settings->addWidget(box, row, col + 1);
    };
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        const report::TSettingFieldDesign& d = report::SettingFields[i];
        Fields[i] = new QLineEdit(this);
        Fields[i]->setFixedWidth(FieldWidth);
        QString label = QString::fromUtf8(d.Label);
        if (*d.Unit) label += " (" + QString::fromUtf8(d.Unit) + ")";
        add(i, new QLabel(label + ":", this), Fields[i]);
        connect(Fields[i], &QLineEdit::editingFinished, this,
                [this, i] { Control->FieldEdited(i, Fields[i]->text().toStdString()); });
    }
    Criterion = new QComboBox(this);
    for (const TCriterionChoice& c : CriterionChoices)
        Criterion->addItem(QString::fromUtf8(c.Text));
    // The criterion's list is wider than a settings box: it spans to the grid's right edge.
    {
        const std::size_t at = Fields.size();
        const int row = static_cast<int>(at / SettingColumns);
        const int col = 2 * static_cast<int>(at % SettingColumns);
        auto* label = new QLabel("Embedment criterion:", this);
        label->setBuddy(Criterion);
        settings->addWidget(label, row, col, Qt::AlignRight | Qt::AlignVCenter);
        settings->addWidget(Criterion, row, col + 1, 1, 2 * SettingColumns - col - 1,
                            Qt::AlignLeft);
    }
    connect(Criterion, &QComboBox::currentIndexChanged, this, [this](int at) {
        if (at >= 0) Control->CriterionChanged(static_cast<std::size_t>(at));
    });
    settings->setColumnStretch(2 * SettingColumns, 1);
    layout->addLayout(settings);
    SettingsMessage = new QLabel(this);
    SettingsMessage->setStyleSheet("color:#b00020");
    layout->addWidget(SettingsMessage);

    Lines = new QTableWidget(0, 5, this);
    Lines->setHorizontalHeaderLabels({"Check", "Figures", "Value", "Required", "Result"});
    Lines->verticalHeader()->hide();
    // Rows of one text line each; the table is as tall as its rows (ShowLines).
    Lines->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    Lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // "Figures" takes the rest
    Lines->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    Lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Lines->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(Lines);

    // The legend of the main window's zone overlays.
    auto* legend = new QHBoxLayout;
    legend->addWidget(new QLabel("Zones on the flow net:", this));
    for (std::size_t i = 0; i < Zones.size(); ++i) {
        Swatches[i] = new QLabel(this);
        Swatches[i]->setFixedSize(SwatchSize, SwatchSize);
        Zones[i] = new QLabel(this);
        legend->addSpacing(8);
        legend->addWidget(Swatches[i]);
        legend->addWidget(Zones[i]);
    }
    legend->addStretch(1);
    layout->addLayout(legend);

    auto* charts = new QHBoxLayout;
    WallChart = new TChartView(this, "Water pressure on the wall: after a run");
    ExitChart = new TChartView(this, "Exit gradient: after a run");
    EmbedmentChart = new TChartView(this, "Required embedment: after a search");
    for (TChartView* v : {WallChart, ExitChart, EmbedmentChart}) charts->addWidget(v);
    layout->addLayout(charts, 1);

    auto* search = new QHBoxLayout;
    FindButton = new QPushButton("&Find embedment", this);
    CancelButton = new QPushButton("Cancel", this);
    Progress = new QProgressBar(this);
    Progress->setTextVisible(false);
    SearchStatus = new QLabel(this);
    for (QWidget* w : std::initializer_list<QWidget*>{FindButton, Progress, CancelButton})
        search->addWidget(w);
    search->addWidget(SearchStatus, 1);
    layout->addLayout(search);
    connect(FindButton, &QPushButton::clicked, this, [this] { Control->Find(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { Control->Cancel(); });

    Widgets = std::make_unique<TChecksWidgets>(*this);
    Control = std::make_unique<TChecksControl>(*Widgets);
    Control->Attach();
}

TChecksForm::~TChecksForm() {
    Control->Shutdown();
    // The base class closes the window after this object's members are gone; a box losing the
    // focus then must not reach them.
    for (QLineEdit* f : Fields) f->disconnect(this);
    Criterion->disconnect(this);
}

void TChecksForm::PlaceBesideOwner() {
    const QWidget* main = parentWidget()->window();
    std::vector<TScreenRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens.push_back(ScreenRect(s->availableGeometry()));
    // Before its first showing this window has no frame yet: the owner's stands for it.
    const QRect inner = main->geometry(), outer = main->frameGeometry();
    const QSize frame = isVisible() ? frameGeometry().size() - size() : outer.size() - inner.size();
    const QSize whole = size().expandedTo(minimumSizeHint()) + frame;
    const TScreenRect at = PlaceBeside(ScreenRect(outer), screens, whole.width(), whole.height());
    move(at.Left, at.Top); // a window's position is its frame's
}

void TChecksForm::FitTable(int wanted) {
    const QScreen* on = screen();
    if (on == nullptr) { // no screen at all: every row, nothing to fit
        Lines->setFixedHeight(wanted);
        return;
    }
    const QRect work = on->availableGeometry();
    const int frame = isVisible() ? frameGeometry().height() - height() : 0;
    Lines->setFixedHeight(wanted);
    layout()->activate();
    const int excess = minimumSizeHint().height() + frame - work.height();
    // Never less than the header and one row.
    const int least = Lines->horizontalHeader()->sizeHint().height() +
                      Lines->verticalHeader()->defaultSectionSize() + 2 * Lines->frameWidth();
    if (excess > 0) {
        Lines->setFixedHeight(std::max(least, wanted - excess));
        layout()->activate();
    }
    Lines->setVerticalScrollBarPolicy(Lines->height() < wanted ? Qt::ScrollBarAsNeeded
                                                               : Qt::ScrollBarAlwaysOff);
    if (height() + frame > work.height())
        resize(width(), std::max(minimumSizeHint().height(), work.height() - frame));
    if (!isVisible()) return;
    const QRect f = frameGeometry();
    const int top =
        std::clamp(f.top(), work.top(), std::max(work.top(), work.bottom() + 1 - f.height()));
    if (top != f.top()) move(f.left(), top);
}

void TChecksForm::setVisible(bool visible) {
    const bool opening = visible && !isVisible() && parentWidget() != nullptr;
    if (opening) PlaceBesideOwner(); // onto the owner's screen, which may scale this window
    QWidget::setVisible(visible);
    if (opening) PlaceBesideOwner(); // again with the size it has there
}

} // namespace verrask::app
