#pragma once
class QTreeWidget;
class WindowContext;
// Switches the list view to full-row selection; false (after an error report) on failure.
bool ListViewFullWidth(const WindowContext &context, QTreeWidget *listView);
