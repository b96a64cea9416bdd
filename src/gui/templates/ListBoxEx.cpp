#include "gui/templates/ListBoxEx.h"

#include "core/templates/TemplateEditRules.h"
#include "core/text/ShiftJis.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

// The strings and their measured widths, side by side.
class TListBoxExModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    QList<QByteArray> Items;
    QList<int> Widths;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(Items.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Items.size())
            return {};
        return sjis::toUnicode(Items[index.row()]);
    }

    void Insert(int row, const QByteArray& text, int width) {
        beginInsertRows({}, row, row);
        Items.insert(row, text);
        Widths.insert(row, width);
        endInsertRows();
    }
    void Remove(int first, int count) {
        beginRemoveRows({}, first, first + count - 1);
        Items.remove(first, count);
        Widths.remove(first, count);
        endRemoveRows();
    }
    void Reset(QList<QByteArray> items, QList<int> widths) {
        beginResetModel();
        Items = std::move(items);
        Widths = std::move(widths);
        endResetModel();
    }
    void Rearranged(int first, int last) { emit dataChanged(index(first), index(last)); }
};

namespace {

class TListBoxExDelegate final : public QStyledItemDelegate {
public:
    explicit TListBoxExDelegate(TListBoxEx* list) : QStyledItemDelegate(list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setFont(FList->font());
        if (FList->OnDrawItem) {
            FList->OnDrawItem(*painter, index.row(), option.rect, selected);
        } else {
            const QPalette& palette = option.palette;
            painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
            painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
            painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              index.data().toString());
        }
        painter->restore();
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
            FList->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, FList);
        }
    }

    // Every item is as wide as the extent, so the view's contents, and with them the scroll bar, follow it.
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {FList->HorizontalExtent(), FList->ItemHeight()};
    }

private:
    TListBoxEx* FList;
};

} // namespace

