#pragma once

#include <QByteArray>
#include <QList>
#include <QListView>
#include <functional>
#include <map>

class TListBoxExModel;

// A list of code page 932 strings whose horizontal extent follows its widest item: the width of the item's
// text followed by one blank, in the list's font. The horizontal scroll bar shows while the extent is wider
// than the list. Every change of the strings goes through the string interface below, which keeps the
// extent: adding measures the new item once, deleting measures nothing (widths are kept per item), a font
// change measures every item again.
class TListBoxEx : public QListView {
    Q_OBJECT
public:
    explicit TListBoxEx(QWidget* parent = nullptr);
    ~TListBoxEx() override;

    int Count() const;
    QByteArray Item(int index) const;
    const QList<QByteArray>& Items() const;

    void AddString(const QByteArray& text);
    void InsertString(int index, const QByteArray& text);
    void DeleteString(int index);
    void ResetContent();
    // One clear followed by one addition per string.
    void SetStrings(const QList<QByteArray>& strings);
    // Replaces the text of an item in place, as a deletion followed by an insertion.
    void ReplaceString(int index, const QByteArray& text);
    // Deletes every item whose flag is set, last to first. The current item becomes the nearest remaining
    // one above it (else below) when it goes; remaining items keep their selection.
    void DeleteItems(const QList<bool>& doomed);
    // Puts the items into a new order, order[newIndex] = oldIndex; the current item goes with its item and
    // the selection becomes selected (in the new order).
    void Reorder(const QList<int>& order, const QList<bool>& selected);

    int MaxWidth() const { return FMaxWidth; }
    int HorizontalExtent() const { return FHorizontalExtent; }
    void GrowExtent(int width);
    void RecalcExtent();
    // Width of text followed by one blank in the list's font.
    int MeasureItem(const QByteArray& text);
    // How many texts have been measured since the list was made.
    qint64 MeasureCount() const { return FMeasureCount; }

    // The item with the focus rectangle, -1 when there is none.
    int ItemIndex() const;
    // Makes index the current item without changing the selection.
    void SetItemIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    QList<bool> SelectionFlags() const;
    void SetSelectionFlags(const QList<bool>& selected);

    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);

    // Paints one item; without it the item's text is drawn plainly. The focus rectangle follows it.
    std::function<void(QPainter& canvas, int index, const QRect& rect, bool selected)> OnDrawItem;
    // Runs before the list handles a key; setting key to 0 swallows the key.
    std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(int key, Qt::KeyboardModifiers shift)> OnKeyUp;
    // Runs after the list has handled the press (the current item is already the one under the mouse).
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& pos)> OnMouseDown;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    void SetHorizontalExtent(int width);
    void CountWidth(int width);
    void UncountWidth(int width);
    // After widths went away: the widest remaining, found in the counts of widths.
    void ShrinkExtent();

    TListBoxExModel* FModel;
    int FMaxWidth = 0;
    int FHorizontalExtent = 0;
    int FItemHeight = 16;
    qint64 FMeasureCount = 0;
    std::map<int, int> FWidthCounts; // width -> number of items that wide
};
