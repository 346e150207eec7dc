// How fast the unit calculator answers a keystroke: the conversion list of
// the largest unit type in the shipped table, rebuilt for a new value.

#include "unitcalc/conversionlist.h"
#include "unitcalcwin/frmunitcalculator.h"
#include "units/conversiontable.h"
#include "units/unitlists.h"
#include "widgets/windowcontext.h"
#include "windowbench.h"

#include "shippedunits.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

// The unit type with the most display units.
QString largestUnitType()
{
    QMap<QString, int> counts;
    for (const ConversionRecord &record : ShippedUnits().records()) {
        if (record.DisplayUnit)
            ++counts[record.UnitType];
    }
    QString largest;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (largest.isEmpty() || it.value() > counts.value(largest))
            largest = it.key();
    }
    return largest;
}

struct OpenCalculator
{
    frmUnitCalculator form;
    QLineEdit *number = form.findChild<QLineEdit *>(QStringLiteral("txtNumber"));
    QTreeWidget *list = form.findChild<QTreeWidget *>(QStringLiteral("lvConversions"));

    OpenCalculator(WindowContext &context, const QString &unitType) : form(context)
    {
        auto *types = form.findChild<QListWidget *>(QStringLiteral("cmbUnitTypes"));
        types->setCurrentItem(types->findItems(unitType, Qt::MatchExactly).value(0));
        form.show();
        QCoreApplication::processEvents();
    }
};

void keystrokeRebuildsTheList(benchmark::State &state, WindowContext &context)
{
    OpenCalculator calc(context, largestUnitType());
    const QString values[] = {QStringLiteral("2.5"), QStringLiteral("2.55")};
    int i = 0;
    for (auto _ : state)
        calc.number->setText(values[i++ & 1]);
    state.counters["rows"] = calc.list->topLevelItemCount();
}

void keystrokeAndRepaint(benchmark::State &state, WindowContext &context)
{
    OpenCalculator calc(context, largestUnitType());
    const QString values[] = {QStringLiteral("2.5"), QStringLiteral("2.55")};
    int i = 0;
    for (auto _ : state) {
        calc.number->setText(values[i++ & 1]);
        calc.list->viewport()->repaint();
    }
}

// Counts the paints of one widget, to show that each measured keystroke
// reached the screen.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// One keystroke as the user makes it: "5" typed at the end of "2.5", or
// taken back, then the event loop run until the list is painted.
void typeKey(QLineEdit *edit, int i)
{
    const bool back = i & 1;
    QKeyEvent press(QEvent::KeyPress, back ? Qt::Key_Backspace : Qt::Key_5, Qt::NoModifier,
                    back ? QString() : QStringLiteral("5"));
    QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, press.text());
    QCoreApplication::sendEvent(edit, &press);
    QCoreApplication::sendEvent(edit, &release);
    QCoreApplication::processEvents();
}

void runKeystrokes(benchmark::State &state, QLineEdit *edit, QTreeWidget *list)
{
    edit->setFocus();
    edit->setText(QStringLiteral("2.5"));
    QCoreApplication::processEvents();
    PaintCounter counter(list->viewport());
    int i = 0;
    for (auto _ : state)
        typeKey(edit, i++);
    state.counters["rows"] = list->topLevelItemCount();
    state.counters["paints"] = benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}

void keystrokePainted(benchmark::State &state, WindowContext &context)
{
    OpenCalculator calc(context, largestUnitType());
    runKeystrokes(state, calc.number, calc.list);
}

// Qt's floor for the same work: a bare line edit and list of the same size,
// columns and rows, whose values the same conversion rewrites in place.
void keystrokePaintedBareList(benchmark::State &state, WindowContext &context)
{
    OpenCalculator calc(context, largestUnitType());
    const QString type = largestUnitType();
    const QString unit = UnitsOfExactType(context.units(), type).value(0);
    QWidget bare;
    auto *layout = new QVBoxLayout(&bare);
    auto *edit = new QLineEdit(&bare);
    auto *list = new QTreeWidget(&bare);
    layout->addWidget(edit);
    layout->addWidget(list);
    list->setColumnCount(3);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setFixedSize(calc.list->size());
    for (int column = 0; column < 3; ++column)
        list->header()->resizeSection(column, calc.list->header()->sectionSize(column));
    const auto rows =
        ComputeConversionRows(context.units(), type, unit, QStringLiteral("2.5"), ConversionDisplay{});
    for (const ConversionRow &row : *rows)
        list->addTopLevelItem(new QTreeWidgetItem(QStringList{QString(), row.value, row.unitName}));
    QObject::connect(edit, &QLineEdit::textChanged, list, [&](const QString &text) {
        const auto values = ComputeConversionRows(context.units(), type, unit, text, ConversionDisplay{});
        for (int r = 0; values && r < values->size(); ++r)
            list->topLevelItem(r)->setText(1, values->at(r).value);
    });
    calc.form.hide();
    bare.show();
    runKeystrokes(state, edit, list);
}

void conversionRowsOnly(benchmark::State &state)
{
    const QString type = largestUnitType();
    const QString unit = UnitsOfExactType(ShippedUnits(), type).value(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ComputeConversionRows(ShippedUnits(), type, unit, QStringLiteral("2.5"), ConversionDisplay{}));
}
BENCHMARK(conversionRowsOnly)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, [](WindowContext &context) {
        QGuiApplication::clipboard()->clear();
        for (auto [name, run] : {std::pair{"keystrokeRebuildsTheList", &keystrokeRebuildsTheList},
                                 std::pair{"keystrokeAndRepaint", &keystrokeAndRepaint},
                                 std::pair{"keystrokePainted", &keystrokePainted},
                                 std::pair{"keystrokePaintedBareList", &keystrokePaintedBareList}}) {
            benchmark::RegisterBenchmark(name, [run = run, &context](benchmark::State &state) {
                run(state, context);
            })->Unit(benchmark::kMicrosecond);
        }
    });
}
