// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ResultsWindowView.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <initializer_list>

#include "app/MainWindow.h"
#include "ui/Binder.h"
#include "ui/MainWindowView.h"
#include "ui/Mnemonics.h"
#include "ui/ResultsCharts.h"
#include "ui/ResultsTableModel.h"
#include "ui/WindowKeys.h"
#include "ui/WindowPlaces.h"

namespace vesk::ui {

namespace {

const char* const kCaption = "Table and chart";
const QString kWindowName = QStringLiteral("resultsWindow");
const QString kLauncherName = QStringLiteral("resultsLauncher");

// The main window shows a listing whose ranking still holds: its figures are up and no count is under way.
bool ListingShown(const MainWindow& main) {
    return main.ResultsShown && main.ListingSerial != 0 && main.Table.Generation() == main.RankedGeneration &&
           main.lblNumberOfWords.Visible();
}

// Ctrl+C copies whole rows, as text with a line of titles, instead of the current cell.
class ResultsTable : public QTableView {
  public:
    std::function<void()> copy;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            copy();
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }
};

// The button's handler and the window's owner: keeps both on the main window's listing. The main window's
// model says nothing of a new listing, so its signals around a count and a listing call for a look once the
// events of the moment are handled.
class ResultsLauncher : public QObject {
  public:
    ResultsLauncher(MainWindowView& view, Binder& binder, QPushButton* button)
        : QObject(&view), m_view(view), m_binder(binder), m_button(button) {
        setObjectName(kLauncherName);
        connect(button, &QPushButton::clicked, this, [this] { m_binder.Dispatch([this] { Open(); }); });
        MainWindow& main = view.model;
        main.cmdListWords.changed.Connect([this] { LookLater(); });
        main.lblNumberOfWords.changed.Connect([this] { LookLater(); });
        main.txbOutput.textChanged.Connect([this](const TextChange&) { LookLater(); });
        Look();
    }

    void Open() {
        if (m_window == nullptr) {
            m_window = new ResultsWindowView(m_view.model, m_binder, &m_view);
            if (placeOnOpening) placeOnOpening(*m_window);
        }
        m_window->Follow(ListingShown(m_view.model));
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }

    std::function<void(QWidget&)> placeOnOpening;

  private:
    void LookLater() {
        if (std::exchange(m_lookPending, true)) return;
        QTimer::singleShot(0, this, [this] {
            m_lookPending = false;
            Look();
        });
    }
    void Look() {
        const bool shown = ListingShown(m_view.model);
        m_button->setEnabled(shown);
        if (m_window != nullptr && m_window->isVisible()) m_window->Follow(shown);
    }

    MainWindowView& m_view;
    Binder& m_binder;
    QPushButton* m_button;
    QPointer<ResultsWindowView> m_window;
    bool m_lookPending = false;
};

QHBoxLayout* RowOf(std::initializer_list<QWidget*> widgets, QWidget* stretched = nullptr) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) {
        if (widget == nullptr)
            row->addStretch(1);
        else
            row->addWidget(widget, widget == stretched ? 1 : 0);
    }
    return row;
}

QLabel* CaptionFor(const char* text, QWidget* widget) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setBuddy(widget);
    return label;
}

QChartView* ChartView(const char* name) {
    auto* view = new QChartView;
    view->setAccessibleName(QString::fromUtf8(name));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void ShowChart(QChartView& view, QChart* chart) {
    QChart* old = view.chart();
    view.setChart(chart);
    delete old;
}

}  // namespace

