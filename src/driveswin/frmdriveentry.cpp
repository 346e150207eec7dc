#include "driveswin/frmdriveentry.h"

#include "drives/cornercells.h"
#include "drives/drivetables.h"
#include "widgets/controlsetup.h"
#include "widgets/windowplace.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// What a curve's box takes, under its caption.
const QString CurveHint = QStringLiteral("One torque, flat to the maximum speed, or points speed:torque "
                                         "from 0 to the maximum speed, as 0:3.8 3000:3.8 6000:2.2");

// A control's name from a column's: "Rotor inertia [kg·cm²]" → "txtRotorInertia".
QString boxName(const QString &column)
{
    QString name = QStringLiteral("txt");
    for (const QString &word : column.section(u'[', 0, 0).split(u' ', Qt::SkipEmptyParts))
        name += word.left(1).toUpper() + word.mid(1);
    return name;
}

QString spokenName(const QString &column)
{
    return column.section(u'[', 0, 0).trimmed();
}

// Replaces a box's text as one edit its own Undo takes back.
void replaceText(QLineEdit *box, const QString &text)
{
    if (box->text() == text)
        return;
    box->selectAll();
    box->insert(text);
}

} // namespace

frmDriveEntry::frmDriveEntry(Settings &settings, const QString &title, const QStringList &columns,
                             const QStringList &cells, Check check, QWidget *parent)
    : QDialog(parent), m_columns(columns), m_check(std::move(check))
{
    setObjectName(QStringLiteral("frmDriveEntry"));
    setWindowTitle(title);
    setAccessibleName(title);
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (spokenName(columns[i]) == QLatin1String("Maximum speed"))
            m_maxSpeedColumn = int(i);
    auto *form = new QFormLayout;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString &column = columns[i];
        auto *box =
            Named(new QLineEdit(cells.value(i), this), boxName(column), QString(), spokenName(column));
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(u'0') * 44);
        auto *caption = new QLabel(column + u':', this);
        caption->setObjectName(QStringLiteral("lbl") + boxName(column).mid(3));
        caption->setBuddy(box);
        m_boxes.push_back(box);
        if (column.contains(u':')) {
            box->setToolTip(CurveHint);
            box->setAccessibleDescription(CurveHint);
            QWidget *row = curveRow(std::size_t(i), box, cells.value(m_maxSpeedColumn));
            caption->setBuddy(m_curves.back().form);
            form->addRow(caption, row);
        } else {
            form->addRow(caption, box);
        }
    }
    auto *hint = Named(new QLabel(CurveHint, this), QStringLiteral("lblCurveHint"), QString(),
                       QStringLiteral("Curves"));
    hint->setWordWrap(true);
    hint->setVisible(
        std::any_of(columns.cbegin(), columns.cend(), [](const QString &c) { return c.contains(u':'); }));
    m_lblProblem =
        Named(new QLabel(this), QStringLiteral("lblProblem"), QString(), QStringLiteral("Problem"));
    m_lblProblem->setWordWrap(true);
    m_lblProblem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("btnEntry"));
    Named(buttons->button(QDialogButtonBox::Ok), QStringLiteral("cmdOK"), QString(), QStringLiteral("OK"));
    Named(buttons->button(QDialogButtonBox::Cancel), QStringLiteral("cmdCancel"), QString(),
          QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (take())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(m_lblProblem);
    layout->addWidget(buttons);
    KeepWindowPlace(settings, this);
}

