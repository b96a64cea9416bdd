#pragma once

class QString;

// Tells the user something when no window may wait for an answer (the session is ending): the text on
// standard error, and a desktop notification (org.freedesktop.Notifications on the session bus) where a
// notification service runs. Never blocks on the service and never shows a modal box.
void ReportWithoutWaiting(const QString& title, const QString& text);