ResultsWindowView::ResultsWindowView(MainWindow& main, Binder& binder, QWidget* owner)
    : QWidget(owner, Qt::Window), m_main(main) {
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("VESK: Table and chart"));

    tabs = new QTabWidget;
    tabs->addTab(MakeTablePage(), QStringLiteral("Table"));
    tabs->addTab(MakeChartPage(binder), QStringLiteral("Chart"));
    connect(tabs, &QTabWidget::currentChanged, this, [this] { DrawCharts(); });

    cmdExport = new QPushButton(QStringLiteral("Export..."));
    cmdExport->setAccessibleName(cmdExport->text());
    cmdClose = new QPushButton(QStringLiteral("Close"));
    cmdClose->setAccessibleName(cmdClose->text());
    connect(cmdExport, &QPushButton::clicked, this, [this, &binder] { binder.Dispatch([this] { Export(); }); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(tabs, 1);
    column->addLayout(RowOf({cmdExport, nullptr, cmdClose}));

    AssignMnemonics(*this);
    AddWindowKeys(
        *this, binder, [&main] { main.cmdHelp_Click(); }, [this] { close(); });
    resize(760, 640);
    FitOnScreen(*this);
    ShowCaption();
}

QWidget* ResultsWindowView::MakeTablePage() {
    search = new QLineEdit;
    search->setAccessibleName(QStringLiteral("Search"));
    search->setPlaceholderText(QStringLiteral("Part of a word"));
    search->setClearButtonEnabled(true);
    caption = new QLabel;
    model = new ResultsTableModel(this);
    auto* view = new ResultsTable;
    view->copy = [this] { CopySelection(); };
    table = view;
    table->setAccessibleName(QStringLiteral("Words"));
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    // Rows of one height, so a million of them need no measuring.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    QHeaderView* header = table->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    for (int column = 0; column < kResultsColumnCount; ++column) {
        const QString title = model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        header->resizeSection(column, std::max(header->fontMetrics().horizontalAdvance(title),
                                               table->fontMetrics().horizontalAdvance(QStringLiteral("99999999"))) +
                                          32);
    }
    header->setSectionResizeMode(static_cast<int>(ResultsColumn::Word), QHeaderView::Stretch);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        model->SortBy(column);
        ShowCaption();
    });
    connect(search, &QLineEdit::textChanged, this, [this](const QString& text) {
        model->SetSearch(text);
        ShowCaption();
    });
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addLayout(RowOf({CaptionFor("Search:", search), search, caption}, search));
    column->addWidget(table, 1);
    return page;
}

QWidget* ResultsWindowView::MakeChartPage(Binder& binder) {
    chartKind = new QComboBox;
    chartKind->setAccessibleName(QStringLiteral("Chart"));
    chartKind->addItems({QStringLiteral("Most frequent words"), QStringLiteral("Zipf plot")});
    topCount = new QSpinBox;
    topCount->setAccessibleName(QStringLiteral("Words in the chart"));
    topCount->setRange(10, 100);
    topCount->setValue(25);
    cmdSaveChart = new QPushButton(QStringLiteral("Save chart..."));
    cmdSaveChart->setAccessibleName(cmdSaveChart->text());
    charts = new QStackedWidget;
    topChart = ChartView("Most frequent words");
    zipfChart = ChartView("Zipf plot");
    charts->addWidget(topChart);
    charts->addWidget(zipfChart);
    connect(chartKind, &QComboBox::currentIndexChanged, this, [this](int index) {
        charts->setCurrentIndex(index);
        topCount->setEnabled(index == 0);
    });
    connect(topCount, &QSpinBox::valueChanged, this, [this] {
        m_chartsStale = true;
        DrawCharts();
    });
    connect(cmdSaveChart, &QPushButton::clicked, this, [this, &binder] { binder.Dispatch([this] { SaveChart(); }); });
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addLayout(RowOf(
        {CaptionFor("Chart:", chartKind), chartKind, CaptionFor("Words:", topCount), topCount, nullptr, cmdSaveChart}));
    column->addWidget(charts, 1);
    return page;
}

void ResultsWindowView::Follow(bool shown) {
    if (!model->Follow(m_main, shown)) return;
    m_chartsStale = true;
    ShowCaption();
    DrawCharts();
}

