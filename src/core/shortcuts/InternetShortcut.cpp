#include "core/shortcuts/InternetShortcut.h"

#include "core/messages/ErrorReport.h"
#include "core/settings/FileBytes.h"
#include "core/settings/IniText.h"
#include "core/settings/QuickIni.h"
#include "core/text/ShiftJis.h"
#include "core/text/SjisCase.h"

#include <QFileInfo>
#include <optional>

namespace {

constexpr QByteArrayView kSection = "InternetShortcut";
constexpr QByteArrayView kKey = "URL";
constexpr QByteArrayView kBreak = "\r\n";

// Where one line lies in the file: its text runs from begin to end, its line break (if any) up to next.
struct LineSpan {
    qsizetype begin = -1;
    qsizetype end = -1;
    qsizetype next = -1;
};

QByteArrayView TextOf(QByteArrayView file, const LineSpan& span) {
    return file.sliced(span.begin, span.end - span.begin);
}

// Whether a line that starts with "[" is the shortcut's section: its name (up to the first "]" or the line's
// end, without blanks and control bytes around it) is "InternetShortcut" in any case. A "]" that is the
// second byte of a double-byte character can cut the name short only after a lead byte, which no matching
// name holds, so the plain search decides the same.
bool IsShortcutSection(QByteArrayView line) {
    QByteArrayView name = line.sliced(1);
    if (const qsizetype close = name.indexOf(']'); close >= 0)
        name = name.first(close);
    return sjis::equalIgnoringCase(initext::TrimControl(name), kSection);
}

// Whether the part of a line before its "=" is the key "URL" in any case.
bool IsUrlKey(QByteArrayView line, qsizetype equals) {
    return sjis::equalIgnoringCase(initext::TrimControl(line.first(equals)), kKey);
}

// The first "InternetShortcut" section and its first "URL" line.
struct UrlPlace {
    bool section = false;
    LineSpan key;          // begin -1: no key line
    qsizetype equals = -1; // within the key line
    LineSpan lastText;     // the section's last line that is not blank (its header at least)
};

// Reads no further than the key line: a file of millions of lines costs no more than its bytes up to the key.
// One pass over the bytes that finds each line's end and first "=" together; only section lines and the
// section's lines holding "=" get a closer look, and none is copied, so that even an unoptimised build looks
// through a mebibyte of short lines in milliseconds.
UrlPlace FindUrl(QByteArrayView file) {
    UrlPlace place;
    const auto* const data = reinterpret_cast<const unsigned char*>(file.data());
    const qsizetype size = file.size();
    qsizetype at = 0;
    for (;;) {
        // Blanks and control bytes (codes up to 32) at the start of a line decide nothing: a line of them is
        // neither a section nor a key, nor the last text of a section, and names are trimmed of them.
        while (at < size && data[at] <= 32)
            ++at;
        if (at == size)
            break;
        LineSpan span{at, at, at};
        qsizetype equals = -1;
        while (span.end < size && data[span.end] != '\r' && data[span.end] != '\n') {
            if (equals < 0 && data[span.end] == '=')
                equals = span.end - span.begin;
            ++span.end;
        }
        span.next = span.end;
        if (span.next < size && data[span.next] == '\r')
            ++span.next;
        if (span.next < size && data[span.next] == '\n')
            ++span.next;
        at = span.next;
        // A line that starts with "[" is a section line; any other line of the section is a key line when it
        // holds "=".
        const QByteArrayView line = TextOf(file, span);
        if (line.front() == '[') {
            if (place.section)
                break; // the next section begins
            if (IsShortcutSection(line)) {
                place.section = true;
                place.lastText = span;
            }
            continue;
        }
        if (!place.section)
            continue;
        place.lastText = span;
        if (equals >= 0 && IsUrlKey(line, equals)) {
            place.key = span;
            place.equals = equals;
            break;
        }
    }
    return place;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView TrimBlanks(QByteArrayView text) {
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

QByteArrayView Unquoted(QByteArrayView value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

// The first limit bytes, one less where the cut would split a double-byte character.
QByteArray CutToLimit(QByteArrayView value, qsizetype limit) {
    if (value.size() <= limit)
        return value.toByteArray();
    const QByteArray text = value.first(limit + 1).toByteArray();
    const bool splits = sjis::byteClassAt(text, limit - 1) == sjis::ByteClass::Lead;
    return text.first(splits ? limit - 1 : limit);
}

} // namespace

QByteArray SetShortcutUrl(QByteArrayView file, QByteArrayView url) {
    const UrlPlace place = FindUrl(file);
    QByteArray result = file.toByteArray();
    if (place.key.begin >= 0) {
        const qsizetype valueBegin = place.key.begin + place.equals + 1;
        return result.replace(valueBegin, place.key.end - valueBegin, url.data(), url.size());
    }
    QByteArray added;
    qsizetype at = result.size();
    if (place.section) {
        at = place.lastText.next;
        if (place.lastText.next == place.lastText.end) // the last line of a file without a final break
            added += kBreak;
    } else {
        if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
            added += kBreak;
        added += '[' + kSection.toByteArray() + ']' + kBreak.toByteArray();
    }
    added += kKey.toByteArray() + '=' + url.toByteArray() + kBreak.toByteArray();
    return result.insert(at, added);
}

QByteArray ShortcutUrl(QByteArrayView file) {
    const UrlPlace place = FindUrl(file);
    if (place.key.begin < 0)
        return {};
    const QByteArrayView value = TextOf(file, place.key).sliced(place.equals + 1);
    return CutToLimit(Unquoted(TrimBlanks(value)), kShortcutUrlLimit);
}

void WriteInternetShortcut(const QString& fileName, const QByteArray& url) {
    // A line break would end the value early and start lines of the URL's own making.
    if (url.contains('\r') || url.contains('\n'))
        throw EFileError(CannotWriteFileMessage(fileName));
    // A link someone else planted at the name (to a file of the user's) is neither read nor written through.
    const QString target = filebytes::WriteTarget(fileName);
    if (target.isEmpty())
        throw EFileError(CannotWriteFileMessage(fileName));
    QByteArray file;
    // A file that is there but cannot be read is never replaced by one that has lost its other entries.
    if (filebytes::ReadAll(target, file, kShortcutFileLimit, filebytes::Links::Refuse) ==
        filebytes::ReadStatus::Unreadable)
        throw EFileError(CannotWriteFileMessage(fileName));
    if (!filebytes::ReplaceAtomically(target, SetShortcutUrl(file, url)))
        throw EFileError(CannotWriteFileMessage(fileName));
}

std::optional<QByteArray> TryReadInternetShortcut(const QString& fileName) {
    QByteArray file;
    if (filebytes::ReadAll(fileName, file, kShortcutFileLimit) != filebytes::ReadStatus::Ok)
        return std::nullopt;
    return ShortcutUrl(file);
}

QByteArray ReadInternetShortcut(const QString& fileName) {
    return TryReadInternetShortcut(fileName).value_or(QByteArray());
}

QString ShortcutExtension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < path.lastIndexOf(QLatin1Char('/')))
        return {};
    // Lower-casing the Unicode name folds the same letters as the code page's own lower case does (and the
    // full-width ones never make ".url").
    return path.sliced(dot).toLower();
}

int FirstInternetShortcut(const QStringList& paths) {
    for (int i = 0; i < paths.size(); ++i) {
        if (ShortcutExtension(paths[i]) == QLatin1String(".url"))
            return i;
    }
    return -1;
}
