#pragma once

#include <QList>

// Rules of the template editor's list that need no window. A selection is one flag per item, in list order.

// Some selected item that is not the first has an unselected item right above it.
bool CanMoveSelectionUp(const QList<bool>& selected);
// Some selected item that is not the last has an unselected item right below it.
bool CanMoveSelectionDown(const QList<bool>& selected);

// Every run of adjacent selected items moves one place up (down) as a whole and stays selected; a run that
// already touches the first (last) item stays. Returns the new order, order[newIndex] = oldIndex, and leaves
// selected in the new order.
QList<int> MoveSelectionUp(QList<bool>& selected);
QList<int> MoveSelectionDown(QList<bool>& selected);

struct ItemRun {
    int first;
    int count;
};
// The runs of adjacent selected items, first to last.
QList<ItemRun> SelectedRuns(const QList<bool>& selected);

// Index of the current item once the selected items are gone: its own new index when it stays, else the
// nearest remaining item above it, else the first remaining item below it; -1 when none remains or there
// was no current item.
int CurrentAfterDelete(const QList<bool>& selected, int current);
