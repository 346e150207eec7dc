#include "shell/tooltipsoption.h"
#include <QAction>
void LoadTooltipsOption(QAction *) {}
void ToggleTooltipsOption(QAction *) {}
void SaveTooltipsOption(const QAction *) {}
void ApplyTagHints(QWidget *, bool) {}
