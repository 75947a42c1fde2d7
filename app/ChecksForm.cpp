// The design-checks window's behaviour (see ChecksForm.h).
#include "app/ChecksForm.h"

#include "control/WindowDesign.h"
#include "report/EmbedmentText.h"
#include "report/FigureFormat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include <cmath>

namespace verrask::app {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

const char* const NothingYet = "Nothing to check yet: press RUN in the main window first.";

// Three pairs of label and box side by side fit the window's width with the longest labels.
constexpr std::size_t SettingColumns = 3;
constexpr int FieldWidth = 80; // a setting's value with its digits, e.g. "1.35" or "1000"

} // namespace

TChecksForm::TChecksForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("ChecksForm");
    setWindowTitle(Q(std::string(design::ChecksCaption)));
    resize(design::ChecksClientWidth, design::ChecksClientHeight);
    auto* layout = new QVBoxLayout(this);

    Notice = new QLabel(NothingYet, this);
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
        Fields[i] = new QLineEdit(Q(report::SettingText(CurrentSettings, d.Field)), this);
        Fields[i]->setFixedWidth(FieldWidth);
        QString label = QString::fromUtf8(d.Label);
        if (*d.Unit) label += " (" + QString::fromUtf8(d.Unit) + ")";
        add(i, new QLabel(label + ":", this), Fields[i]);
        connect(Fields[i], &QLineEdit::editingFinished, this, [this, i] { FieldEdited(i); });
    }
    Criterion = new QComboBox(this);
    for (const report::TCriterionChoice& c : report::CriterionChoices)
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
    connect(Criterion, &QComboBox::currentIndexChanged, this, [this] {
        Found.reset(); // an earlier search answered another criterion
        Recompute();
    });
    settings->setColumnStretch(2 * SettingColumns, 1);
    layout->addLayout(settings);
    SettingsMessage = new QLabel(this);
    SettingsMessage->setStyleSheet("color:#b00020");
    layout->addWidget(SettingsMessage);

    Lines = new QTableWidget(0, 5, this);
    Lines->setHorizontalHeaderLabels({"Check", "Figures", "Value", "Required", "Result"});
    Lines->verticalHeader()->hide();
    // Rows of one text line each, so that the table shows most rows without scrolling.
    Lines->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    Lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Lines->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(Lines, 3);

    auto* charts = new QHBoxLayout;
    WallChart = new TChartView(this, "Water pressure on the wall: after a run");
    ExitChart = new TChartView(this, "Exit gradient: after a run");
    EmbedmentChart = new TChartView(this, "Required embedment: after a search");
    for (TChartView* v : {WallChart, ExitChart, EmbedmentChart}) charts->addWidget(v);
    layout->addLayout(charts, 4);

    auto* search = new QHBoxLayout;
    FindButton = new QPushButton("&Find embedment", this);
    CancelButton = new QPushButton("Cancel", this);
    Progress = new QProgressBar(this);
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Progress->setTextVisible(false);
    SearchStatus = new QLabel(this);
    for (QWidget* w : std::initializer_list<QWidget*>{FindButton, Progress, CancelButton})
        search->addWidget(w);
    search->addWidget(SearchStatus, 1);
    layout->addLayout(search);
    connect(FindButton, &QPushButton::clicked, this, &TChecksForm::StartSearch);
    connect(CancelButton, &QPushButton::clicked, this,
            [this] { CancelSearch("Search cancelled."); });
    Recompute();
}

TChecksForm::~TChecksForm() {
    Cancel = true;
    JoinWorker();
    // The base class closes the window after this object's members are gone; a box losing the
    // focus then must not reach them.
    for (QLineEdit* f : Fields) f->disconnect(this);
    Criterion->disconnect(this);
}

void TChecksForm::JoinWorker() {
    if (Worker.joinable()) Worker.join();
}

void TChecksForm::UpdateButtons() {
    FindButton->setEnabled(HasRun() && !Running && !Searching());
    CancelButton->setEnabled(Searching());
    for (QLineEdit* f : Fields) f->setEnabled(!Searching());
    Criterion->setEnabled(!Searching());
}

void TChecksForm::RunStarted() {
    Running = true;
    if (Searching()) CancelSearch("Search cancelled: RUN was pressed in the main window.");
    UpdateButtons();
}

void TChecksForm::RunCompleted(const sheetpile::TModel& model, const TInputTexts& inputs) {
    Running = false;
    Snapshot = std::make_shared<const sheetpile::TModel>(model);
    Inputs = inputs;
    Found.reset();
    Recompute();
}

void TChecksForm::LoadSettings(const checks::TCheckSettings& settings) {
    if (Searching()) CancelSearch("Search cancelled: other settings were opened.");
    CurrentSettings = settings;
    for (std::size_t i = 0; i < Fields.size(); ++i)
        Fields[i]->setText(Q(report::SettingText(CurrentSettings, report::SettingFields[i].Field)));
    SettingsMessage->clear();
    Found.reset();
    Recompute();
}

