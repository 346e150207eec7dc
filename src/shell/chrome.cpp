#include "shell/chrome.h"
#include <QLineEdit>
#include <QPainter>
bool ShellHyperlink(const QString &) { return false; }
void OpenLinkLabel(QLabel *, bool, QWidget *) {}
void SelectAllText(QLineEdit *box) { box->selectAll(); }
void OpenHelpContents(QWidget *) {}
CalculatorMenus::CalculatorMenus(QMenuBar *, QWidget *window) : QObject(window), m_window(window) {}
LogoButton::LogoButton(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("imgLogo")); }
QSize LogoButton::sizeHint() const { return {165, 36}; }
void LogoButton::paintEvent(QPaintEvent *) {}
void LogoButton::mouseReleaseEvent(QMouseEvent *) {}
void LogoButton::keyPressEvent(QKeyEvent *) {}
void LogoButton::openCompanyInfo() {}
