#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Whole-file reading and atomic replacement of small text files, safe in folders that others can write.
namespace filebytes {

enum class ReadStatus {
    Ok,
    Missing,    // nothing at the path
    Unreadable, // something is there but its bytes cannot be read (no permission, a folder, a device, too long)
};

enum class Links {
    Follow,
    Refuse, // a link at the path itself is unreadable
};

// No limit on the file's length.
inline constexpr qsizetype kNoLimit = -1;

// Only regular files are read: a FIFO or a device would block or never end. A file longer than limit bytes is
// unreadable, and no more than limit + 1 of its bytes are ever held.
ReadStatus ReadAll(const QString& path, QByteArray& bytes, qsizetype limit = kNoLimit, Links links = Links::Follow);

// Whether a folder is the user's own: owned by the user (or root) and not writable by group or others, so
// nobody else can put or replace anything in it.
bool IsOwnFolder(const QString& folder);

// Whether path itself (not a link) is a regular file owned by the user and writable by nobody else.
bool IsOwnFile(const QString& path);

// The file that writing to path replaces: path itself, or where a chain of links leads when every link in
// it is the user's own in a folder of the user's own. Empty when a link that someone else could have made
// or changed stands in the way.
QString WriteTarget(const QString& path);

// Replaces the file in one step: a temporary file in the same folder, synced to disk, renamed over the old
// one; a link is followed only as WriteTarget allows. False, with nothing changed and no temporary file left
// behind, when the file cannot be created or overwritten: an existing file that is not writable (even though
// renaming over it would succeed), a folder in its place, an unwritable folder, a link someone else made.
bool ReplaceAtomically(const QString& path, QByteArrayView bytes);

} // namespace filebytes
