#pragma once

class QString;

// Opens documents with the program the desktop has registered for them. The outcome is not examined.
class IShellOpen {
public:
    virtual ~IShellOpen() = default;
    virtual void OpenDocument(const QString& path) = 0;
    // A web or mail address ("https://…", "mailto:…") with the desktop's handler for its scheme.
    virtual void OpenUrl(const QString& url) = 0;
};

// The document opener of this desktop (the desktop's URL handler, xdg-open on an XDG desktop).
IShellOpen& DesktopShellOpen();
