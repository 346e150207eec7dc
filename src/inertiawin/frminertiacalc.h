#pragma once
#include "inertia/inertiapick.h"
#include "widgets/calculatorwindow.h"
#include "widgets/resultrow.h"

#include <QStringList>

#include <array>
#include <optional>

class DigitsNotation;
class InertiaPickPane;
class NumericEdit;
class PictureButton;
class QAction;
class QComboBox;
class QGridLayout;
class QLabel;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QToolButton;

// The inertia calculator: one of six shapes, its dimensions and its mass or
// material density, each in a unit of the user's choice, and up to five mass
// moments of inertia in one result unit. Every edit recomputes at once.
// Constructing it runs its load (settings, captions, unit lists, one compute);
// exec() shows it.
class frmInertiaCalc : public CalculatorWindow
{
    Q_OBJECT
    Q_PROPERTY(QString Shape READ shape WRITE setShape)
    Q_PROPERTY(bool NotationMode READ notationMode WRITE setNotationMode)
    Q_PROPERTY(int DisplayDigits READ displayDigits WRITE setDisplayDigits)
    Q_PROPERTY(bool SuppressCompute READ suppressCompute)

public:
    explicit frmInertiaCalc(WindowContext &context, QWidget *parent = nullptr);
    ~frmInertiaCalc() override;

    // Setting the shape lays the window out for it; a name that is no shape
    // is kept but changes nothing.
    QString shape() const { return m_shape; }
    void setShape(const QString &name);
    // Display properties: setting one updates its own control only.
    bool notationMode() const;
    void setNotationMode(bool on);
    int displayDigits() const;
    void setDisplayDigits(int digits);
    bool suppressCompute() const { return m_suppressCompute; }

    // Refills the shape list from the string table, keeping its selection.
    void LoadShapeNames();

    // Pick mode, for a window that needs a shape part: a pane below the
    // results chooses the result about an axis parallel to the axis of
    // rotation and the offset d, and its "Add to axis" key hands the part
    // over and closes the window. preset shows a part chosen before. Called
    // before exec(); without it the window is the plain calculator.
    void startPick(const std::optional<InertiaPick> &preset = std::nullopt);
    // The part "Add to axis" handed over; nullopt when the window was
    // closed without one.
    const std::optional<InertiaPick> &pick() const { return m_pick; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void saveSettings() override;
    void focusHome() override;

private:
    struct InputControls
    {
        QLabel *caption = nullptr;
        NumericEdit *box = nullptr;
        QComboBox *units = nullptr;
    };
    struct ResultControls : ResultRowControls
    {
        std::array<QLabel *, 3> caption{}; // "I", the subscript, "="
    };

    InputControls &input(InertiaInput which) { return m_inputs[std::size_t(which)]; }
    void buildControls();
    QMenuBar *buildMenus();
    void buildDigitKeys(QGridLayout *endAxes);
    QGridLayout *buildInputRows();
    QGridLayout *buildResultRows(int firstAxis, int lastAxis);
    void buildInputRow(InertiaInput input);
    void buildResultRow(InertiaAxis axis);
    void setTabOrderByLayout();
    void connectEvents();
    void load();

    void compute();
    InertiaEntries entries() const;
    MassMode massMode() const;
    InertiaPick currentPick() const;
    void showPick(const InertiaPick &pick);
    void addToAxis();
    void selectShapeIndex(int index);
    void onShapeChosen();
    void onModeChosen();
    void clearInputs();
    void copyResult(int axis, bool withUnit);
    // The result the Edit menu copies.
    int currentResult() const;
    void setDefaultUnits();
    void takeDensity();
    // The density window's choice: the density and its unit, or nullopt when
    // the user closed it without choosing.
    std::optional<std::pair<float, QString>> findDensity();
    void closeAsOff();

    std::array<InputControls, InertiaInputCount> m_inputs;
    std::array<ResultControls, InertiaAxisCount> m_results;
    QComboBox *m_cmbShape = nullptr;
    QLabel *m_picShape = nullptr;
    QRadioButton *m_optDensity = nullptr;
    QRadioButton *m_optMass = nullptr;
    QToolButton *m_cmdFindDensity = nullptr;
    QLabel *m_label19 = nullptr;
    QComboBox *m_cmbResultUnits = nullptr;
    QLabel *m_lblInputProblem = nullptr;
    DigitsNotation *m_format = nullptr;
    PictureButton *m_cmdOn = nullptr;
    PictureButton *m_cmdOff = nullptr;
    LogoButton *m_imgLogo = nullptr;
    QPushButton *m_cmdCompute = nullptr;
    QAction *m_mnuSetDefaultUnits = nullptr;
    InertiaPickPane *m_pickPane = nullptr; // pick mode only
    std::optional<InertiaPick> m_pick;

    QStringList m_shapeNames;
    QString m_shape;
    bool m_suppressCompute = false;
};
