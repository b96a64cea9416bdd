// MIME association lists: the input is the user's mimeapps.list. Its parser runs from memory on every input;
// one input in sixty-four (by its length) also goes through the file and the lookup among two installed desktop
// entries, which costs a file write and directory walks and would otherwise set the pace.
#include "FuzzCheck.h"
#include "platform/xdg/XdgApplications.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct Tree {
    QTemporaryDir dir;
    QProcessEnvironment environment;
    QString list;

    Tree() {
        const QString root = dir.path();
        for (const char* folder : {"config", "data/applications", "etc", "share/applications"})
            QDir().mkpath(root + u'/' + QLatin1String(folder));
        for (const char* id : {"a", "b"}) {
            QFile entry(root + "/data/applications/" + QLatin1String(id) + ".desktop");
            if (entry.open(QIODevice::WriteOnly))
                entry.write("[Desktop Entry]\nType=Application\nName=A\nExec=/bin/true %u\n");
        }
        environment.insert("HOME", root);
        environment.insert("XDG_CONFIG_HOME", root + "/config");
        environment.insert("XDG_CONFIG_DIRS", root + "/etc");
        environment.insert("XDG_DATA_HOME", root + "/data");
        environment.insert("XDG_DATA_DIRS", root + "/share");
        environment.insert("XDG_CURRENT_DESKTOP", "X-Fuzz");
        environment.insert("PATH", "/bin");
        list = root + "/config/mimeapps.list";
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const char* type : {"x-scheme-handler/http", "text/html"})
        for (const QString& id : DefaultApplicationsIn(bytes, QLatin1String(type)))
            FUZZ_CHECK(!id.isEmpty() && id == id.trimmed() && !id.contains(u';') && !id.contains(QChar(0)));
    if (size % 64 != 0)
        return 0;
    static Tree tree;
    {
        QFile file(tree.list);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == qint64(size));
    }
    const TXdgApplications applications(tree.environment);
    for (const char* type : {"x-scheme-handler/http", "text/html"}) {
        const QString found = applications.DefaultApplication(QLatin1String(type));
        FUZZ_CHECK(found.isEmpty() || found.startsWith(tree.dir.path() + "/data/applications/"));
    }
    return 0;
}
