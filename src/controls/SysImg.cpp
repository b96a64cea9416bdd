#include "controls/SysImg.h"

#include "common/ShiftJis.h"

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

} // namespace

TSysImageList::TSysImageList(QObject* parent) : TSysImageList(QProcessEnvironment::systemEnvironment(), parent) {}

TSysImageList::TSysImageList(const QProcessEnvironment& environment, QObject* parent)
    : QObject(parent), FApplications(environment) {
    FIcons.append(FProvider.icon(QAbstractFileIconProvider::File));
}

void TSysImageList::SetIconSize(TIconSize value) {
    if (FIconSize == value)
        return;
    FIconSize = value;
    emit OnChange();
}

int TSysImageList::Width() const {
    return FIconSize == isSmallIcons ? 16 : 32;
}

int TSysImageList::Height() const {
    return Width();
}

int TSysImageList::GetFileIconIndex(const QByteArray& path, bool open) {
    const QString name = sjis::toUnicode(path);
    const QString key = (open ? u'o' : u'n') + name;
    if (const auto it = FIndexes.constFind(key); it != FIndexes.constEnd())
        return *it;
    const QIcon icon = IconFor(name, open);
    int index = 0;
    if (!icon.isNull()) {
        index = Count();
        FIcons.append(icon);
        emit OnChange();
    }
    FIndexes.insert(key, index);
    return index;
}

QIcon TSysImageList::DesktopEntryIcon(const QString& program) const {
    // The default browser's own entry is the likely one; the other entries are searched only after it.
    const QString preferred = FApplications.DefaultApplication(QStringLiteral("x-scheme-handler/http"));
    return namedIcon(FApplications.IconForProgram(program, preferred));
}

QIcon TSysImageList::IconFor(const QString& path, bool open) const {
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.isFile()) {
        const QIcon icon = DesktopEntryIcon(path);
        if (!icon.isNull())
            return icon;
    }
    if (info.exists()) {
        if (info.isDir() && open && QIcon::hasThemeIcon(QStringLiteral("folder-open")))
            return QIcon::fromTheme(QStringLiteral("folder-open"));
        return FProvider.icon(info);
    }
    // A missing file: the icon of its type, known by its name alone.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    if (type.isDefault())
        return {};
    for (const QString& name : {type.iconName(), type.genericIconName()})
        if (const QIcon icon = namedIcon(name); !icon.isNull())
            return icon;
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
    FIcons.at(index).paint(&painter, QRect(x, y, Width(), Height()), Qt::AlignCenter,
                           enabled ? QIcon::Normal : QIcon::Disabled);
}
