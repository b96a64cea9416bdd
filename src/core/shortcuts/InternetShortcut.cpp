#include "core/shortcuts/InternetShortcut.h"

#include "core/messages/ErrorReport.h"
#include "core/settings/FileBytes.h"
#include "core/settings/IniText.h"
#include "core/settings/QuickIni.h"
#include "core/text/ShiftJis.h"
#include "core/text/SjisCase.h"
#include "core/text/TextLines.h"

#include <QFileInfo>
#include <optional>

namespace {

constexpr QByteArrayView kSection = "InternetShortcut";
constexpr QByteArrayView kKey = "URL";
constexpr QByteArrayView kBreak = "\r\n";

// Where one line lies in the file: its text runs from begin to end, its line break (if any) up to next.
struct LineSpan {
    qsizetype begin;
    qsizetype end;
    qsizetype next;
};

QList<LineSpan> LineSpans(QByteArrayView file) {
    QList<LineSpan> spans;
    ForEachLine(file, [&](QByteArrayView line) {
        const qsizetype begin = line.data() - file.data();
        const qsizetype end = begin + line.size();
        qsizetype next = end;
        if (next < file.size() && file[next] == '\r')
            ++next;
        if (next < file.size() && file[next] == '\n')
            ++next;
        spans.append({begin, end, next});
    });
    return spans;
}

// The name of a section line ("[name]", blanks allowed around), or nothing for another line. The name ends
// at the first "]" that is not the second byte of a double-byte character, or with the line.
std::optional<QByteArrayView> SectionName(QByteArrayView line) {
    const QByteArrayView trimmed = initext::TrimControl(line);
    if (!trimmed.startsWith('['))
        return std::nullopt;
    const QByteArray inner = trimmed.sliced(1).toByteArray();
    const qsizetype close = sjis::indexOfChar(inner, ']');
    return initext::TrimControl(trimmed.sliced(1, close < 0 ? inner.size() : close));
}

// Index of the "=" of a key line whose key is name; -1 for any other line.
qsizetype KeyEquals(QByteArrayView line, QByteArrayView name) {
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || !sjis::equalIgnoringCase(initext::TrimControl(line.first(equals)), name))
        return -1;
    return equals;
}

// The first "InternetShortcut" section and its first "URL" line; -1 where missing.
struct UrlPlace {
    qsizetype sectionLine = -1;
    qsizetype keyLine = -1;
    qsizetype equals = -1;       // within the key line
    qsizetype lastTextLine = -1; // the section's last line that is not blank (its header at least)
};

UrlPlace FindUrl(QByteArrayView file, const QList<LineSpan>& spans) {
    UrlPlace place;
    for (qsizetype i = 0; i < spans.size(); ++i) {
        const QByteArrayView line = file.sliced(spans[i].begin, spans[i].end - spans[i].begin);
        const std::optional<QByteArrayView> name = SectionName(line);
        if (place.sectionLine < 0) {
            if (name && sjis::equalIgnoringCase(*name, kSection))
                place.sectionLine = place.lastTextLine = i;
            continue;
        }
        if (name)
            break; // the next section begins
        if (!initext::TrimControl(line).isEmpty())
            place.lastTextLine = i;
        if (const qsizetype equals = KeyEquals(line, kKey); equals >= 0) {
            place.keyLine = i;
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
    const QList<LineSpan> spans = LineSpans(file);
    const UrlPlace place = FindUrl(file, spans);
    QByteArray result = file.toByteArray();
    if (place.keyLine >= 0) {
        const LineSpan& line = spans[place.keyLine];
        const qsizetype valueBegin = line.begin + place.equals + 1;
        return result.replace(valueBegin, line.end - valueBegin, url.data(), url.size());
    }
    QByteArray added;
    qsizetype at = result.size();
    if (place.sectionLine >= 0) {
        const LineSpan& last = spans[place.lastTextLine];
        at = last.next;
        if (last.next == last.end) // the last line of a file without a final break
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
    const QList<LineSpan> spans = LineSpans(file);
    const UrlPlace place = FindUrl(file, spans);
    if (place.keyLine < 0)
        return {};
    const LineSpan& line = spans[place.keyLine];
    const QByteArrayView value = file.sliced(line.begin + place.equals + 1, line.end - line.begin - place.equals - 1);
    return CutToLimit(Unquoted(TrimBlanks(value)), kShortcutUrlLimit);
}

void WriteInternetShortcut(const QString& fileName, const QByteArray& url) {
    // A line break would end the value early and start lines of the URL's own making.
    if (url.contains('\r') || url.contains('\n'))
        throw EFileError(CannotWriteFileMessage(fileName));
    QByteArray file;
    // A file that is there but cannot be read is never replaced by one that has lost its other entries.
    if (filebytes::ReadAll(fileName, file) == filebytes::ReadStatus::Unreadable)
        throw EFileError(CannotWriteFileMessage(fileName));
    if (!filebytes::ReplaceAtomically(fileName, SetShortcutUrl(file, url)))
        throw EFileError(CannotWriteFileMessage(fileName));
}

QByteArray ReadInternetShortcut(const QString& fileName) {
    QByteArray file;
    if (filebytes::ReadAll(fileName, file) != filebytes::ReadStatus::Ok)
        return {};
    return ShortcutUrl(file);
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
