#include "gui/templates/EditTemplate.h"

#include "core/settings/VelGlobals.h"
#include "core/templates/TemplateEditRules.h"
#include "core/templates/TemplateList.h"
#include "core/text/ShiftJis.h"
#include "gui/controls/Actions.h"
#include "gui/controls/Looks.h"
#include "gui/controls/OneLineEdit.h"
#include "gui/controls/VelUtils.h"
#include "gui/templates/ListBoxEx.h"
#include "gui/templates/TemplateDraw.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>

namespace {

// A one-line box that keeps its caret and selection when it gains the focus (a plain line edit selects all
// on a tab or on the dialog's first focus).
class TKeepCaretEdit final : public TOneLineEdit {
public:
    using TOneLineEdit::TOneLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override {
        const int cursor = cursorPosition();
        const int start = selectionStart();
        const int length = selectionLength();
        TOneLineEdit::focusInEvent(event);
        if (start < 0) {
            deselect();
            setCursorPosition(cursor);
        } else if (cursor == start) {
            setSelection(start + length, -length);
        } else {
            setSelection(start, length);
        }
    }
};

// The move buttons' glyph: a blue triangle, grey while the button is disabled.
QIcon TriangleIcon(bool up) {
    const auto paint = [up](const QColor& fill, const QColor& edge) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        if (up) {
            path.moveTo(8, 2);
            path.lineTo(15, 13);
            path.lineTo(1, 13);
        } else {
            path.moveTo(1, 3);
            path.lineTo(15, 3);
            path.lineTo(8, 14);
        }
        path.closeSubpath();
        painter.setPen(edge);
        painter.setBrush(fill);
        painter.drawPath(path);
        return pixmap;
    };
    QIcon icon;
    icon.addPixmap(paint(QColor(0x33, 0x66, 0xFF), QColor(0x00, 0x00, 0x99)), QIcon::Normal);
    icon.addPixmap(paint(QColor(0xC0, 0xC0, 0xC0), QColor(0x80, 0x80, 0x80)), QIcon::Disabled);
    return icon;
}

QToolButton* SpeedButton(QWidget* parent, const char* name, const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QFont TemplateFont() {
    return TemplateEditFont();
}

void PostKey(QWidget* target, QEvent::Type type, int key) {
    QCoreApplication::postEvent(target, new QKeyEvent(type, key, Qt::NoModifier));
}

} // namespace

bool AskConfirmation(const QString& text) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("TfrmEditTemplate", "確認"), text,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.show();
    box.raise();
    box.activateWindow();
    return box.exec() == QMessageBox::Yes;
}

TfrmEditTemplate::TfrmEditTemplate(QWidget* owner) : TVelDialog(owner, tr("テンプレートの編集"), QSize(376, 333)) {
    setObjectName(QStringLiteral("frmEditTemplate"));
    // The editor's frame offers its close button and nothing else.
    setWindowFlag(Qt::CustomizeWindowHint);
    CreateControls();
    CreateActions();
    FormCreate();
}

TfrmEditTemplate::~TfrmEditTemplate() = default;