void TChecksForm::FieldEdited(std::size_t index) {
    const report::TSettingFieldDesign& d = report::SettingFields[index];
    const std::string typed = Fields[index]->text().toStdString();
    const long double before = CurrentSettings.*d.Member;
    const std::string error = report::ApplySetting(typed, d.Field, CurrentSettings);
    // What the box shows is always the value in force.
    Fields[index]->setText(Q(report::SettingText(CurrentSettings, d.Field)));
    if (!error.empty()) {
        SettingsMessage->setText("\"" + Q(typed) + "\" refused: " + Q(error) + ".");
        return;
    }
    SettingsMessage->clear();
    // Leaving a box unchanged (or as the same number) keeps the figures and any search result.
    const long double after = CurrentSettings.*d.Member;
    if (after == before || (std::isnan(after) && std::isnan(before))) return; // NaN: from H2
    Found.reset(); // an earlier search ran under other settings
    Recompute();
}

void TChecksForm::Recompute() {
    Lines->setRowCount(0);
    EmbedmentChart->SetChart(Found ? std::optional(report::EmbedmentChart(*Found)) : std::nullopt);
    if (!Snapshot) {
        Notice->setText(NothingYet);
        WallChart->SetChart(std::nullopt);
        ExitChart->SetChart(std::nullopt);
        UpdateButtons();
        return;
    }
    const checks::TCheckSettings s = report::SettingsForRun(CurrentSettings, Inputs);
    Figures = checks::RunDesignChecks(*Snapshot, s);
    Notice->setText("Figures of the last completed run: wall " + Q(Inputs.Edit2) + ", stratum " +
                    Q(Inputs.Edit1) + ", heads " + Q(Inputs.Edit3) + " and " + Q(Inputs.Edit4) +
                    " (SI units).");
    for (const report::TCheckLine& line : report::CheckLines(Figures, s)) {
        const int row = Lines->rowCount();
        Lines->insertRow(row);
        const QString value = Q(line.Value) + (line.Unit.empty() ? "" : " " + Q(line.Unit));
        const QString cells[] = {Q(line.Label), Q(line.Detail), value, Q(line.Required),
                                 report::VerdictText(line.Verdict)};
        for (int col = 0; col < 5; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            if (col == 4 && line.Verdict != report::TVerdict::None)
                item->setForeground(line.Verdict == report::TVerdict::Passes
                                        ? QColor(0x0A, 0x6B, 0x1F)
                                        : QColor(0xB0, 0x00, 0x20));
            Lines->setItem(row, col, item);
        }
    }
    for (int col : {0, 2, 3, 4}) Lines->resizeColumnToContents(col);
    WallChart->SetChart(report::WallPressureChart(*Snapshot, Figures, s));
    ExitChart->SetChart(report::ExitGradientChart(*Snapshot, Figures));
    UpdateButtons();
}

void TChecksForm::StartSearch() {
    if (!HasRun() || Running || Searching()) return;
    const checks::TCriterion criterion =
        report::CriterionChoices.at(static_cast<std::size_t>(Criterion->currentIndex())).Criterion;
    Cancel = false;
    CancelReason.clear();
    Trials = 0;
    Found.reset();
    EmbedmentChart->SetChart(std::nullopt);
    Progress->setRange(0, 0); // busy: the number of trials is not known ahead
    SearchStatus->setText("Searching\xE2\x80\xA6");
    // The search takes the run's H2 for the tailwater, as the rows do.
    const checks::TCheckSettings settings = report::SettingsForRun(CurrentSettings, Inputs);
    Worker = std::thread([this, model = Snapshot, criterion, s = settings] {
        checks::TSearchControl control;
        control.Cancel = &Cancel;
        control.Progress = [this](const checks::TEmbedmentTrial& t) {
            QMetaObject::invokeMethod(
                this,
                [this, t] {
                    ++Trials;
                    SearchStatus->setText(
                        QString("Trial %1: %2").arg(Trials).arg(Q(report::TrialSummary(t))));
                },
                Qt::QueuedConnection);
        };
        checks::TEmbedment result = checks::SearchEmbedment(*model, criterion, s, control);
        QMetaObject::invokeMethod(
            this, [this, result] { SearchFinished(result); }, Qt::QueuedConnection);
    });
    UpdateButtons();
}

void TChecksForm::CancelSearch(const QString& why) {
    if (!Searching()) return;
    CancelReason = why;
    Cancel = true;
    SearchStatus->setText(why);
}

void TChecksForm::SearchFinished(const checks::TEmbedment& result) {
    JoinWorker();
    Progress->setRange(0, 1);
    Progress->setValue(result.Cancelled ? 0 : 1);
    if (result.Cancelled) {
        SearchStatus->setText(CancelReason.isEmpty() ? "Search cancelled." : CancelReason);
    } else {
        Found = result;
        SearchStatus->setText(Q(report::EmbedmentSummary(result)));
        EmbedmentChart->SetChart(report::EmbedmentChart(result));
    }
    UpdateButtons();
}

} // namespace verrask::app
