#include "gui/controls/SysImg.h"

#include "core/text/ShiftJis.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>

namespace {

// A theme icon by name, or a picture file named by an absolute path.
QIcon namedIcon(const QString& name) {
    if (name.isEmpty())
        return {};
    if (QFileInfo(name).isAbsolute())
        return QImageReader(name).canRead() ? QIcon(name) : QIcon();
    return QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : QIcon();
}

// The icon with the colour mixed into its own pixels by the given share; around it the image stays
// transparent. No colour: the icon as it is.
QImage blendedImage(const QIcon& icon, QSize size, QIcon::Mode mode, const QColor& colour, qreal share) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, image.rect(), Qt::AlignCenter, mode);
    if (colour.isValid()) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.setOpacity(share);
        painter.fillRect(image.rect(), colour);
    }
    return image;
}

// The standard toolbar images in their usual order: the standard set, the view set, the history set.
constexpr const char* kToolbarIconNames[] = {
    "edit-cut", "edit-copy", "edit-paste", "edit-undo", "edit-redo", "edit-delete", "document-new", "document-open",
    "document-save", "document-print-preview", "document-properties", "help-browser", "edit-find", "edit-find-replace",
    "document-print",
    // view
    "view-list-icons", "view-list-compact", "view-list", "view-list-details", "view-sort-ascending",
    "view-sort-descending", "view-calendar", "view-sort", "go-up", "network-connect", "network-disconnect",
    "folder-new", "view-more",
    // history
    "go-previous", "go-next", "bookmarks", "bookmark-new", "view-list-tree"};

} // namespace

TSysImageList::TSysImageList(QObject* parent) : TSysImageList(QProcessEnvironment::systemEnvironment(), parent) {}

TSysImageList::TSysImageList(const QProcessEnvironment& environment, QObject* parent)
    : QObject(parent), FApplications(environment) {
    FIcons.append(FProvider.icon(QAbstractFileIconProvider::File));
}

void TSysImageList::SetIconSet(TIconSet value) {
    if (FIconSet == value)
        return;
    FIconSet = value;
    UpdateHandle();
}

void TSysImageList::SetIconSize(TIconSize value) {
    if (FIconSize == value)
        return;
    FIconSize = value;
    UpdateHandle();
}

// The list now shows other images: whatever background was chosen for the old ones goes with them.
void TSysImageList::UpdateHandle() {
    if (FIconSet == isToolbar && FToolbarIcons.isEmpty())
        for (const char* name : kToolbarIconNames)
            FToolbarIcons.append(namedIcon(QString::fromLatin1(name)));
    FBkColor = QColor();
    emit OnChange();
}

const QList<QIcon>& TSysImageList::Images() const {
    return FIconSet == isToolbar ? FToolbarIcons : FIcons;
}

int TSysImageList::Width() const {
    return FIconSize == isSmallIcons ? 16 : 32;
}

int TSysImageList::Height() const {
    return Width();
}

int TSysImageList::GetFileIconIndex(const QByteArray& path, bool open) {
    // Asked afresh each time, as the desktop answers differently once a program has been installed, removed or
    // given a desktop entry; an icon found before keeps its index.
    const TFoundIcon found = IconFor(sjis::toUnicode(path), open);
    if (found.icon.isNull())
        return 0;
    if (const auto it = FIndexes.constFind(found.source); it != FIndexes.constEnd())
        return *it;
    const int index = static_cast<int>(FIcons.size());
    FIcons.append(found.icon);
    FIndexes.insert(found.source, index);
    emit OnChange();
    return index;
}

TSysImageList::TFoundIcon TSysImageList::DesktopEntryIcon(const QString& program) const {
    // The default browser's own entry is the likely one; the other entries are searched only after it.
    const QString preferred = FApplications.DefaultApplication(QStringLiteral("x-scheme-handler/http"));
    const QString name = FApplications.IconForProgram(program, preferred);
    return {namedIcon(name), QStringLiteral("entry:") + name};
}

TSysImageList::TFoundIcon TSysImageList::IconFor(const QString& path, bool open) const {
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.isFile()) {
        const TFoundIcon entry = DesktopEntryIcon(path);
        if (!entry.icon.isNull())
            return entry;
    }
    if (info.exists()) {
        if (info.isDir() && open && QIcon::hasThemeIcon(QStringLiteral("folder-open")))
            return {QIcon::fromTheme(QStringLiteral("folder-open")), QStringLiteral("theme:folder-open")};
        return {FProvider.icon(info), QStringLiteral("file:") + info.absoluteFilePath()};
    }
    // A missing file: the icon of its type, known by its name alone.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    if (type.isDefault())
        return {};
    for (const QString& name : {type.iconName(), type.genericIconName()})
        if (const QIcon icon = namedIcon(name); !icon.isNull())
            return {icon, QStringLiteral("theme:") + name};
    return {};
}

QPixmap TSysImageList::Pixmap(int index, bool enabled) const {
    QPixmap pixmap(Width(), Height());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Draw(painter, 0, 0, index, enabled);
    return pixmap;
}

void TSysImageList::Draw(QPainter& painter, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count())
        return;
    const QRect area(x, y, Width(), Height());
    if (FDrawingStyle != dsTransparent && FBkColor.isValid())
        painter.fillRect(area, FBkColor);
    const QIcon& icon = Images().at(index);
    const QIcon::Mode mode = enabled ? QIcon::Normal : QIcon::Disabled;
    const qreal blend = FDrawingStyle == dsFocus ? 0.25 : FDrawingStyle == dsSelected ? 0.5 : 0.0;
    if (blend == 0.0) {
        icon.paint(&painter, area, Qt::AlignCenter, mode);
        return;
    }
    painter.save();
    if (!FBlendColor.isValid())
        painter.setOpacity(painter.opacity() * (1.0 - blend));
    painter.drawImage(area.topLeft(), blendedImage(icon, area.size(), mode, FBlendColor, blend));
    painter.restore();
}
