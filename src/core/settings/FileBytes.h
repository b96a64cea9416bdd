#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Whole-file reading and atomic replacement of small text files.
namespace filebytes {

enum class ReadStatus {
    Ok,
    Missing,    // nothing at the path
    Unreadable, // something is there but its bytes cannot be read (no permission, a folder, a device)
};

// Only regular files are read: a FIFO or a device would block or never end.
ReadStatus ReadAll(const QString& path, QByteArray& bytes);

// Replaces the file in one step: a temporary file in the same folder, synced to disk, renamed over the
// old one; a symbolic link is followed and its target replaced. False, with nothing changed and no
// temporary file left behind, when the file cannot be created or overwritten: an existing file that is
// not writable (even though renaming over it would succeed), a folder in its place, an unwritable folder.
bool ReplaceAtomically(const QString& path, QByteArrayView bytes);

} // namespace filebytes
