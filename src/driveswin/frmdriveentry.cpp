#include "driveswin/frmdriveentry.h"

#include "drives/drivetables.h"
#include "widgets/controlsetup.h"
#include "widgets/windowplace.h"

#include <QDialogButtonBox>
#include <QFormLayout>
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

} // namespace

frmDriveEntry::frmDriveEntry(Settings &settings, const QString &title, const QStringList &columns,
                             const QStringList &cells, Check check, QWidget *parent)
    : QDialog(parent), m_columns(columns), m_check(std::move(check))
{
    setObjectName(QStringLiteral("frmDriveEntry"));
    setWindowTitle(title);
    setAccessibleName(title);
    auto *form = new QFormLayout;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString &column = columns[i];
        auto *box = Named(new QLineEdit(cells.value(i), this), boxName(column), QString(),
                          column.section(u'[', 0, 0).trimmed());
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(u'0') * 44);
        if (column.contains(u':')) {
            box->setToolTip(CurveHint);
            box->setAccessibleDescription(CurveHint);
        }
        auto *caption = new QLabel(column + u':', this);
        caption->setObjectName(QStringLiteral("lbl") + boxName(column).mid(3));
        caption->setBuddy(box);
        form->addRow(caption, box);
        m_boxes.push_back(box);
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

QStringList frmDriveEntry::cells() const
{
    QStringList cells;
    for (const QLineEdit *box : m_boxes)
        cells << box->text();
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
        if (m_columns[qsizetype(i)].section(u'[', 0, 0).trimmed() == problems.front().columnName) {
            m_boxes[i]->setFocus(Qt::OtherFocusReason);
            m_boxes[i]->selectAll();
            break;
        }
    return false;
}
