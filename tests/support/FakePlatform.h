#pragma once

#include "platform/CapsLock.h"
#include "platform/Clipboard.h"
#include "platform/ShellOpen.h"
#include "platform/SpecialFolders.h"

#include <QList>
#include <QString>
#include <QStringList>

// A keyboard whose Caps Lock the test turns on and off; what the program set is kept in order.
class FakeCapsLock final : public ICapsLock {
public:
    bool on = false;
    QList<bool> sets;

    bool IsOn() const override { return on; }
    void Set(bool value) override {
        sets.append(value);
        on = value;
    }
};

// Keeps the documents and addresses the program asked the desktop to open, and opens nothing.
class FakeShellOpen final : public IShellOpen {
public:
    QStringList opened;
    QStringList openedUrls;

    void OpenDocument(const QString& path) override { opened.append(path); }
    void OpenUrl(const QString& url) override { openedUrls.append(url); }
};

// A clipboard that answers what the test set, always after the call, as the desktop's does; the primary
// selection answers selectionAnswer. The modes asked for are kept in order.
class FakeClipboard final : public IClipboard {
public:
    TClipboardText answer;
    TClipboardText selectionAnswer;
    bool settable = true;
    QList<QClipboard::Mode> requests;

    void RequestText(QClipboard::Mode mode, QObject* context,
                     std::function<void(const TClipboardText&)> done) override {
        requests.append(mode);
        QMetaObject::invokeMethod(
            context, [done, given = mode == QClipboard::Selection ? selectionAnswer : answer] { done(given); },
            Qt::QueuedConnection);
    }
    bool SetText(const QString& text) override {
        if (!settable)
            return false;
        answer = {TClipboardText::Status::Text, text};
        emit Changed();
        return true;
    }
};

// Special folders the test chooses ("" for one that is missing), and where they belong.
class FakeSpecialFolders final : public ISpecialFolders {
public:
    QString desktop;
    QString favorites;
    QString desktopPlace;
    QString favoritesPlace;

    QString GetDesktopFolder() const override { return desktop; }
    QString GetFavoritesFolder() const override { return favorites; }
    QString DesktopPlace() const override { return desktopPlace; }
    QString FavoritesPlace() const override { return favoritesPlace; }
};
