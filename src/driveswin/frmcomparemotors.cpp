#include "driveswin/frmcomparemotors.h"

#include "axis/axisreport.h"
#include "axis/bestratio.h"
#include "core/verdicttone.h"
#include "widgets/controlsetup.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int CheckDigits = 3;

// Entries with a box each, checked where the earlier comparison held the record.
template <class T>
void fillChecklist(QListWidget *list, const QStringList &entries, const std::vector<T> &all,
                   const std::vector<T> &earlier)
{
    for (qsizetype k = 0; k < entries.size(); ++k) {
        auto *item = new QListWidgetItem(entries[k], list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool was = std::find(earlier.begin(), earlier.end(), all[std::size_t(k)]) != earlier.end();
        item->setCheckState(was ? Qt::Checked : Qt::Unchecked);
    }
}

template <class T> std::vector<T> checkedOf(const QListWidget *list, const std::vector<T> &all)
{
    std::vector<T> checked;
    for (int k = 0; k < list->count(); ++k)
        if (list->item(k)->checkState() == Qt::Checked)
            checked.push_back(all[std::size_t(k)]);
    return checked;
}

} // namespace

frmCompareMotors::frmCompareMotors(WindowContext &context, const Axis &axis, const MoveInputs &move,
                                   const QString &speedUnit, const QString &torqueUnit, QWidget *parent,
                                   const CandidateComparison &earlier)
    : QDialog(parent), m_context(context), m_axis(axis), m_move(move), m_speedUnit(speedUnit.trimmed()),
      m_torqueUnit(torqueUnit.trimmed())
{
    setObjectName(QStringLiteral("frmCompareMotors"));
    setWindowTitle(QStringLiteral("Compare motors"));
    setAccessibleName(windowTitle());
    m_comparison.sortColumn = earlier.sortColumn;
    m_comparison.descending = earlier.descending;
    buildChoosers(earlier);
    buildTable();

    auto *buttons = Named(new QDialogButtonBox(this), QStringLiteral("btnCompareMotors"));
    m_cmdUse = Named(buttons->addButton(QStringLiteral("&Use this candidate"), QDialogButtonBox::AcceptRole),
                     QStringLiteral("cmdUseCandidate"),
                     QStringLiteral("Put the chosen motor, and its gearbox and ratio, into the axis"),
                     QStringLiteral("Use this candidate"));
    m_cmdUse->setDefault(true);
    Named(buttons->addButton(QDialogButtonBox::Close), QStringLiteral("cmdClose"), QString(),
          QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *lblSortBy = Named(new QLabel(QStringLiteral("&Sort by:"), this), QStringLiteral("lblSortBy"),
                            QString(), QStringLiteral("Sort by"));
    lblSortBy->setBuddy(m_cmbSortBy);
    auto *sortRow = new QHBoxLayout;
    sortRow->addWidget(lblSortBy);
    sortRow->addWidget(m_cmbSortBy);
    sortRow->addStretch(1);

    auto *choosers = new QHBoxLayout;
    for (QListWidget *list : {m_lstMotors, m_lstRatios}) {
        auto *box =
            Named(new QGroupBox(list->accessibleName(), this),
                  QStringLiteral("fra") + list->objectName().mid(3), QString(), list->accessibleName());
        auto *inBox = new QVBoxLayout(box);
        inBox->addWidget(list);
        choosers->addWidget(box, 1);
    }
    auto *root = new QVBoxLayout(this);
    root->addLayout(choosers);
    root->addWidget(m_lblTables);
    root->addLayout(sortRow);
    root->addWidget(m_tblCandidates, 1);
    root->addWidget(buttons);
    TabChain({m_lstMotors, m_lstRatios, m_cmbSortBy, m_tblCandidates});
    resize(960, 640);
    KeepWindowPlace(context.settings(), this);
    compare();
    m_lstMotors->setFocus();
}

void frmCompareMotors::setReportMaker(ReportMaker maker)
{
    m_reportMaker = std::move(maker);
    if (m_cmdReport || !m_reportMaker)
        return;
    auto *buttons = findChild<QDialogButtonBox *>(QStringLiteral("btnCompareMotors"));
    m_cmdReport = Named(buttons->addButton(QStringLiteral("&Report…"), QDialogButtonBox::ActionRole),
                        QStringLiteral("cmdReport"),
                        QStringLiteral("Export the axis report with this comparison as a PDF"),
                        QStringLiteral("Report"));
    m_cmdReport->setAutoDefault(false);
    connect(m_cmdReport, &QPushButton::clicked, this, [this] {
        if (m_reportMaker)
            m_reportMaker(this, m_comparison);
    });
}

void frmCompareMotors::buildChoosers(const CandidateComparison &earlier)
{
    const MotorTableRead motors =
        LoadMotorTable(m_context.userFile(DriveTableFileName(DriveTableKind::Motors)));
    const GearboxTableRead gearboxes =
        LoadGearboxTable(m_context.userFile(DriveTableFileName(DriveTableKind::Gearboxes)));
    m_motors = motors.records;
    QStringList motorEntries, ratioEntries;
    for (const MotorRecord &motor : m_motors)
        motorEntries << (motor.note.isEmpty() ? motor.name
                                              : QStringLiteral("%1 (%2)").arg(motor.name, motor.note));
    for (const GearboxRecord &gearbox : gearboxes.records) {
        for (double ratio : gearbox.ratios) {
            m_ratios.push_back({gearbox, ratio});
            ratioEntries << QStringLiteral("%1, %2").arg(gearbox.name, RatioLabel(ratio));
        }
    }
    m_lstMotors = Named(new QListWidget(this), QStringLiteral("lstMotors"),
                        QStringLiteral("The motors to compare: Space checks one"), QStringLiteral("Motors"));
    m_lstRatios =
        Named(new QListWidget(this), QStringLiteral("lstGearboxRatios"),
              QStringLiteral("Gearboxes at the ratios to compare; none checked: the axis's own gearbox"),
              QStringLiteral("Gearbox ratios"));
    fillChecklist(m_lstMotors, motorEntries, m_motors, earlier.motors);
    fillChecklist(m_lstRatios, ratioEntries, m_ratios, earlier.gearboxes);
    for (QListWidget *list : {m_lstMotors, m_lstRatios}) {
        list->setMaximumHeight(120);
        connect(list, &QListWidget::itemChanged, this, &frmCompareMotors::compare);
    }

    // What the tables hold, and why a table could not be read.
    QStringList notes;
    for (const QString &problem :
         {motors.message(m_context.userFile(DriveTableFileName(DriveTableKind::Motors))),
          gearboxes.message(m_context.userFile(DriveTableFileName(DriveTableKind::Gearboxes)))})
        if (!problem.isEmpty())
            notes << problem;
    if (m_motors.empty() && notes.isEmpty())
        notes << QStringLiteral(
            "The motor table is empty: add motors under Tools, Motor and gearbox tables.");
    notes << QStringLiteral("With no gearbox ratio checked, each motor runs on the axis's own gearbox (%1).")
                 .arg(RatioLabel(m_axis.gearbox.ratio));
    m_lblTables = Named(new QLabel(notes.join(u'\n'), this), QStringLiteral("lblTables"), QString(),
                        QStringLiteral("About the tables"));
    m_lblTables->setWordWrap(true);
    m_lblTables->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void frmCompareMotors::buildTable()
{
    m_cmbSortBy =
        Named(new QComboBox(this), QStringLiteral("cmbSortBy"),
              QStringLiteral("The column the candidates are sorted by; a check's largest margin first"),
              QStringLiteral("Sort by"));
    m_tblCandidates = Named(new QTableWidget(0, CandidateTableColumnCount, this),
                            QStringLiteral("tblCandidates"), QString(), QStringLiteral("Candidates"));
    QStringList titles;
    for (int column = 0; column < CandidateTableColumnCount; ++column)
        titles << CandidateTableTitle(column);
    m_cmbSortBy->addItems(titles);
    m_tblCandidates->setHorizontalHeaderLabels(titles);
    m_tblCandidates->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblCandidates->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblCandidates->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblCandidates->setTabKeyNavigation(false);
    m_tblCandidates->verticalHeader()->hide();
    m_tblCandidates->horizontalHeader()->setSectionsClickable(true);
    m_tblCandidates->horizontalHeader()->setSortIndicatorShown(true);
    connect(m_tblCandidates->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        // A second click turns the order round; a new column starts with the best.
        sortBy(column, column == m_comparison.sortColumn ? !m_comparison.descending
                                                         : column >= CandidateDecidingColumn);
    });
    connect(m_cmbSortBy, &QComboBox::activated, this,
            [this](int column) { sortBy(column, column >= CandidateDecidingColumn); });
    connect(m_tblCandidates, &QTableWidget::itemSelectionChanged, this,
            [this] { m_cmdUse->setEnabled(chosen().has_value()); });
    // Enter (or a double click, as the style has it) takes the row.
    connect(m_tblCandidates, &QAbstractItemView::activated, this, [this] {
        if (chosen())
            accept();
    });
}

void frmCompareMotors::compare()
{
    m_comparison.motors = checkedOf(m_lstMotors, m_motors);
    m_comparison.gearboxes = checkedOf(m_lstRatios, m_ratios);
    m_rows = CompareCandidates(m_axis, m_move, m_comparison.motors, m_comparison.gearboxes);
    for (int column = 0; column < CandidateTableColumnCount; ++column)
        m_tblCandidates->setColumnHidden(column,
                                         !CandidateColumnShown(column, !m_comparison.gearboxes.empty()));
    sortBy(m_comparison.sortColumn, m_comparison.descending);
}

void frmCompareMotors::sortBy(int column, bool descending)
{
    m_comparison.sortColumn = column;
    m_comparison.descending = descending;
    m_comparison.sort(m_rows);
    m_cmbSortBy->setCurrentIndex(column);
    m_tblCandidates->horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder
                                                                             : Qt::AscendingOrder);
    showRows();
}

