#include "core/templates/TemplateEditRules.h"

#include <algorithm>
#include <numeric>
#include <utility>

bool CanMoveSelectionUp(const QList<bool>& selected) {
    for (qsizetype i = 1; i < selected.size(); ++i)
        if (selected[i] && !selected[i - 1])
            return true;
    return false;
}

bool CanMoveSelectionDown(const QList<bool>& selected) {
    for (qsizetype i = 0; i + 1 < selected.size(); ++i)
        if (selected[i] && !selected[i + 1])
            return true;
    return false;
}

namespace {

QList<int> Identity(qsizetype size) {
    QList<int> order(size);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// Swapping with the unselected neighbour, item by item in the direction of the move, carries a whole run
// along: after one swap the next selected item of the run finds the same unselected item beside it. Raw
// pointers keep the pass cheap also where the list's checked access is not inlined.
void SwapWithNeighbour(int* order, bool* selected, qsizetype i, qsizetype neighbour) {
    std::swap(order[i], order[neighbour]);
    std::swap(selected[i], selected[neighbour]);
}

} // namespace

QList<int> MoveSelectionUp(QList<bool>& selected) {
    QList<int> order = Identity(selected.size());
    int* const orderAt = order.data();
    bool* const selectedAt = selected.data();
    for (qsizetype i = 1; i < selected.size(); ++i)
        if (selectedAt[i] && !selectedAt[i - 1])
            SwapWithNeighbour(orderAt, selectedAt, i, i - 1);
    return order;
}

QList<int> MoveSelectionDown(QList<bool>& selected) {
    QList<int> order = Identity(selected.size());
    int* const orderAt = order.data();
    bool* const selectedAt = selected.data();
    for (qsizetype i = selected.size() - 2; i >= 0; --i)
        if (selectedAt[i] && !selectedAt[i + 1])
            SwapWithNeighbour(orderAt, selectedAt, i, i + 1);
    return order;
}

QList<ItemRun> SelectedRuns(const QList<bool>& selected) {
    QList<ItemRun> runs;
    const int size = static_cast<int>(selected.size());
    const bool* const flags = selected.constData();
    runs.reserve(std::count(flags, flags + size, true) / 2 + 1);
    for (int i = 0; i < size;) {
        if (!flags[i]) {
            ++i;
            continue;
        }
        int end = i;
        while (end < size && flags[end])
            ++end;
        runs.append({i, end - i});
        i = end;
    }
    return runs;
}

int CurrentAfterDelete(const QList<bool>& selected, int current) {
    const int size = static_cast<int>(selected.size());
    if (current < 0 || current >= size)
        return -1;
    int target = current;
    while (target >= 0 && selected[target])
        --target;
    if (target < 0) {
        target = current;
        while (target < size && selected[target])
            ++target;
        if (target == size)
            return -1;
    }
    // Its new index: the remaining items before it.
    int removedBefore = 0;
    for (int i = 0; i < target; ++i)
        removedBefore += selected[i] ? 1 : 0;
    return target - removedBefore;
}
