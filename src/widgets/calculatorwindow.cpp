#include "widgets/calculatorwindow.h"

#include "widgets/artwork.h"
#include "widgets/digitsnotation.h"
#include "widgets/editviewmenus.h"
#include "widgets/numericedit.h"
#include "widgets/tooltipsoption.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>

CalculatorWindow::CalculatorWindow(WindowContext &context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setWindowIcon(ProgramIcon());
    setModal(true);
    KeepWindowPlace(context.settings(), this);
}

QMenuBar *CalculatorWindow::createMenus(const CalculatorMenus::Offsets &offsets)
{
    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("mnuBar"));
    m_menus = new CalculatorMenus(m_context, menuBar, this);
    m_menus->setOffsetTags(offsets);
    connect(m_menus, &CalculatorMenus::helpContentsDone, this, &CalculatorWindow::focusHome);
    connect(m_menus, &CalculatorMenus::aboutDone, this, &CalculatorWindow::focusHome);
    connect(m_menus, &CalculatorMenus::tooltipsToggled, this, &CalculatorWindow::focusHome);
    return menuBar;
}

EditViewMenus *CalculatorWindow::createEditViewMenus(QMenuBar *menuBar, DigitsNotation &format)
{
    m_editViewMenus = new EditViewMenus(menuBar, format, this);
    return m_editViewMenus;
}

void CalculatorWindow::connectResultEntries(DigitsNotation &format,
                                            const std::function<void(bool withUnit)> &copyCurrent,
                                            const std::function<void()> &showResults)
{
    connect(&format, &DigitsNotation::digitsChanged, this, showResults);
    connect(&format, &DigitsNotation::notationChanged, this, showResults);
    connect(m_editViewMenus->mnuEditCopyValue, &QAction::triggered, this,
            [copyCurrent]() { copyCurrent(false); });
    connect(m_editViewMenus->mnuEditCopyValueUnit, &QAction::triggered, this,
            [copyCurrent]() { copyCurrent(true); });
    connect(m_editViewMenus->mnuEditPaste, &QAction::triggered, this, &CalculatorWindow::pasteIntoFocusedBox);
}

void CalculatorWindow::pasteIntoFocusedBox()
{
    auto *box = qobject_cast<NumericEdit *>(focusWidget());
    if (box && box->isEnabled() && !box->isReadOnly())
        box->pasteNumber(QGuiApplication::clipboard()->text(), ClipboardTextDecimalMark());
}

LogoButton *CalculatorWindow::createLogo()
{
    auto *logo = new LogoButton(m_context, this);
    connect(logo, &LogoButton::companyInfoClosed, this, &CalculatorWindow::focusHome);
    return logo;
}

void CalculatorWindow::loadTooltipsOption()
{
    m_tooltipsAtLoad = m_context.settings().tooltips();
    if (m_menus && m_menus->mnuOptionsTooltips)
        m_menus->mnuOptionsTooltips->setChecked(m_tooltipsAtLoad);
    ApplyTagHints(this, m_tooltipsAtLoad, m_context.languageOffset());
}

bool CalculatorWindow::tooltipsChecked() const
{
    return m_menus && m_menus->mnuOptionsTooltips ? m_menus->mnuOptionsTooltips->isChecked()
                                                  : m_tooltipsAtLoad;
}

void CalculatorWindow::saveSettingsOnce()
{
    if (m_settingsSaved)
        return;
    m_settingsSaved = true;
    saveSettings();
    m_context.settings().setTooltips(tooltipsChecked());
}

void CalculatorWindow::tellIfSettingsNotSaved()
{
    const QString failure = m_context.settings().takeWriteFailure();
    if (failure.isEmpty() || !m_context.firstToTellSettingsNotSaved())
        return;
    QMessageBox box(QMessageBox::Warning, windowTitle(), failure, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("msgSettingsNotSaved"));
    box.exec();
}

void CalculatorWindow::done(int result)
{
    saveSettingsOnce();
    // Only on a way out the user took: a window destroyed with the program
    // has no one left to tell.
    tellIfSettingsNotSaved();
    QDialog::done(result);
}

void CalculatorWindow::showEvent(QShowEvent *event)
{
    // Shown again after a close: its next way out saves again.
    m_settingsSaved = false;
    QDialog::showEvent(event);
}

bool CalculatorWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        focusHome();
    return QDialog::event(event);
}
