#include "platform/x11/XcbClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <poll.h>

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kAnswerTimeout{1000};
// More than any URL needs; a larger answer is cut here rather than filling the memory.
constexpr qsizetype kMaxTextBytes = 16 * 1024 * 1024;

template <class T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

template <class T> XcbReply<T> Reply(T* reply) {
    return XcbReply<T>(reply, &std::free);
}

struct TConnection {
    xcb_connection_t* c;
    ~TConnection() { xcb_disconnect(c); }
};

xcb_atom_t InternAtom(xcb_connection_t* c, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(qstrlen(name)), name);
    auto reply = Reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The next event that matches, or null when the deadline passes or the connection breaks first.
template <class Matches>
XcbReply<xcb_generic_event_t> WaitForEvent(xcb_connection_t* c, Clock::time_point deadline, Matches matches) {
    for (;;) {
        while (xcb_generic_event_t* raw = xcb_poll_for_event(c)) {
            auto event = Reply(raw);
            if (matches(event.get()))
                return event;
        }
        if (xcb_connection_has_error(c))
            return Reply<xcb_generic_event_t>(nullptr);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return Reply<xcb_generic_event_t>(nullptr);
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left));
    }
}

class TSelectionReader {
public:
    TSelectionReader(xcb_connection_t* c, xcb_window_t window, const char* selection) : c(c), window(window) {
        clipboard = InternAtom(c, selection);
        utf8 = InternAtom(c, "UTF8_STRING");
        incr = InternAtom(c, "INCR");
        property = InternAtom(c, "VELMARINTH_CLIPBOARD");
    }

    TClipboardText Read(std::chrono::milliseconds timeout) {
        auto owner = Reply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, clipboard), nullptr));
        if (!owner)
            return {TClipboardText::Status::NoAnswer, {}};
        if (owner->owner == XCB_NONE)
            return {};
        for (const xcb_atom_t target : {utf8, xcb_atom_t(XCB_ATOM_STRING)}) {
            xcb_convert_selection(c, window, clipboard, target, property, XCB_CURRENT_TIME);
            xcb_flush(c);
            auto notify = WaitForEvent(c, Clock::now() + timeout, [this](xcb_generic_event_t* event) {
                return (event->response_type & 0x7F) == XCB_SELECTION_NOTIFY &&
                       reinterpret_cast<xcb_selection_notify_event_t*>(event)->requestor == window;
            });
            if (!notify)
                return {TClipboardText::Status::NoAnswer, {}};
            if (reinterpret_cast<xcb_selection_notify_event_t*>(notify.get())->property == XCB_NONE)
                continue; // this owner has no text of that kind
            std::optional<QByteArray> bytes = TakeProperty(timeout);
            if (!bytes)
                return {TClipboardText::Status::NoAnswer, {}};
            const QString text = target == utf8 ? QString::fromUtf8(*bytes) : QString::fromLatin1(*bytes);
            return {TClipboardText::Status::Text, text};
        }
        return {};
    }

private:
    // Reads and deletes the answer; a large answer comes in pieces, each announced by a new value of the
    // property and ended by an empty one.
    std::optional<QByteArray> TakeProperty(std::chrono::milliseconds timeout) {
        xcb_atom_t type = XCB_ATOM_NONE;
        QByteArray bytes = GetAndDelete(type);
        if (type != incr)
            return bytes;
        QByteArray whole;
        for (;;) {
            auto changed = WaitForEvent(c, Clock::now() + timeout, [this](xcb_generic_event_t* event) {
                if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
                    return false;
                auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
                return notify->window == window && notify->atom == property && notify->state == XCB_PROPERTY_NEW_VALUE;
            });
            if (!changed)
                return std::nullopt;
            const QByteArray piece = GetAndDelete(type);
            if (piece.isEmpty())
                return whole;
            if (whole.size() < kMaxTextBytes)
                whole += piece.left(kMaxTextBytes - whole.size());
        }
    }

    QByteArray GetAndDelete(xcb_atom_t& type) {
        const auto cookie = xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxTextBytes / 4);
        auto reply = Reply(xcb_get_property_reply(c, cookie, nullptr));
        if (!reply)
            return {};
        type = reply->type;
        const int length = xcb_get_property_value_length(reply.get());
        return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())), length);
    }

    xcb_connection_t* c;
    xcb_window_t window;
    xcb_atom_t clipboard, utf8, incr, property;
};

xcb_screen_t* ScreenOf(xcb_connection_t* c, int number) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (; it.rem; --number, xcb_screen_next(&it))
        if (number == 0)
            return it.data;
    return nullptr;
}

} // namespace

TClipboardText ReadX11ClipboardText(const QByteArray& display, const char* selection,
                                    std::chrono::milliseconds timeout) {
    int screenNumber = 0;
    TConnection connection{xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber)};
    xcb_connection_t* c = connection.c;
    xcb_screen_t* screen = xcb_connection_has_error(c) ? nullptr : ScreenOf(c, screenNumber);
    if (!screen)
        return {TClipboardText::Status::NoAnswer, {}};
    // The owner puts its answer in a property of this window.
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      screen->root_visual, XCB_CW_EVENT_MASK, &events);
    TSelectionReader reader(c, window, selection);
    const TClipboardText text = reader.Read(timeout);
    xcb_destroy_window(c, window);
    xcb_flush(c);
    return text;
}

TXcbClipboard::TXcbClipboard(QObject* parent) : IClipboard(parent), FDisplay(qgetenv("DISPLAY")) {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &IClipboard::Changed);
    // A few owners that never answer must not hold up the next question for long.
    FReaders.setMaxThreadCount(4);
}

TXcbClipboard::~TXcbClipboard() {
    FClosing = true;
    FReaders.waitForDone();
}

void TXcbClipboard::RequestText(QClipboard::Mode mode, QObject* context,
                                std::function<void(const TClipboardText&)> done) {
    const quint64 id = ++FNextId;
    FPending.insert(id, Request{context, std::move(done)});
    const char* selection = mode == QClipboard::Selection ? "PRIMARY" : "CLIPBOARD";
    FReaders.start([this, id, selection] {
        const TClipboardText answer = ReadX11ClipboardText(FDisplay, selection, kAnswerTimeout);
        if (!FClosing)
            QMetaObject::invokeMethod(
                this, [this, id, answer] { Deliver(id, answer); }, Qt::QueuedConnection);
    });
}

void TXcbClipboard::Deliver(quint64 id, const TClipboardText& answer) {
    const Request request = FPending.take(id);
    if (request.context && request.done)
        request.done(answer);
}

bool TXcbClipboard::SetText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    return clipboard->ownsClipboard();
}