void TfrmEditTemplate::CreateControls() {
    pnlEditTemplate = SetUpPanel("pnlEditTemplate", {365, 291});
    CreateListControls();
    CreateEditControls();

    btnClose = new QPushButton(tr("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(284, 304, 88, 23);
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &TfrmEditTemplate::btnCloseClick);

    setTabOrder(lbTemplate, edTemplate);
    setTabOrder(edTemplate, btnClose);
}

void TfrmEditTemplate::CreateListControls() {
    lbTemplate = new TListBoxEx(pnlEditTemplate);
    lbTemplate->setObjectName(QStringLiteral("lbTemplate"));
    lbTemplate->setGeometry(13, 28, 305, 164);
    lbTemplate->setFont(TemplateFont());
    lbTemplate->SetItemHeight(20);
    lbTemplate->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbTemplate->OnDrawItem = [this](QPainter& canvas, int index, const QRect& rect, bool selected) {
        lbTemplateDrawItem(canvas, index, rect, selected);
    };
    lbTemplate->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { lbTemplateKeyDown(key, shift); };
    lbTemplate->OnKeyUp = [this](int, Qt::KeyboardModifiers) { lbTemplateKeyUp(); };
    lbTemplate->OnMouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers, const QPoint&) { lbTemplateMouseDown(); };

    lblTemplateList = new QLabel(tr("キャレット位置が赤で表示されています(&L)"), pnlEditTemplate);
    lblTemplateList->setObjectName(QStringLiteral("lblTemplateList"));
    lblTemplateList->setGeometry(13, 12, 212, 12);
    WidenToText(lblTemplateList);
    lblTemplateList->setBuddy(lbTemplate);

    sbMoveUp = SpeedButton(pnlEditTemplate, "sbMoveUp", {323, 65, 30, 40});
    sbMoveUp->setIcon(TriangleIcon(true));
    sbMoveDown = SpeedButton(pnlEditTemplate, "sbMoveDown", {323, 113, 30, 40});
    sbMoveDown->setIcon(TriangleIcon(false));
}

void TfrmEditTemplate::CreateEditControls() {
    edTemplate = new TKeepCaretEdit(pnlEditTemplate);
    edTemplate->setObjectName(QStringLiteral("edTemplate"));
    edTemplate->setGeometry(13, 221, 305, 24);
    edTemplate->setFont(TemplateFont());

    Label1 = new QLabel(tr("文字列とキャレット位置を設定してください(&E)"), pnlEditTemplate);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(14, 204, 225, 12);
    WidenToText(Label1);
    Label1->setBuddy(edTemplate);

    sbReplace = SpeedButton(pnlEditTemplate, "sbReplace", {13, 258, 60, 21});
    sbAdd = SpeedButton(pnlEditTemplate, "sbAdd", {81, 258, 60, 21});
    sbDelete = SpeedButton(pnlEditTemplate, "sbDelete", {149, 258, 60, 21});
    sbInitialize = SpeedButton(pnlEditTemplate, "sbInitialize", {217, 258, 101, 21});
}

void TfrmEditTemplate::CreateActions() {
    alEditTemplate = new TActionList(this);
    alEditTemplate->setObjectName(QStringLiteral("alEditTemplate"));
    using Row = TActionList::Row<TfrmEditTemplate>;
    using T = TfrmEditTemplate;
    static const Row rows[] = {
        {"actReplace", QT_TRANSLATE_NOOP("TfrmEditTemplate", "置換(&R)"), &T::actReplaceUpdate, &T::actReplaceExecute,
         &T::actReplace},
        {"actAdd", QT_TRANSLATE_NOOP("TfrmEditTemplate", "追加(&A)"), &T::actAddUpdate, &T::actAddExecute, &T::actAdd},
        {"actDelete", QT_TRANSLATE_NOOP("TfrmEditTemplate", "削除(&D)"), &T::actDeleteUpdate, &T::actDeleteExecute,
         &T::actDelete},
        {"actInitialize", QT_TRANSLATE_NOOP("TfrmEditTemplate", "リストを初期化(&Z)"), &T::actInitializeUpdate,
         &T::actInitializeExecute, &T::actInitialize},
        {"actMoveUp", "", &T::actMoveUpUpdate, &T::actMoveUpExecute, &T::actMoveUp},
        {"actMoveDown", "", &T::actMoveDownUpdate, &T::actMoveDownExecute, &T::actMoveDown},
    };
    alEditTemplate->Add(this, rows);
    const std::pair<TAction*, QToolButton*> bindings[] = {
        {actReplace, sbReplace},       {actAdd, sbAdd},       {actDelete, sbDelete},
        {actInitialize, sbInitialize}, {actMoveUp, sbMoveUp}, {actMoveDown, sbMoveDown},
    };
    for (const auto& [action, button] : bindings)
        action->Bind(button);
}

// Qt paints every widget through a back buffer, so the list needs no double buffering of its own.
void TfrmEditTemplate::FormCreate() {
    lbTemplate->SetStrings(VelGlobals::TemplateList);
}

