#include "unitcalc/listviewfullwidth.h"
#include <QTreeWidget>
bool ListViewFullWidth(QTreeWidget *listView)
{
    listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    return true;
}
