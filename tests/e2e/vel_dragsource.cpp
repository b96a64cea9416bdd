// A second X client for the end-to-end tests, in one of three roles:
//   --text TEXT          a window to drag TEXT from
//   --uri-list URL...    a window to drag a URI list from, with the paths as text too, as a file manager offers
//   --text-then-exit TEXT  as --text, but the program ends the moment the target asks for the text
//   --hold-clipboard     takes the CLIPBOARD selection and never answers anyone who asks for it
//   --hold-primary       the same with the PRIMARY selection
// After a drag it prints what the target did with it: "copy", "move", "link" or "ignore".
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdio>
#include <unistd.h>

namespace {

class TDragSource final : public QWidget {
public:
    explicit TDragSource(QMimeData* (*make)(const QStringList&), QStringList values)
        : FMake(make), FValues(std::move(values)) {
        setWindowTitle(QStringLiteral("vel_dragsource"));
        resize(200, 80);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { FPressedAt = event->position().toPoint(); }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - FPressedAt).manhattanLength() < QApplication::startDragDistance())
            return;
        auto* drag = new QDrag(this);
        drag->setMimeData(FMake(FValues));
        const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::MoveAction);
        const char* name = done == Qt::CopyAction   ? "copy"
                           : done == Qt::MoveAction ? "move"
                           : done == Qt::LinkAction ? "link"
                                                    : "ignore";
        std::printf("%s\n", name);
        std::fflush(stdout);
    }

private:
    QMimeData* (*FMake)(const QStringList&);
    QStringList FValues;
    QPoint FPressedAt;
};

QMimeData* TextData(const QStringList& values) {
    auto* data = new QMimeData;
    data->setText(values.value(0));
    return data;
}

// Text that goes away with its source: the drop's target asks for it and finds nobody to answer.
class TVanishingText final : public QMimeData {
public:
    QStringList formats() const override { return {QStringLiteral("text/plain")}; }

protected:
    QVariant retrieveData(const QString&, QMetaType) const override { _exit(0); }
};

QMimeData* VanishingTextData(const QStringList&) {
    return new TVanishingText;
}

QMimeData* UriListData(const QStringList& values) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    QStringList paths;
    for (const QString& value : values) {
        urls << QUrl(value);
        paths << QUrl(value).toLocalFile();
    }
    data->setUrls(urls);
    data->setText(paths.join(u'\n'));
    return data;
}

// Owns a selection on a plain X connection whose events are never read, so no request is ever answered.
int HoldSelection(const QByteArray& name) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      screen->root_visual, 0, nullptr);
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.constData()), nullptr);
    xcb_set_selection_owner(c, window, atom->atom, XCB_CURRENT_TIME);
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
    if (!owner || owner->owner != window)
        return 1;
    std::printf("owner\n");
    std::fflush(stdout);
    for (;;)
        pause();
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && QByteArray(argv[1]) == "--hold-clipboard")
        return HoldSelection("CLIPBOARD");
    if (argc >= 2 && QByteArray(argv[1]) == "--hold-primary")
        return HoldSelection("PRIMARY");
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    if (args.size() < 2 || (args[0] != "--text" && args[0] != "--uri-list" && args[0] != "--text-then-exit")) {
        std::fprintf(stderr, "usage: vel_dragsource --text TEXT | --text-then-exit TEXT | --uri-list URL... | "
                             "--hold-clipboard | --hold-primary\n");
        return 2;
    }
    QMimeData* (*make)(const QStringList&) = args[0] == "--text"             ? TextData
                                             : args[0] == "--text-then-exit" ? VanishingTextData
                                                                             : UriListData;
    TDragSource source(make, args.mid(1));
    source.show();
    return app.exec();
}