TListBoxEx::TListBoxEx(QWidget* parent) : QListView(parent), FModel(new TListBoxExModel(this)) {
    setModel(FModel);
    setItemDelegate(new TListBoxExDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

TListBoxEx::~TListBoxEx() = default;

int TListBoxEx::Count() const {
    return static_cast<int>(FModel->Items.size());
}

QByteArray TListBoxEx::Item(int index) const {
    return FModel->Items.value(index);
}

const QList<QByteArray>& TListBoxEx::Items() const {
    return FModel->Items;
}

int TListBoxEx::MeasureItem(const QByteArray& text) {
    ++FMeasureCount;
    return fontMetrics().horizontalAdvance(sjis::toUnicode(text + ' '));
}

void TListBoxEx::SetHorizontalExtent(int width) {
    FHorizontalExtent = width;
    scheduleDelayedItemsLayout();
}

void TListBoxEx::CountWidth(int width) {
    ++FWidthCounts[width];
}

void TListBoxEx::UncountWidth(int width) {
    const auto it = FWidthCounts.find(width);
    if (it != FWidthCounts.end() && --it->second == 0)
        FWidthCounts.erase(it);
}

void TListBoxEx::GrowExtent(int width) {
    if (width <= FMaxWidth)
        return;
    FMaxWidth = width;
    SetHorizontalExtent(width);
}

void TListBoxEx::RecalcExtent() {
    FWidthCounts.clear();
    for (int width : FModel->Widths)
        CountWidth(width);
    FMaxWidth = FWidthCounts.empty() ? 0 : FWidthCounts.rbegin()->first;
    SetHorizontalExtent(FMaxWidth);
}

void TListBoxEx::ShrinkExtent() {
    const int widest = FWidthCounts.empty() ? 0 : FWidthCounts.rbegin()->first;
    if (widest == FMaxWidth)
        return;
    FMaxWidth = widest;
    SetHorizontalExtent(widest);
}

void TListBoxEx::AddString(const QByteArray& text) {
    InsertString(Count(), text);
}

void TListBoxEx::InsertString(int index, const QByteArray& text) {
    index = qBound(0, index, Count());
    const int width = MeasureItem(text);
    FModel->Insert(index, text, width);
    CountWidth(width);
    GrowExtent(width);
}

void TListBoxEx::DeleteString(int index) {
    if (index < 0 || index >= Count())
        return;
    const int width = FModel->Widths[index];
    FModel->Remove(index, 1);
    UncountWidth(width);
    if (width == FMaxWidth)
        ShrinkExtent();
}

void TListBoxEx::ResetContent() {
    FModel->Reset({}, {});
    FWidthCounts.clear();
    FMaxWidth = 0;
    SetHorizontalExtent(0);
}

void TListBoxEx::SetStrings(const QList<QByteArray>& strings) {
    ResetContent();
    QList<int> widths;
    widths.reserve(strings.size());
    for (const QByteArray& text : strings)
        widths.append(MeasureItem(text));
    FModel->Reset(strings, widths);
    for (int width : widths) {
        CountWidth(width);
        GrowExtent(width);
    }
}

void TListBoxEx::ReplaceString(int index, const QByteArray& text) {
    if (index < 0 || index >= Count())
        return;
    const int oldWidth = FModel->Widths[index];
    const int width = MeasureItem(text);
    FModel->Items[index] = text;
    FModel->Widths[index] = width;
    FModel->Rearranged(index, index);
    UncountWidth(oldWidth);
    CountWidth(width);
    if (oldWidth == FMaxWidth)
        ShrinkExtent();
    GrowExtent(width);
}

void TListBoxEx::DeleteItems(const QList<bool>& doomed) {
    const QList<ItemRun> runs = SelectedRuns(doomed);
    if (runs.isEmpty())
        return;
    const int current = CurrentAfterDelete(doomed, ItemIndex());
    QList<bool> keptSelection;
    bool anyKeptSelected = false;
    const QList<bool> selected = SelectionFlags();
    for (int i = 0; i < Count(); ++i)
        if (!doomed.value(i)) {
            keptSelection.append(selected[i]);
            anyKeptSelected = anyKeptSelected || selected[i];
        }
    for (int i = 0; i < Count(); ++i)
        if (doomed.value(i))
            UncountWidth(FModel->Widths[i]);
    if (runs.size() == 1) {
        FModel->Remove(runs.first().first, runs.first().count);
    } else {
        // Many runs at once: one rebuild instead of a removal (and a pass over the selection) per run.
        QList<QByteArray> items;
        QList<int> widths;
        items.reserve(keptSelection.size());
        widths.reserve(keptSelection.size());
        for (int i = 0; i < Count(); ++i)
            if (!doomed.value(i)) {
                items.append(FModel->Items[i]);
                widths.append(FModel->Widths[i]);
            }
        const int top = verticalScrollBar()->value();
        FModel->Reset(std::move(items), std::move(widths));
        verticalScrollBar()->setValue(top);
    }
    if (anyKeptSelected)
        SetSelectionFlags(keptSelection);
    SetItemIndex(current);
    ShrinkExtent();
}

void TListBoxEx::Reorder(const QList<int>& order, const QList<bool>& selected) {
    if (order.size() != Count())
        return;
    const int current = ItemIndex();
    int newCurrent = current;
    const int size = static_cast<int>(order.size());
    const int* const from = order.constData();
    QByteArray* const oldItems = FModel->Items.data();
    const int* const oldWidths = FModel->Widths.constData();
    QList<QByteArray> items(size);
    QList<int> widths(size);
    QByteArray* const newItems = items.data();
    int* const newWidths = widths.data();
    int first = -1, last = -1;
    for (int i = 0; i < size; ++i) {
        newItems[i] = std::move(oldItems[from[i]]);
        newWidths[i] = oldWidths[from[i]];
        if (from[i] == current)
            newCurrent = i;
        if (from[i] != i) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    FModel->Items = std::move(items);
    FModel->Widths = std::move(widths);
    if (first >= 0)
        FModel->Rearranged(first, last);
    SetSelectionFlags(selected);
    SetItemIndex(newCurrent);
}

int TListBoxEx::ItemIndex() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TListBoxEx::SetItemIndex(int index) {
    if (index < 0 || index >= Count())
        return;
    selectionModel()->setCurrentIndex(FModel->index(index), QItemSelectionModel::NoUpdate);
}

bool TListBoxEx::Selected(int index) const {
    return index >= 0 && index < Count() && selectionModel()->isRowSelected(index, {});
}

void TListBoxEx::SetSelected(int index, bool selected) {
    if (index < 0 || index >= Count())
        return;
    selectionModel()->select(FModel->index(index),
                             selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

int TListBoxEx::SelCount() const {
    int count = 0;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        count += range.height();
    return count;
}

QList<bool> TListBoxEx::SelectionFlags() const {
    QList<bool> flags(Count(), false);
    bool* const flagAt = flags.data();
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom() && row < flags.size(); ++row)
            flagAt[row] = true;
    return flags;
}

void TListBoxEx::SetSelectionFlags(const QList<bool>& selected) {
    QItemSelection selection;
    const QList<ItemRun> runs = SelectedRuns(selected);
    selection.reserve(runs.size());
    for (const ItemRun& run : runs)
        if (run.first + run.count <= Count())
            selection.select(FModel->index(run.first), FModel->index(run.first + run.count - 1));
    // Clearing first keeps this linear: replacing a selection of many ranges with another makes the selection
    // model compare every old range with every new one.
    selectionModel()->clearSelection();
    selectionModel()->select(selection, QItemSelectionModel::Select);
}

void TListBoxEx::SetItemHeight(int height) {
    FItemHeight = height;
    scheduleDelayedItemsLayout();
}

void TListBoxEx::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    if (OnKeyDown)
        OnKeyDown(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    // A list box leaves keys held with Alt to the window.
    if (event->modifiers() & Qt::AltModifier) {
        event->ignore();
        return;
    }
    // Left and Right step through a one-column list as Up and Down do.
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        QKeyEvent step(event->type(), key == Qt::Key_Left ? Qt::Key_Up : Qt::Key_Down, event->modifiers(),
                       event->text(), event->isAutoRepeat(), event->count());
        QListView::keyPressEvent(&step);
        event->setAccepted(step.isAccepted());
        return;
    }
    QListView::keyPressEvent(event);
}

void TListBoxEx::keyReleaseEvent(QKeyEvent* event) {
    QListView::keyReleaseEvent(event);
    if (OnKeyUp && !event->isAutoRepeat())
        OnKeyUp(event->key(), event->modifiers());
}

void TListBoxEx::mousePressEvent(QMouseEvent* event) {
    QListView::mousePressEvent(event);
    if (OnMouseDown)
        OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TListBoxEx::changeEvent(QEvent* event) {
    QListView::changeEvent(event);
    if (event->type() != QEvent::FontChange)
        return;
    for (qsizetype i = 0; i < FModel->Widths.size(); ++i)
        FModel->Widths[i] = MeasureItem(FModel->Items[i]);
    FMaxWidth = 0;
    RecalcExtent();
}

// The view would measure every changed range to find the area to repaint; with a scattered selection of
// many ranges repainting the visible items costs less.
void TListBoxEx::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    constexpr qsizetype manyRanges = 64;
    if (selected.size() + deselected.size() <= manyRanges) {
        QListView::selectionChanged(selected, deselected);
        return;
    }
    viewport()->update();
}