void TfrmEditTemplate::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        FormShow();
    TVelDialog::showEvent(event);
}

void TfrmEditTemplate::FormShow() {
    lbTemplate->setFocus();
    if (lbTemplate->Count() > 0) {
        lbTemplate->SetItemIndex(0);
        lbTemplate->SetSelected(0, true);
    }
    edTemplate->setFocus();
    if (lbTemplate->Count() > 0)
        ShowCurrentTemplate();
}

void TfrmEditTemplate::done(int result) {
    FormCloseQuery();
    QDialog::done(result);
}

void TfrmEditTemplate::FormCloseQuery() {
    VelGlobals::TemplateList = lbTemplate->Items();
}

void TfrmEditTemplate::btnCloseClick() {
    close();
}

QByteArray TfrmEditTemplate::EditText() const {
    return sjis::fromUnicodeUrl(edTemplate->text());
}

qsizetype TfrmEditTemplate::EditCaret() const {
    const int start = edTemplate->selectionStart();
    const int caret = start >= 0 ? start : edTemplate->cursorPosition();
    return sjis::fromUnicodeUrl(QStringView(edTemplate->text()).left(caret)).size();
}

QByteArray TfrmEditTemplate::Candidate() const {
    return InsertCaretMarker(EditText(), EditCaret());
}

void TfrmEditTemplate::ShowCurrentTemplate() {
    if (lbTemplate->Count() == 0) {
        edTemplate->clear();
        return;
    }
    const int current = lbTemplate->ItemIndex();
    if (current < 0)
        return;
    const MarkerSplit split = ExtractCaretMarker(lbTemplate->Item(current));
    if (EditText() == split.text)
        return;
    const QString text = sjis::toUnicode(split.text);
    edTemplate->setText(text);
    edTemplate->setCursorPosition(static_cast<int>(sjis::decodedIndexOf(split.text, split.caret.value_or(0))));
}

void TfrmEditTemplate::actReplaceUpdate(TAction* action) {
    // Replacing works on the current item: without one it would do nothing.
    action->SetEnabled(lbTemplate->ItemIndex() >= 0 && !IsDuplicateTemplate(lbTemplate->Items(), Candidate()));
}

void TfrmEditTemplate::actAddUpdate(TAction* action) {
    action->SetEnabled(!edTemplate->text().isEmpty() && !IsDuplicateTemplate(lbTemplate->Items(), Candidate()));
}

void TfrmEditTemplate::actDeleteUpdate(TAction* action) {
    action->SetEnabled(lbTemplate->SelCount() > 0);
}

void TfrmEditTemplate::actInitializeUpdate(TAction* action) {
    // Thirteen entries is the only size the default text can have; other sizes differ without forming a text.
    action->SetEnabled(lbTemplate->Count() != 13 || TemplateListText(lbTemplate->Items()) != DefaultTemplateText());
}

void TfrmEditTemplate::actMoveUpUpdate(TAction* action) {
    action->SetEnabled(CanMoveSelectionUp(lbTemplate->SelectionFlags()));
}

void TfrmEditTemplate::actMoveDownUpdate(TAction* action) {
    action->SetEnabled(CanMoveSelectionDown(lbTemplate->SelectionFlags()));
}

void TfrmEditTemplate::actReplaceExecute(TAction*) {
    const int current = lbTemplate->ItemIndex();
    if (current < 0)
        return;
    lbTemplate->ReplaceString(current, Candidate());
    lbTemplate->SetSelected(current, true);
}

void TfrmEditTemplate::actAddExecute(TAction*) {
    lbTemplate->AddString(Candidate());
    const int added = lbTemplate->Count() - 1;
    lbTemplate->clearSelection();
    // The new item becomes current, also in a list that had none, so that Replace acts on it.
    lbTemplate->SetItemIndex(added);
    lbTemplate->SetSelected(added, true);
    lbTemplate->scrollTo(lbTemplate->model()->index(added, 0));
}

