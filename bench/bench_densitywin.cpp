// How fast the density window answers: opening it (shown and painted) beside
// a plain dialog of its size and of the same controls, closing it, a keystroke
// in the density box, and a change of display unit that rewrites every line;
// on the shipped materials and on a table of the largest size the window reads.

#include "densities/densitytable.h"
#include "densitieswin/frmdensityselect.h"
#include "units/conversiontable.h"
#include "widgets/artwork.h"
#include "widgets/valuefont.h"
#include "widgets/windowcontext.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

namespace {

// Settings and a density table of the benchmark's own.
struct Table
{
    QTemporaryDir dir;
    WindowContext context{dir.filePath(QStringLiteral("settings.ini")),
                          DataFiles::DetectLayout(dir.path(), dir.filePath(QStringLiteral("user")))};
    QString path = DensityFilePath(context.dataFiles());
    Table() { context.units().load(QStringLiteral(TORVANE_CONVERTS_DAT)); }
};

std::unique_ptr<Table> shippedTable()
{
    auto table = std::make_unique<Table>();
    QFile::copy(QStringLiteral(TORVANE_DENSITY_DAT), table->path);
    return table;
}

// MaxDensityRecords materials with scattered names, written record by record
// so that the benchmark's own memory stays small.
std::unique_ptr<Table> tableAtTheLimit()
{
    auto table = std::make_unique<Table>();
    QFile file(table->path);
    file.open(QIODevice::WriteOnly);
    for (qsizetype i = 0; i < MaxDensityRecords; ++i)
        file.write(EncodeDensityRecord(
            {QString::number((i * 7919) % MaxDensityRecords), 1000.0f + float(i % 9000)}));
    return table;
}

// Shows the window and paints it once into an image, as the screen would.
void showAndPaint(QWidget &window)
{
    window.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.grab());
}

struct OpenWindow
{
    frmDensitySelect form;
    QLineEdit *density = form.findChild<QLineEdit *>(QStringLiteral("txtDensity"));
    QComboBox *displayUnits = form.findChild<QComboBox *>(QStringLiteral("cmbDisplayUnits"));
    QAbstractItemView *list = form.findChild<QAbstractItemView *>(QStringLiteral("lstMaterials"));

    explicit OpenWindow(WindowContext &context) : form(context)
    {
        showAndPaint(form);
        list->setCurrentIndex(list->model()->index(list->model()->rowCount() / 2, 0));
        density->setFocus();
        density->selectAll();
    }
    void type(Qt::Key key, const QString &text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(density, &press);
        QApplication::sendEvent(density, &release);
    }
};