// The form chooser and the point list on one line, the corner's boxes
// with their units in rows below; the cell decides which show.
QWidget *frmDriveEntry::curveRow(std::size_t column, QLineEdit *points, const QString &maxSpeed)
{
    const QString name = spokenName(m_columns[qsizetype(column)]);
    const QString control = boxName(m_columns[qsizetype(column)]);
    // The units of a curve column, "[rpm:N·m]".
    const QString units = m_columns[qsizetype(column)].section(u'[', 1).section(u']', 0, 0);
    const QString speedUnit = units.section(u':', 0, 0), torqueUnit = units.section(u':', 1);

    auto *row = new QWidget(this);
    row->setObjectName(QStringLiteral("fra") + control.mid(3));
    CornerBoxes curve;
    curve.column = column;
    curve.form = Named(new QComboBox(row), QStringLiteral("cmb") + control.mid(3) + QStringLiteral("Form"),
                       QStringLiteral("A point list (or one torque), or the corner form in three boxes"),
                       name + QStringLiteral(" form"));
    curve.form->addItems({QStringLiteral("Point list"), QStringLiteral("Corner")});
    points->setParent(row);
    auto *line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    curve.form->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    line->addWidget(curve.form);
    line->addWidget(points, 1);
    line->addStretch(); // takes the width while the point list is hidden

    curve.pane = new QWidget(row);
    curve.pane->setObjectName(QStringLiteral("fra") + control.mid(3) + QStringLiteral("Corner"));
    auto *grid = new QGridLayout(curve.pane);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(3, 1);
    const struct
    {
        QLineEdit *CornerBoxes::*box;
        const char *suffix, *caption, *hint;
        QString unit;
    } boxes[] = {
        {&CornerBoxes::stall, "Stall",
         "&Stall torque:", "The torque held from standstill to the corner speed", torqueUnit},
        {&CornerBoxes::corner, "CornerSpeed", "Co&rner speed:", "Where the torque starts to fall", speedUnit},
        {&CornerBoxes::atMaxSpeed, "AtMaxSpeed", "At &maximum speed:",
         "The torque at the motor's maximum speed, reached in a straight line from the corner", torqueUnit},
    };
    const std::optional<CornerCells> corner = CornerOfCurveCell(points->text(), maxSpeed);
    const CornerCells shown = corner.value_or(CornerCells{});
    const QString *texts[] = {&shown.stallTorque, &shown.cornerSpeed, &shown.torqueAtMaxSpeed};
    for (int k = 0; k < 3; ++k) {
        const QString caption = QString::fromUtf8(boxes[k].caption);
        auto *box = Named(new QLineEdit(*texts[k], curve.pane),
                          control + QString::fromLatin1(boxes[k].suffix), QString::fromUtf8(boxes[k].hint),
                          QStringLiteral("%1, %2").arg(name, SpokenCaption(caption).toLower()));
        curve.*boxes[k].box = box;
        auto *label = new QLabel(caption, curve.pane);
        label->setObjectName(QStringLiteral("lbl") + control.mid(3) + QString::fromLatin1(boxes[k].suffix));
        label->setBuddy(box);
        auto *unit = new QLabel(boxes[k].unit, curve.pane);
        unit->setObjectName(label->objectName() + QStringLiteral("Unit"));
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(u'0') * 14);
        grid->addWidget(label, k, 0);
        grid->addWidget(box, k, 1);
        grid->addWidget(unit, k, 2);
    }
    auto *stack = new QVBoxLayout(row);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addLayout(line);
    stack->addWidget(curve.pane);

    TabChain({curve.form, points, curve.stall, curve.corner, curve.atMaxSpeed});
    curve.form->setCurrentIndex(corner ? Corner : PointList);
    m_curves.push_back(curve);
    showForm(m_curves.back(), false);
    connect(curve.form, &QComboBox::currentIndexChanged, this, [this, column] {
        for (CornerBoxes &c : m_curves)
            if (c.column == column)
                showForm(c, true);
    });
    return row;
}

// Shows the form chosen; converted, the boxes of the new form take what the
// old one held, as edits their Undo takes back.
void frmDriveEntry::showForm(CornerBoxes &curve, bool convert)
{
    QLineEdit *points = m_boxes[curve.column];
    const bool corner = curve.form->currentIndex() == Corner;
    if (convert && corner) {
        const CornerCells nearest = NearestCorner(points->text());
        replaceText(curve.stall, nearest.stallTorque);
        replaceText(curve.corner, nearest.cornerSpeed);
        replaceText(curve.atMaxSpeed, nearest.torqueAtMaxSpeed);
    } else if (convert) {
        replaceText(points, cornerCell(curve));
    }
    points->setVisible(!corner);
    curve.pane->setVisible(corner);
}

const frmDriveEntry::CornerBoxes *frmDriveEntry::cornerOf(std::size_t column) const
{
    for (const CornerBoxes &curve : m_curves)
        if (curve.column == column && curve.form->currentIndex() == Corner)
            return &curve;
    return nullptr;
}

QString frmDriveEntry::cornerCell(const CornerBoxes &curve) const
{
    const QString maxSpeed =
        m_maxSpeedColumn >= 0 ? m_boxes[std::size_t(m_maxSpeedColumn)]->text() : QString();
    return CurveCellOfCorner({curve.stall->text(), curve.corner->text(), curve.atMaxSpeed->text()}, maxSpeed);
}

QStringList frmDriveEntry::cells() const
{
    QStringList cells;
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        const CornerBoxes *corner = cornerOf(i);
        cells << (corner ? cornerCell(*corner) : m_boxes[i]->text());
    }
    return cells;
}

bool frmDriveEntry::take()
{
    const std::vector<TableProblem> problems = m_check(cells());
    QStringList lines;
    for (const TableProblem &problem : problems)
        lines << problem.text();
    ShowValue(m_lblProblem, lines.join(u'\n'));
    if (problems.empty())
        return true;
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        if (spokenName(m_columns[qsizetype(i)]) == problems.front().columnName) {
            QLineEdit *box = cornerOf(i) ? cornerOf(i)->stall : m_boxes[i];
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
            break;
        }
    return false;
}
