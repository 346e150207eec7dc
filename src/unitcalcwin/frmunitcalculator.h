#pragma once
#include "widgets/calculatorwindow.h"

struct ConversionRow;
struct PastedUnit;
class DigitsNotation;
class DigitsScrollBar;
class PictureButton;
class QAction;
class QActionGroup;
class QComboBox;
class QFrame;
class QLineEdit;
class QListWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

// The unit calculator: one value in one unit, shown in every other unit of its type.
// Constructing it runs its load (settings, lists, clipboard); exec() shows it.
class frmUnitCalculator : public CalculatorWindow
{
    Q_OBJECT
    Q_PROPERTY(bool USConvention READ usConvention WRITE setUSConvention)
    Q_PROPERTY(int DisplayDigits READ displayDigits WRITE setDisplayDigits)
    Q_PROPERTY(bool NotationMode READ notationMode WRITE setNotationMode)
    Q_PROPERTY(bool IsLoading READ isLoading)
    Q_PROPERTY(QString CopySeparator READ copySeparator WRITE setCopySeparator)

public:
    explicit frmUnitCalculator(WindowContext &context, QWidget *parent = nullptr);
    ~frmUnitCalculator() override;

    // Display properties: setting one updates its own control only; the
    // caller refreshes when it wants the list to follow.
    bool usConvention() const { return m_usConvention; }
    void setUSConvention(bool on);
    int displayDigits() const;
    void setDisplayDigits(int digits);
    bool notationMode() const;
    void setNotationMode(bool on);
    bool isLoading() const { return m_isLoading; }
    QString copySeparator() const { return m_copySeparator; }
    void setCopySeparator(const QString &separator) { m_copySeparator = separator; }

    void FillUnitTypesList();
    void FillUnitsList(const QString &unitType);
    void RefreshConversions(const QString &unitType, const QString &unit, const QString &number);
    void PasteFromClipboard();
    void CopySelectedValue();
    void CopySelectedValueAndUnits();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void saveSettings() override;
    void focusHome() override;

private:
    void buildControls();
    void buildToolbar();
    void buildDigits();
    void buildEntry();
    void buildConversionList();
    void buildKeys();
    void layoutControls(QWidget *menuBar);
    QAction *addToolbarButton(const QString &key, const QString &art, const QString &toolTip,
                              const QString &tag, bool checkable, QAction *menuEntry);
    void connectEvents();
    void load();

    void refresh();
    void focusNumberUnlessLoading();
    void selectUnitTypeRow(int row);
    // The row of unitType in the unit type list, or -1.
    int unitTypeRow(const QString &unitType) const;
    // Selects the type and unit a paste names.
    void choosePastedUnit(const PastedUnit &unit);
    // The decimal mark the conversion rows are written with.
    QChar rowDecimalMark() const { return m_usConvention ? QLatin1Char('.') : QLatin1Char(','); }
    void selectUnitIndex(int index);
    void onUnitTypeChosen(int row);
    void onDigitsChanged();
    void onToolbarButton(const QString &key);
    void onClear();
    void closeAsOff();
    // Copies the selected row as value and unit and closes: double-click or Enter.
    void chooseSelectedRow();
    // A row spanning the list that says why there are no (or not all) results; it cannot be selected.
    void showMessageRow(const QString &text);
    // Writes new values into the rows when the list already shows these
    // units with no message; false (nothing changed) otherwise.
    bool updateValuesInPlace(const QList<ConversionRow> &rows);
    QTreeWidgetItem *selectedRow() const;

    QToolBar *m_tlbrUnitCalc = nullptr;
    QAction *m_copyAll = nullptr;
    QAction *m_copyNumber = nullptr;
    QAction *m_sciNotation = nullptr;
    QAction *m_englishDecimal = nullptr;
    QAction *m_europeanDecimal = nullptr;
    QActionGroup *m_decimalPair = nullptr;
    QLineEdit *m_txtLabel = nullptr;
    QLineEdit *m_txtDigits = nullptr;
    DigitsScrollBar *m_vscrlDigits = nullptr;
    QFrame *m_frame1 = nullptr;
    QFrame *m_frame2 = nullptr;
    QFrame *m_frame3 = nullptr;
    QListWidget *m_cmbUnitTypes = nullptr;
    QLineEdit *m_txtNumber = nullptr;
    QComboBox *m_cmbUnits = nullptr;
    QTreeWidget *m_lvConversions = nullptr;
    PictureButton *m_cmdOn = nullptr;
    PictureButton *m_cmdOff = nullptr;
    LogoButton *m_imgLogo = nullptr;

    DigitsNotation *m_format = nullptr;
    bool m_usConvention = true;
    bool m_isLoading = false;
    // The unit list's current choice came from a mouse click in its open list.
    bool m_unitClicked = false;
    QString m_copySeparator;
};
