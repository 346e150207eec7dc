#pragma once
// A result row the calculators share: the value in a sunken box beside its
// two copy keys ("number" and "number unit"), and the clipboard they fill.

#include "core/verdicttone.h"
#include "widgets/picturebutton.h"

#include <QSize>
#include <QString>

#include <cstddef>
#include <optional>

class QLabel;
class QWidget;

inline const QSize CopyKeySize(30, 30);

struct ResultRowControls
{
    PictureButton *copyValue = nullptr;
    PictureButton *copyAll = nullptr;
    QLabel *value = nullptr;
};

// A row's controls on parent: the copy keys cmdCopyValue_<suffix> and
// cmdCopyAll_<suffix>, spoken as copying spoken, and the value label named
// valueName, at least valueWidth wide. The caller lays them out.
ResultRowControls MakeResultRow(QWidget *parent, const QString &suffix, const QString &valueName,
                                const QString &spoken, int valueWidth);

// The first row whose copy key holds the focus; nullopt when none does.
template <typename Rows> std::optional<std::size_t> FocusedResultRow(const Rows &rows)
{
    std::size_t index = 0;
    for (const ResultRowControls &row : rows) {
        if (row.copyValue && (row.copyValue->hasFocus() || row.copyAll->hasFocus()))
            return index;
        ++index;
    }
    return std::nullopt;
}

// Puts a text on the clipboard, replacing whatever it held.
void CopyText(const QString &text);

// Colours a verdict's label by its tone; the style is set only when it
// changes, since a new style sheet restyles the label.
void ShowTone(QLabel *label, VerdictTone tone);
