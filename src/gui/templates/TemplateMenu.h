#pragma once

#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QProxyStyle>

class QAction;
class QMenu;
class TTemplateMenu;

// Draws and measures the template items of the menu pages (caption "&" + key + full-width colon + template)
// with their caret marker in red; every other item is left to the base style.
class TTemplateMenuStyle final : public QProxyStyle {
    Q_OBJECT
public:
    explicit TTemplateMenuStyle(const TTemplateMenu* templateMenu);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;

    // The font a template item is drawn and measured in.
    static QFont TemplateItemFont(const QFont& prepared);
    // Width of a template item: its whole caption in TemplateItemFont, plus 15.
    static int TemplateItemMeasure(const QFont& prepared, const QString& caption);
    // caption holds the marker; background and textColor are the menu's colours for the item's state.
    static void TemplateItemDraw(QPainter& canvas, const QRect& rect, const QFont& prepared, const QByteArray& caption,
                                 const QBrush& background, const QColor& textColor);

private:
    const TTemplateMenu* FTemplateMenu;
};

// The template menu: the templates in pages of 15, each further page in the submenu of a "next" item after
// the fifteenth item of the page before, then a separator and the two fixed items. The items it builds
// belong to it and are freed at the next build; the fixed items are only moved. Further pages are filled
// one step ahead of the page the user opens.
class TTemplateMenu final : public QObject {
    Q_OBJECT
public:
    // tmiTemplate: the drop-down whose items are the first page. The helper is a child of owner.
    TTemplateMenu(QMenu* tmiTemplate, QObject* owner);
    ~TTemplateMenu() override;

    // The add and edit items that end the first page (bound to their commands by the caller).
    void SetFixedItems(QAction* addTemplateItem, QAction* editTemplateItem);
    // Image of the next-page item.
    void SetNextPageIcon(const QIcon& icon) { FNextIcon = icon; }

    // Frees the items of the previous build, then builds the pages for list (a copy is kept for drawing).
    void BuildTemplateMenu(const QList<QByteArray>& list);

    // The caption of the template item that stands for list entry index.
    QByteArray CaptionOf(int index) const;
    // The pages made so far, the first being tmiTemplate. A page is filled when the page before it opens.
    QList<QMenu*> Pages() const;
    // Pages the whole list takes (at least one).
    int PageCount() const;

    static QString NextPageCaption();

signals:
    // A template item was chosen; index is its entry in the list the menu was built from.
    void TemplateItemClick(int index);

private:
    void FreeItems();
    QAction* NewTemplateItem(QMenu* page, int index);
    // Puts its templates and, when more follow, the next item with an empty page onto page pageIndex.
    void FillPage(int pageIndex);
    void FillPagesUpTo(int pageIndex);

    QPointer<QMenu> FMenu;
    QPointer<QAction> FAddItem;
    QPointer<QAction> FEditItem;
    QIcon FNextIcon;
    TTemplateMenuStyle* FStyle;
    QList<QByteArray> FList;
    QList<QMenu*> FPages; // further pages, children of FMenu, in page order
    int FFilledPages = 0;
    QList<QAction*> FTopItems; // template items and separator of the first page, children of FMenu
};
