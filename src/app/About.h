#pragma once

#include "controls/VelDialog.h"

// The version dialog: the program's name and version.
class TfrmAbout final : public TVelDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* owner);
};