void frmCompareMotors::showRows()
{
    const ConversionTableData &units = m_context.units();
    m_tblCandidates->setRowCount(int(m_rows.size()));
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const Candidate &row = m_rows[std::size_t(r)];
        const QStringList texts = CandidateRowTexts(row, m_comparison);
        for (int column = 0; column < CandidateTableColumnCount; ++column) {
            const int check = CandidateCheckOf(column);
            const int shown = check == WorstColumn ? row.worst.value_or(-1) : check;
            QString tip;
            if (column == CandidateMotorColumn) {
                tip = m_comparison.motors[row.motor].note;
            } else if (shown >= 0 && shown < MotorCheckCount) {
                const MotorCheck &full = row.results.checks[std::size_t(shown)];
                const bool speed = full.kind == MotorCheckKind::Speed;
                tip =
                    MotorCheckText(units, full, speed ? m_speedUnit : m_torqueUnit, CheckDigits, m_speedUnit);
            } else if (shown >= MotorCheckCount) {
                tip = row.cell(shown).detail;
            }
            auto *item = new QTableWidgetItem(texts[column]);
            item->setToolTip(tip);
            const VerdictTone tone = check < 0 ? VerdictTone::Plain : CheckTone(row.cell(check).level);
            if (tone != VerdictTone::Plain)
                item->setForeground(QColor(ToneColour(tone)));
            m_tblCandidates->setItem(r, column, item);
        }
    }
    m_tblCandidates->resizeColumnsToContents();
    if (!m_rows.empty())
        m_tblCandidates->selectRow(0);
    m_cmdUse->setEnabled(chosen().has_value());
}

std::optional<frmCompareMotors::Choice> frmCompareMotors::chosen() const
{
    const QModelIndexList selected = m_tblCandidates->selectionModel()->selectedRows();
    if (selected.isEmpty() || std::size_t(selected.first().row()) >= m_rows.size())
        return std::nullopt;
    const Candidate &row = m_rows[std::size_t(selected.first().row())];
    Choice choice{m_comparison.motors[row.motor], std::nullopt};
    if (row.gearbox)
        choice.gearbox = m_comparison.gearboxes[*row.gearbox];
    return choice;
}