void openPlainDialog(benchmark::State &state)
{
    QSize size;
    {
        const std::unique_ptr<Table> table = shippedTable();
        size = frmDensitySelect(table->context).size();
    }
    for (auto _ : state) {
        auto dialog = std::make_unique<QDialog>();
        dialog->resize(size);
        showAndPaint(*dialog);
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}

// The same controls in a plain Qt dialog, of the window's size: the menus
// the window shows, the strip of picture keys, the list in the value font
// filled with the shipped table's lines, the unit lists, boxes, buttons, the
// separator line, the notation key and digits box, and the note kept hidden.
// The floor for a window of this content.
void openPlainDialogWithTheSameControls(benchmark::State &state)
{
    const std::unique_ptr<Table> table = shippedTable();
    const QStringList lines = MaterialListLines(table->context.units(), LoadDensityFile(table->path).records,
                                                DensityStorageUnit(), 6, false);
    QStringList units;
    for (const ConversionRecord &record : table->context.units().records())
        if (record.DisplayUnit && record.UnitType.trimmed() == QLatin1String("Density"))
            units << record.UnitName;
    const QSize size = frmDensitySelect(table->context).size();
    // Pictures drawn once, as the window keeps its own.
    const QIcon logo(ArtPixmap(QStringLiteral("logo"), QSize(165, 36), qApp->devicePixelRatio()));
    const QIcon off(ArtPixmap(QStringLiteral("off_up"), QSize(56, 32), qApp->devicePixelRatio()));
    const QIcon on(ArtPixmap(QStringLiteral("onc_up"), QSize(56, 32), qApp->devicePixelRatio()));
    const QIcon notation(ArtPixmap(QStringLiteral("notation_off"), QSize(30, 30), qApp->devicePixelRatio()));
    auto key = [](const QIcon &icon, QSize size) {
        auto *button = new QToolButton;
        button->setIcon(icon);
        button->setIconSize(size);
        button->setAutoRaise(true);
        return button;
    };
    for (auto _ : state) {
        auto dialog = std::make_unique<QDialog>();
        dialog->resize(size);
        auto *menus = new QMenuBar(dialog.get());
        menus->addMenu(QStringLiteral("&Edit"))->addAction(QStringLiteral("&Undo"));
        QMenu *help = menus->addMenu(QStringLiteral("&Help"));
        help->addAction(QStringLiteral("&Contents"));
        help->addSeparator();
        help->addAction(QStringLiteral("&About"));
        auto *strip = new QFrame;
        auto *keys = new QHBoxLayout(strip);
        keys->addWidget(key(logo, QSize(165, 36)));
        keys->addStretch(1);
        keys->addWidget(key(off, QSize(56, 32)));
        keys->addWidget(key(on, QSize(56, 32)));
        auto *list = new QListWidget;
        list->setFont(ValueFont(dialog->font()));
        list->setUniformItemSizes(true);
        list->addItems(lines);
        auto *note = new QLabel;
        note->setWordWrap(true);
        note->hide();
        auto *grid = new QGridLayout(dialog.get());
        grid->setMenuBar(menus);
        grid->addWidget(strip, 0, 0, 1, 3);
        grid->addWidget(new QLabel(QStringLiteral("Material")), 1, 0);
        grid->addWidget(list, 2, 0, 1, 3);
        grid->addWidget(note, 3, 0, 1, 3);
        for (int row : {1, 5}) {
            auto *unitList = new QComboBox;
            unitList->addItems(units);
            grid->addWidget(unitList, row, 2);
        }
        grid->addWidget(new QLabel(QStringLiteral("Material:")), 4, 0);
        grid->addWidget(new QLineEdit, 4, 1, 1, 2);
        grid->addWidget(new QLabel(QStringLiteral("Density:")), 5, 0);
        grid->addWidget(new QLineEdit, 5, 1);
        auto *line = new QFrame;
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        grid->addWidget(line, 6, 0, 1, 3);
        int place = 0;
        for (const char *caption : {"&Select", "Save", "Cancel", "&Add", "Delete"}) {
            grid->addWidget(new QPushButton(QString::fromLatin1(caption)), 7 + place / 3, place % 3);
            ++place;
        }
        auto *digits = new QHBoxLayout;
        digits->addWidget(key(notation, QSize(30, 30)));
        auto *shown = new QLabel(QStringLiteral("6"));
        shown->setFrameShape(QFrame::Panel);
        shown->setFrameShadow(QFrame::Sunken);
        digits->addWidget(shown);
        digits->addWidget(new QScrollBar(Qt::Vertical));
        grid->addLayout(digits, 8, 1, 1, 2);
        showAndPaint(*dialog);
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}

// Opening the window: load, sort and list the table, shown and painted.
// Peak memory is reported as maxRssMB.
void openWindow(benchmark::State &state, Table &table)
{
    for (auto _ : state) {
        auto form = std::make_unique<frmDensitySelect>(table.context);
        showAndPaint(*form);
        // Closing (which writes the settings) is not part of the opening.
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["maxRssMB"] = double(usage.ru_maxrss) / 1024;
}

// Closing the window: its settings written, the window destroyed.
void closeWindow(benchmark::State &state, Table &table)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<frmDensitySelect>(table.context);
        showAndPaint(*form);
        state.ResumeTiming();
        form.reset();
    }
}

// A digit typed, then taken back: each goes through the key filter and the
// change handler, which switches the buttons to the edit appearance.
void keystrokeInDensityBox(benchmark::State &state, Table &table)
{
    OpenWindow window(table.context);
    for (auto _ : state) {
        window.type(Qt::Key_5, QStringLiteral("5"));
        window.type(Qt::Key_Backspace, QString());
    }
    state.counters["materials"] = window.list->model()->rowCount();
    state.SetItemsProcessed(state.iterations() * 2);
}

// Another display unit: every line rewritten, the selection and scroll
// kept, and the list painted.
void displayUnitChange(benchmark::State &state, Table &table)
{
    OpenWindow window(table.context);
    int i = 0;
    for (auto _ : state) {
        window.displayUnits->setCurrentIndex(++i % window.displayUnits->count());
        window.list->viewport()->repaint();
    }
    state.counters["materials"] = window.list->model()->rowCount();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::unique_ptr<Table> shipped = shippedTable();
    const std::unique_ptr<Table> limit = tableAtTheLimit();
    benchmark::RegisterBenchmark("openPlainDialog", openPlainDialog)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("openPlainDialogWithTheSameControls", openPlainDialogWithTheSameControls)
        ->Unit(benchmark::kMillisecond);
    using Run = void (*)(benchmark::State &, Table &);
    for (auto [name, run, table] :
         {std::tuple<const char *, Run, Table *>{"openShipped", &openWindow, shipped.get()},
          {"openAtTheLimit", &openWindow, limit.get()},
          {"closeShipped", &closeWindow, shipped.get()},
          {"keystrokeInDensityBox", &keystrokeInDensityBox, shipped.get()},
          {"displayUnitChange", &displayUnitChange, shipped.get()},
          {"displayUnitChangeAtTheLimit", &displayUnitChange, limit.get()}}) {
        benchmark::RegisterBenchmark(name, [run = run, table = table](benchmark::State &state) {
            run(state, *table);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