void ResultsWindowView::ShowCaption() {
    caption->setText(QString::fromStdString(model->Results().Caption()));
    table->horizontalHeader()->setSortIndicator(
        static_cast<int>(model->Results().SortColumn()),
        model->Results().SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void ResultsWindowView::DrawCharts() {
    if (!m_chartsStale || tabs->currentIndex() != 1) return;
    m_chartsStale = false;
    ShowChart(*topChart, MakeTopWordsChart(model->Results(), topCount->value()));
    ShowChart(*zipfChart, MakeZipfChart(model->Results()));
}

void ResultsWindowView::CopySelection() {
    const std::string rows = model->CopySelection(table->selectionModel()->selection());
    if (!rows.empty()) m_main.platform.WriteClipboardText(rows);
}

std::string ResultsWindowView::AskForFile(const char* title, const char* filter, const char* fileName) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.flags = FileDialogFlags::kHideReadOnly | FileDialogFlags::kPathMustExist;
    request.save = true;
    request.fileName = fileName;
    Platform& platform = m_main.platform;
    const std::optional<std::string> path = platform.ShowFileDialog(request, m_main.DialogFolder({}));
    if (!path) return {};
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::path(*path), error) &&
        platform.ShowMessage("File exists.  OK to overwrite?", "File exists", MsgButtons::YesNo, MsgIcon::None) ==
            MsgAnswer::No)
        return {};
    return *path;
}

void ResultsWindowView::Export() {
    const std::string path = AskForFile("Export the listed words",
                                        "CSV, comma-separated|*.csv|TSV, tab-separated|*.tsv|JSON|*.json", "words.csv");
    if (path.empty()) return;
    const std::optional<ExportFormat> format = ExportFormatOfPath(path);
    std::string failure = "Give the file a name ending in .csv, .tsv or .json.";
    if (format) failure = SaveListingExport(m_main, path, *format);
    if (!failure.empty())
        m_main.platform.ShowMessage("The words were not exported.\r\n" + failure, "Export", MsgButtons::Ok,
                                    MsgIcon::Exclamation);
}

void ResultsWindowView::SaveChart() {
    const bool zipf = charts->currentIndex() == 1;
    const std::string path = AskForFile("Save the chart", "PNG image|*.png|SVG drawing|*.svg",
                                        zipf ? "zipf-plot.png" : "most-frequent-words.png");
    if (path.empty()) return;
    const std::string failure = SaveWidgetImage(*charts->currentWidget(), path);
    if (!failure.empty())
        m_main.platform.ShowMessage("The chart was not saved.\r\n" + failure, "Save chart", MsgButtons::Ok,
                                    MsgIcon::Exclamation);
}

QPushButton* AddResultsButton(MainWindowView& view, Binder& binder) {
    auto* button = new QPushButton(QString::fromUtf8(kCaption));
    button->setAccessibleName(button->text());
    // Beside the output box's own buttons, and after them for the keyboard.
    QWidget* before = view.cmdCopyOutput;
    QBoxLayout* row = nullptr;
    for (QBoxLayout* layout : before->parentWidget()->findChildren<QBoxLayout*>())
        if (layout->indexOf(before) >= 0) row = layout;
    row->insertWidget(row->indexOf(before) + 1, button);
    QWidget::setTabOrder(before, button);
    new ResultsLauncher(view, binder, button);
    return button;
}

ResultsWindowView* ResultsWindowOf(const MainWindowView& view) {
    // By name: the class declares no meta-object of its own for a cast to find it by.
    return static_cast<ResultsWindowView*>(view.findChild<QWidget*>(kWindowName, Qt::FindDirectChildrenOnly));
}

void PlaceResultsWindowOnOpening(MainWindowView& view, std::function<void(QWidget&)> place) {
    // By name, as the window itself.
    if (auto* launcher = static_cast<ResultsLauncher*>(view.findChild<QObject*>(kLauncherName)))
        launcher->placeOnOpening = std::move(place);
}

}  // namespace vesk::ui
