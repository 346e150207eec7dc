#pragma once
// The editor of one motor or gearbox: a box for each column of the table,
// its caption the column's name and unit, holding the cell as the file
// writes it. OK takes the entry only when it reads as a record; otherwise the
// problems are listed and the first box at fault takes the focus.

#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

struct TableProblem;
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
    QStringList m_columns;
    Check m_check;
    std::vector<QLineEdit *> m_boxes;
    QLabel *m_lblProblem = nullptr;
};
