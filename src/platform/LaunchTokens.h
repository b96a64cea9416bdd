#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

// What the launcher gave a start so that the desktop knows the start was the user's: the X11 startup
// notification ID (DESKTOP_STARTUP_ID, whose "_TIME" suffix is the time of the user's click) and the Wayland
// activation token (XDG_ACTIVATION_TOKEN). A later start that ends at once hands both to the running
// instance, which ends the launcher's "starting…" feedback and activates its window with them.
struct TLaunchTokens {
    QByteArray StartupId;
    QByteArray ActivationToken;
    bool operator==(const TLaunchTokens&) const = default;
};

// Takes the tokens from the environment. Call before the application object exists: the X11 platform
// removes DESKTOP_STARTUP_ID from the environment as it starts.
void KeepLaunchTokens();
// The tokens kept by KeepLaunchTokens (empty ones when it was not called).
const TLaunchTokens& StartLaunchTokens();

// A token travels between processes and ends up in X11 messages and the environment: it is taken only
// when it is 1 to 200 bytes of printable ASCII without blank, quote or backslash, which needs no quoting
// anywhere. Anything else is dropped (empty), never passed on.
QByteArray AcceptedToken(const QByteArray& token);

// The line a later start sends to the running instance: "switch", then " startup=<id>" and
// " token=<token>" for the tokens it has, then a line feed. At most MaxSwitchLineBytes bytes.
constexpr int MaxSwitchLineBytes = 512;
QByteArray FormatSwitchRequest(const TLaunchTokens& tokens);
// Reads such a line (with its line feed): no value for anything that is not a switch request; fields it
// does not know and tokens that are not accepted are passed over.
std::optional<TLaunchTokens> ParseSwitchRequest(const QByteArray& line);

// The user time an X11 startup ID carries ("…_TIME<decimal>" at its end), or 0 when it has none that fits
// an X11 timestamp (32 bits, not 0).
unsigned long StartupIdTime(const QByteArray& startupId);

// A startup-notification message ("remove: ID=…") cut into the 20-byte pieces X11 client messages carry:
// the text, its terminating NUL, then NULs up to the end of the last piece.
QByteArrayList StartupMessagePieces(const QByteArray& message);
