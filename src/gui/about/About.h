#pragma once

#include "gui/controls/VelDialog.h"

class IShellOpen;
class QFrame;
class QLabel;
class QPushButton;
class TShotLabel;

// The version dialog: the program's icon, name and version, what it is for, the copyright and the web
// address, which opens with the desktop's browser when clicked.
class TfrmAbout final : public TVelDialog {
    Q_OBJECT
public:
    TfrmAbout(QWidget* owner, IShellOpen& shellOpen);

private:
    void CreateControls(IShellOpen& shellOpen);
    QLabel* CentredLabel(const char* name, const QString& text, const QFont& font, int top, int height);

    QFrame* pnlAbout = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QFrame* bvlAbout = nullptr;
    QLabel* lblCatch = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCopyright = nullptr;
    TShotLabel* slblURL = nullptr;
    QPushButton* btClose = nullptr;
};
