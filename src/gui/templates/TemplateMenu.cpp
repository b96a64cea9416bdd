#include "gui/templates/TemplateMenu.h"

#include "core/templates/TemplateList.h"
#include "core/text/ShiftJis.h"
#include "gui/controls/Looks.h"
#include "gui/templates/TemplateDraw.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace {

const char16_t kFullWidthColon = u'\uFF1A';

// Template captions are the only ones in these menus that begin with "&", a page key and the full-width colon.
bool IsTemplateItem(const QStyleOption* option) {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item || item->menuItemType != QStyleOptionMenuItem::Normal)
        return false;
    const QString& text = item->text;
    if (text.size() < 3 || text[0] != u'&' || text[2] != QChar(kFullWidthColon))
        return false;
    const char16_t key = text[1].unicode();
    return (key >= u'1' && key <= u'9') || (key >= u'A' && key <= u'F');
}

} // namespace

TTemplateMenuStyle::TTemplateMenuStyle(const TTemplateMenu* templateMenu) : FTemplateMenu(templateMenu) {}

QFont TTemplateMenuStyle::TemplateItemFont(const QFont& prepared) {
    return TemplateMenuFont(prepared);
}

int TTemplateMenuStyle::TemplateItemMeasure(const QFont& prepared, const QString& caption) {
    return QFontMetrics(TemplateItemFont(prepared)).horizontalAdvance(caption) + 15;
}

void TTemplateMenuStyle::TemplateItemDraw(QPainter& canvas, const QRect& rect, const QFont& prepared,
                                          const QByteArray& caption, const QBrush& background,
                                          const QColor& textColor) {
    canvas.save();
    canvas.fillRect(rect, background);
    canvas.setFont(TemplateItemFont(prepared));
    // The first piece starts with the "&" of the key, which is measured but not drawn: 8 pixels go back.
    DrawMarkedText(canvas, rect, rect.left() + 21 + 2, caption, textColor, 8, 1);
    canvas.restore();
}

void TTemplateMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const {
    if (element != CE_MenuItem || !IsTemplateItem(option)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const auto* item = static_cast<const QStyleOptionMenuItem*>(option);
    QByteArray caption;
    const auto* menu = qobject_cast<const QMenu*>(widget);
    const QAction* action = menu ? menu->actionAt(item->rect.center()) : nullptr;
    if (action && FTemplateMenu)
        caption = FTemplateMenu->CaptionOf(action->data().toInt());
    if (caption.isEmpty())
        caption = sjis::fromUnicodeUrl(item->text);
    const bool selected = item->state & State_Selected;
    const bool enabled = item->state & State_Enabled;
    const QPalette& palette = item->palette;
    const QColor textColor = selected  ? palette.color(QPalette::HighlightedText)
                             : enabled ? palette.color(QPalette::Text)
                                       : palette.color(QPalette::Disabled, QPalette::Text);
    TemplateItemDraw(*painter, item->rect, item->font, caption,
                     selected ? palette.brush(QPalette::Highlight) : palette.brush(QPalette::Window), textColor);
}

QSize TTemplateMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                           const QWidget* widget) const {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem && IsTemplateItem(option)) {
        const auto* item = static_cast<const QStyleOptionMenuItem*>(option);
        result.setWidth(TemplateItemMeasure(item->font, item->text));
    }
    return result;
}

TTemplateMenu::TTemplateMenu(QMenu* tmiTemplate, QObject* owner)
    : QObject(owner), FMenu(tmiTemplate), FStyle(new TTemplateMenuStyle(this)) {
    FStyle->setParent(this);
    tmiTemplate->setStyle(FStyle);
}

TTemplateMenu::~TTemplateMenu() {
    FreeItems();
    if (FMenu)
        FMenu->setStyle(nullptr);
}

void TTemplateMenu::SetFixedItems(QAction* addTemplateItem, QAction* editTemplateItem) {
    FAddItem = addTemplateItem;
    FEditItem = editTemplateItem;
}

QString TTemplateMenu::NextPageCaption() {
    return tr("      << 次を表示(&N) >>");
}

QByteArray TTemplateMenu::CaptionOf(int index) const {
    if (index < 0 || index >= FList.size())
        return QByteArray();
    return TemplateMenuCaption(index % TemplatesPerPage, FList[index]);
}

QList<QMenu*> TTemplateMenu::Pages() const {
    QList<QMenu*> pages;
    if (FMenu)
        pages.append(FMenu);
    pages.append(FPages);
    return pages;
}

void TTemplateMenu::FreeItems() {
    // The items are children of the drop-down and of the pages: when the drop-down is gone, so are they.
    if (!FMenu) {
        FPages.clear();
        FTopItems.clear();
        return;
    }
    if (FAddItem)
        FMenu->removeAction(FAddItem);
    if (FEditItem)
        FMenu->removeAction(FEditItem);
    // Deepest page first, so that no page is freed while a page below it still hangs from it; a page frees
    // its own template items.
    while (!FPages.isEmpty())
        delete FPages.takeLast();
    while (!FTopItems.isEmpty())
        delete FTopItems.takeLast();
}

QAction* TTemplateMenu::NewTemplateItem(QMenu* page, int index) {
    auto* item = new QAction(TemplateMenuCaptionText(index % TemplatesPerPage, FList.value(index)), page);
    item->setData(index);
    connect(item, &QAction::triggered, this, [this, index] { emit TemplateItemClick(index); });
    page->addAction(item);
    return item;
}

void TTemplateMenu::FillPage(int pageIndex) {
    QMenu* page = pageIndex == 0 ? FMenu.data() : FPages[pageIndex - 1];
    const int first = pageIndex * TemplatesPerPage;
    const int end = static_cast<int>(qMin<qsizetype>(first + TemplatesPerPage, FList.size()));
    for (int k = first; k < end; ++k) {
        QAction* item = NewTemplateItem(page, k);
        if (pageIndex == 0)
            FTopItems.append(item);
    }
    if (end < FList.size()) {
        auto* next = new QMenu(NextPageCaption(), FMenu);
        next->setIcon(FNextIcon);
        next->setStyle(FStyle);
        page->addMenu(next);
        FPages.append(next);
        const int nextIndex = pageIndex + 1;
        connect(next, &QMenu::aboutToShow, this, [this, nextIndex] { FillPagesUpTo(nextIndex + 1); });
    }
    FFilledPages = pageIndex + 1;
}

void TTemplateMenu::FillPagesUpTo(int pageIndex) {
    while (FFilledPages <= pageIndex && FFilledPages <= FPages.size())
        FillPage(FFilledPages);
}

int TTemplateMenu::PageCount() const {
    return static_cast<int>(qMax<qsizetype>(1, (FList.size() + TemplatesPerPage - 1) / TemplatesPerPage));
}

void TTemplateMenu::BuildTemplateMenu(const QList<QByteArray>& list) {
    FreeItems();
    FList = list;
    FFilledPages = 0;
    if (!FMenu)
        return;
    // A page gets its items when the page before it opens, so that the page on screen always has its next
    // page ready: a rebuild costs the same for 20 templates as for 20,000.
    FillPagesUpTo(1);
    FTopItems.append(FMenu->addSeparator());
    if (FAddItem)
        FMenu->addAction(FAddItem);
    if (FEditItem)
        FMenu->addAction(FEditItem);
}
