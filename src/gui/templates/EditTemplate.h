#pragma once

#include "gui/controls/VelDialog.h"
#include <QByteArray>

#include <QDialog>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QToolButton;
class TAction;
class TActionList;
class TListBoxEx;

// The question box of the editor: caption "確認", Yes and No with No the default, question icon, owned by
// the active window and brought to the front. True when answered Yes.
bool AskConfirmation(const QString& text);

// The template editor: edits a copy of VelGlobals::TemplateList and stores it back whenever it closes,
// whichever way; there is no cancel.
class TfrmEditTemplate final : public TVelDialog {
    Q_OBJECT
public:
    explicit TfrmEditTemplate(QWidget* owner);
    ~TfrmEditTemplate() override;

    // Asks the questions before deleting and resetting; AskConfirmation unless replaced.
    std::function<bool(const QString& text)> Ask = AskConfirmation;

    // The template the edit box makes: its text with "|" at its caret (the start of a selection).
    QByteArray Candidate() const;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QFrame* pnlEditTemplate;
    QLabel* lblTemplateList;
    TListBoxEx* lbTemplate;
    QToolButton* sbMoveUp;
    QToolButton* sbMoveDown;
    QLabel* Label1;
    QLineEdit* edTemplate;
    QToolButton* sbReplace;
    QToolButton* sbAdd;
    QToolButton* sbDelete;
    QToolButton* sbInitialize;
    QPushButton* btnClose;

    TActionList* alEditTemplate;
    TAction* actReplace;
    TAction* actAdd;
    TAction* actDelete;
    TAction* actInitialize;
    TAction* actMoveUp;
    TAction* actMoveDown;

    void CreateControls();
    void CreateListControls();
    void CreateEditControls();
    void CreateActions();
    void FormCreate();
    void FormShow();
    void FormCloseQuery();
    void btnCloseClick();

    void actReplaceUpdate(TAction* action);
    void actAddUpdate(TAction* action);
    void actDeleteUpdate(TAction* action);
    void actInitializeUpdate(TAction* action);
    void actMoveUpUpdate(TAction* action);
    void actMoveDownUpdate(TAction* action);
    void actReplaceExecute(TAction* sender);
    void actAddExecute(TAction* sender);
    void actDeleteExecute(TAction* sender);
    void actInitializeExecute(TAction* sender);
    void actMoveUpExecute(TAction* sender);
    void actMoveDownExecute(TAction* sender);

    void lbTemplateDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected);
    void lbTemplateKeyDown(int& key, Qt::KeyboardModifiers shift);
    void lbTemplateKeyUp();
    void lbTemplateMouseDown();

    void ShowCurrentTemplate();
    QByteArray EditText() const;
    qsizetype EditCaret() const;
};
