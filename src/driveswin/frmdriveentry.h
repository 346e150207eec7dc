#pragma once
// The editor of one motor or gearbox: a box for each column of the table,
// its caption the column's name and unit, holding the cell as the file
// writes it. A curve is a point list, or in the corner form three boxes
// (stall torque, corner speed, torque at the maximum speed) that write the
// same cell. OK takes the entry only when it reads as a record; otherwise the
// problems are listed and the first box at fault takes the focus.

#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

struct TableProblem;
class QComboBox;
class QLabel;
class QLineEdit;
class Settings;

class frmDriveEntry : public QDialog
{
    Q_OBJECT
public:
    // The problems of cells as a record; empty when they make one.
    using Check = std::function<std::vector<TableProblem>(const QStringList &cells)>;

    // The window keeps its place in settings.
    frmDriveEntry(Settings &settings, const QString &title, const QStringList &columns,
                  const QStringList &cells, Check check, QWidget *parent = nullptr);

    QStringList cells() const;

    // Takes the entry when it reads; false (and the problems shown) otherwise.
    bool take();

private:
    // A curve column's form chooser and its corner boxes.
    struct CornerBoxes
    {
        std::size_t column = 0;
        QComboBox *form = nullptr;
        QWidget *pane = nullptr;
        QLineEdit *stall = nullptr;
        QLineEdit *corner = nullptr;
        QLineEdit *atMaxSpeed = nullptr;
    };
    enum CurveFormIndex { PointList, Corner };

    QWidget *curveRow(std::size_t column, QLineEdit *points, const QString &maxSpeed);
    void showForm(CornerBoxes &curve, bool convert);
    const CornerBoxes *cornerOf(std::size_t column) const;
    // The cell the corner's boxes write.
    QString cornerCell(const CornerBoxes &curve) const;

    QStringList m_columns;
    Check m_check;
    std::vector<QLineEdit *> m_boxes; // by column; a curve's point list
    std::vector<CornerBoxes> m_curves;
    int m_maxSpeedColumn = -1;
    QLabel *m_lblProblem = nullptr;
};
