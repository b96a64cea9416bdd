#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A temporary home with its own XDG folders and PATH, so that tests never read or touch the user's files:
// home/, config/ (XDG_CONFIG_HOME), etc/ (XDG_CONFIG_DIRS), data/ (XDG_DATA_HOME), share/ (XDG_DATA_DIRS),
// bin/ (the only folder on PATH).
class FakeXdgTree {
public:
    FakeXdgTree() {
        for (const char* dir : {"home", "config", "etc", "data/applications", "share/applications", "bin"})
            QDir().mkpath(path(QString::fromLatin1(dir)));
    }

    bool isValid() const { return FDir.isValid(); }
    QString root() const { return QFileInfo(FDir.path()).canonicalFilePath(); }
    QString path(const QString& relative) const { return root() + u'/' + relative; }

    void write(const QString& relative, const QByteArray& content, bool executable = false) const {
        const QString file = path(relative);
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(file));
        f.write(content);
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    }

    // A program that writes its working folder and then its arguments, one a line, to RecordOf(program).
    QString writeFakeBrowser(const QString& relative = QStringLiteral("bin/fakebrowser")) const {
        const QString record = RecordOf(path(relative));
        write(relative,
              "#!/bin/sh\n"
              "{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" +
                  record.toUtf8() + ".tmp' && mv '" + record.toUtf8() + ".tmp' '" + record.toUtf8() + "'\n",
              true);
        return path(relative);
    }
    static QString RecordOf(const QString& program) { return program + QStringLiteral(".record"); }
    static QStringList ReadRecord(const QString& program) {
        QFile f(RecordOf(program));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QString text = QString::fromUtf8(f.readAll());
        text.chop(1); // the last line's break
        return text.split(u'\n');
    }

    // A desktop entry data/applications/<id> and a config/mimeapps.list that makes it the http handler.
    void installDefault(const QString& id, const QByteArray& exec, const QByteArray& icon = {}) const {
        write(QStringLiteral("data/applications/") + id,
              "[Desktop Entry]\nType=Application\nName=Fake Browser\nExec=" + exec + "\nIcon=" + icon + "\n");
        write(QStringLiteral("config/mimeapps.list"), "[Default Applications]\nx-scheme-handler/http=" + id.toUtf8() +
                                                          "\nx-scheme-handler/https=" + id.toUtf8() + "\n");
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), path(QStringLiteral("etc")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), path(QStringLiteral("share")));
        // Only the tree's programs: the machine's own (a browser installed as x-www-browser) must not count.
        env.insert(QStringLiteral("PATH"), path(QStringLiteral("bin")));
        return env;
    }

    // Puts the process environment back as it was when the guard was made.
    class EnvironmentGuard {
    public:
        EnvironmentGuard() : FSaved(QProcessEnvironment::systemEnvironment()) {}
        ~EnvironmentGuard() {
            for (const QString& key : QProcessEnvironment::systemEnvironment().keys())
                if (!FSaved.contains(key))
                    qunsetenv(key.toLocal8Bit().constData());
            for (const QString& key : FSaved.keys())
                qputenv(key.toLocal8Bit().constData(), FSaved.value(key).toLocal8Bit());
        }
        EnvironmentGuard(const EnvironmentGuard&) = delete;
        EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

    private:
        QProcessEnvironment FSaved;
    };

    // Points this process (and what it starts) at the tree, keeping the rest of PATH unless told not to (for
    // tests that start no program of the machine); desktop detection is switched off so that xdg-open takes
    // its generic way through mimeapps.list. Keep the guard alive for as long as the tree is used.
    [[nodiscard]] std::unique_ptr<EnvironmentGuard> applyToProcess(bool keepSystemPath = true) const {
        auto guard = std::make_unique<EnvironmentGuard>();
        const QByteArray path = qgetenv("PATH");
        const QProcessEnvironment env = environment();
        for (const QString& key : env.keys())
            qputenv(key.toLocal8Bit().constData(), env.value(key).toLocal8Bit());
        if (keepSystemPath)
            qputenv("PATH", this->path(QStringLiteral("bin")).toLocal8Bit() + ':' + path);
        for (const char* name :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "BROWSER"})
            qunsetenv(name);
        return guard;
    }

private:
    QTemporaryDir FDir;
};
