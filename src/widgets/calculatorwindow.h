#pragma once
// What every calculator window does the same way: the Options and Help menus
// and the logo, the Tooltips option read at load and shown on the tag hints,
// its settings written exactly once on every way out (Off, the close box,
// Esc, a closing double-click, or the program quitting with it open), and the
// keyboard focus put back where the window wants it after a menu, the logo or
// a return to the window.

#include "widgets/chrome.h"

#include <QDialog>

#include <functional>

class DigitsNotation;
class EditViewMenus;
class QMenuBar;
class WindowContext;

class CalculatorWindow : public QDialog
{
    Q_OBJECT
public:
    void done(int result) override;
    // A window built only to be drawn unseen (the warm-up after start) keeps
    // no settings when it goes: the user never had it open.
    void keepNoSettings() { m_settingsSaved = true; }

protected:
    CalculatorWindow(WindowContext &context, QWidget *parent);

    WindowContext &context() const { return m_context; }

    // The menu bar with the Options and Help menus, tagged for this window.
    QMenuBar *createMenus(const CalculatorMenus::Offsets &offsets);
    CalculatorMenus *menus() const { return m_menus; }
    // The Edit and View menus, put before the Options and Help menus; View
    // shows and steps format. Called after createMenus().
    EditViewMenus *createEditViewMenus(QMenuBar *menuBar, DigitsNotation &format);
    EditViewMenus *editViewMenus() const { return m_editViewMenus; }
    // For a window of result rows: Edit's copy entries copy its current
    // result, without or with the unit; Paste puts the clipboard's "number
    // unit" into the number box holding the focus; a change of the digits or
    // notation shows the results again.
    void connectResultEntries(DigitsNotation &format, const std::function<void(bool withUnit)> &copyCurrent,
                              const std::function<void()> &showResults);
    // The maker's logo; the focus goes home after the contact window closes.
    LogoButton *createLogo();

    // Reads the Tooltips option into the menu and shows or hides the tag
    // hints to match. Called in the load, once the controls exist.
    void loadTooltipsOption();
    bool tooltipsChecked() const;

    // The window's own entries; the Tooltips option is written after them.
    virtual void saveSettings() = 0;
    // Writes the settings unless this way out already did. A derived window
    // calls it in its destructor too, while its state still exists.
    void saveSettingsOnce();

    // Where the keyboard focus belongs: after menus, the logo, and whenever
    // the window becomes active.
    virtual void focusHome() = 0;

    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void pasteIntoFocusedBox();
    // When the store refused the settings, tells the user, once per run (msgSettingsNotSaved).
    void tellIfSettingsNotSaved();

    WindowContext &m_context;
    CalculatorMenus *m_menus = nullptr;
    EditViewMenus *m_editViewMenus = nullptr;
    bool m_tooltipsAtLoad = true;
    bool m_settingsSaved = false;
};