void TfrmEditTemplate::actDeleteExecute(TAction*) {
    if (!Ask(tr("選択されたテンプレートを削除してもよろしいですか？")))
        return;
    lbTemplate->DeleteItems(lbTemplate->SelectionFlags());
    lbTemplate->viewport()->update();
    if (lbTemplate->Count() > 0)
        lbTemplate->SetSelected(lbTemplate->ItemIndex(), true);
    lbTemplate->setFocus();
    // Up then Down, as typed into the list after this handler: a single item near the deletion ends up
    // selected, and the key rules keep Up from leaving the first item.
    PostKey(lbTemplate, QEvent::KeyPress, Qt::Key_Up);
    PostKey(lbTemplate, QEvent::KeyRelease, Qt::Key_Up);
    PostKey(lbTemplate, QEvent::KeyPress, Qt::Key_Down);
    PostKey(lbTemplate, QEvent::KeyRelease, Qt::Key_Down);
    ShowCurrentTemplate();
}

void TfrmEditTemplate::actInitializeExecute(TAction*) {
    if (!Ask(tr("テンプレートのリストを初期状態に戻してもよろしいですか？")))
        return;
    if (!Ask(tr("本当によろしいですか？")))
        return;
    lbTemplate->SetStrings(SplitTemplateText(DefaultTemplateText()));
    lbTemplate->SetItemIndex(0);
    lbTemplate->SetSelected(0, true);
    ShowCurrentTemplate();
}

void TfrmEditTemplate::actMoveUpExecute(TAction*) {
    lbTemplate->setFocus();
    QList<bool> selected = lbTemplate->SelectionFlags();
    if (!selected.contains(true))
        return;
    const QList<int> order = MoveSelectionUp(selected);
    lbTemplate->Reorder(order, selected);
    lbTemplate->viewport()->update();
    ShowCurrentTemplate();
}

void TfrmEditTemplate::actMoveDownExecute(TAction*) {
    lbTemplate->setFocus();
    QList<bool> selected = lbTemplate->SelectionFlags();
    if (!selected.contains(true))
        return;
    const QList<int> order = MoveSelectionDown(selected);
    lbTemplate->Reorder(order, selected);
    lbTemplate->viewport()->update();
    ShowCurrentTemplate();
}

void TfrmEditTemplate::lbTemplateKeyDown(int& key, Qt::KeyboardModifiers shift) {
    const Qt::KeyboardModifiers held = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool none = held == Qt::NoModifier;
    const bool altOnly = held == Qt::AltModifier;
    const bool oneSelected = lbTemplate->SelCount() == 1;
    if ((key == Qt::Key_Left || key == Qt::Key_Up) && none) {
        if (oneSelected && lbTemplate->ItemIndex() == 0)
            key = 0;
    } else if ((key == Qt::Key_Right || key == Qt::Key_Down) && none) {
        if (oneSelected && lbTemplate->ItemIndex() == lbTemplate->Count() - 1)
            key = 0;
    } else if ((key == Qt::Key_F7 && none) || (key == Qt::Key_Up && altOnly)) {
        actMoveUp->Execute();
    } else if ((key == Qt::Key_F8 && none) || (key == Qt::Key_Down && altOnly)) {
        actMoveDown->Execute();
    } else if (key == Qt::Key_Delete && none) {
        actDelete->Execute();
    }
}

void TfrmEditTemplate::lbTemplateKeyUp() {
    ShowCurrentTemplate();
}

void TfrmEditTemplate::lbTemplateMouseDown() {
    ShowCurrentTemplate();
}

void TfrmEditTemplate::lbTemplateDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) {
    const QColor highlight = lbTemplate->palette().color(QPalette::Active, QPalette::Highlight);
    canvas.fillRect(rect, selected ? highlight : QColor(0xFF, 0xFF, 0xFF));
    const QColor text = selected ? QColor(0xFF, 0xFF, 0xFF) : QColor(0x00, 0x00, 0x00);
    DrawMarkedText(canvas, rect, rect.left() + 2, lbTemplate->Item(index), text, 0, 0);
}
