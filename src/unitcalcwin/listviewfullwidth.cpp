#include "unitcalcwin/listviewfullwidth.h"

#include "widgets/windowcontext.h"

#include <QTreeWidget>

#include <exception>
#include <stdexcept>

namespace {
const QString ProcedureLabel = QStringLiteral("ListViewFullWidth in Standard");
// Error numbers as the report window lists them: a missing object, any other failure.
constexpr int ObjectNotSetError = 91;
constexpr int GeneralError = 5;
} // namespace

bool ListViewFullWidth(const WindowContext &context, QTreeWidget *listView)
{
    if (!listView) {
        context.reportError(ObjectNotSetError,
                            QStringLiteral("No list view was given for full-row selection."), ProcedureLabel);
        return false;
    }
    try {
        listView->setSelectionBehavior(QAbstractItemView::SelectRows);
        listView->setAllColumnsShowFocus(true);
        return true;
    } catch (const std::exception &error) {
        context.reportError(GeneralError, QString::fromLocal8Bit(error.what()), ProcedureLabel);
    } catch (...) {
        context.reportError(GeneralError, QStringLiteral("Unknown error"), ProcedureLabel);
    }
    return false;
}
