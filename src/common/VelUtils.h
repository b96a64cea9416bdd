#pragma once

class QWidget;

// Puts the window into the always-on-top band or out of it, without moving or activating it.
void SetTopMost(QWidget* window, bool on);
bool IsTopMost(const QWidget* window);

// Moves the window inside the primary screen's work area.
void FitFormToWorkArea(QWidget* form);
