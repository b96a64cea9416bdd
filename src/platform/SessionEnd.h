#pragma once

#include <QObject>

class QSocketNotifier;

// Tells when the user's session ends: the session manager's commit request, or SIGTERM / SIGHUP.
// Ending is emitted once; the receiver saves what it must and the application then quits.
class TSessionEnd final : public QObject {
    Q_OBJECT
public:
    explicit TSessionEnd(QObject* parent = nullptr);
    ~TSessionEnd() override;

signals:
    void Ending();

private:
    void Fire();

    QSocketNotifier* FNotifier = nullptr;
    bool FFired = false;
};
