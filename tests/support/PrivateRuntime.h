#pragma once

#include "FakeXdgTree.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

// A private runtime folder of the test's own (mode 0700), set as XDG_RUNTIME_DIR while this object lives; the
// environment comes back as it was when it goes, also after a failed check.
class TPrivateRuntime {
public:
    TPrivateRuntime() {
        FValid = FDir.isValid() && chmod(QFile::encodeName(FDir.path()).constData(), 0700) == 0;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(FDir.path()));
    }
    bool isValid() const { return FValid; }
    QString path() const { return FDir.path(); }

private:
    FakeXdgTree::EnvironmentGuard FGuard; // first made, last gone: it saves before and restores after
    QTemporaryDir FDir;
    bool FValid = false;
};
