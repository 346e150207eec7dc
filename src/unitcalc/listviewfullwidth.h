#pragma once
class QTreeWidget;
// Switches the list view to full-row selection; false (after ReportError) on failure.
bool ListViewFullWidth(QTreeWidget *listView);
