#include "core/settings/QuickIni.h"

#include "core/messages/ErrorReport.h"
#include "core/settings/FileBytes.h"
#include "core/settings/IniText.h"
#include "core/settings/KeyIndex.h"
#include "core/settings/SectionHeader.h"
#include "core/text/ShiftJis.h"
#include "core/text/SjisCase.h"
#include "core/text/TextLines.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

EFileError::EFileError(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}

namespace {

// Bytes in the store's text arena.
struct TextRef {
    qsizetype offset = 0;
    qsizetype size = 0;
};

// A line of a section: a key line (key "=" value), or a line without "=" kept as read in key.
struct Line {
    TextRef key;
    TextRef value;
    bool isKey = true;
};

struct Section {
    QByteArray name;
    QByteArray folded;
    std::vector<Line> lines;
    KeyIndex keys;        // folded key -> its last key line, built at the first lookup
    bool indexed = false; // keys covers every line
};

// A list section whose "Count" runs far beyond its keys is damaged; its missing entries read empty,
// but only this many beyond the section's lines, so that a huge Count cannot exhaust memory.
constexpr qsizetype kListSlack = 65536;

// Replaced and erased text stays in the arena until it is this large and more than half of it.
constexpr qsizetype kGarbageLimit = 1 << 20;

const QByteArray kCountKey = QByteArrayLiteral("Count");

QByteArray CommentLines(const QByteArray& text) {
    QByteArray lines;
    ForEachLine(text, [&](QByteArrayView line) {
        lines += ';';
        lines += line;
        lines += "\r\n";
    });
    return lines;
}

// Decimal text of a list index, in a buffer of the caller.
QByteArrayView IndexKey(qsizetype index, char (&buffer)[24]) {
    char* const end = buffer + sizeof buffer;
    char* p = end;
    do {
        *--p = static_cast<char>('0' + index % 10);
        index /= 10;
    } while (index > 0);
    return QByteArrayView(p, end - p);
}

// The list index a key names: decimal digits as IndexKey writes them (no sign, no leading zero), else -1.
qsizetype ListIndex(QByteArrayView key) {
    if (key.isEmpty() || key.size() > 18 || (key.size() > 1 && key.front() == '0'))
        return -1;
    qsizetype index = 0;
    for (const char *p = key.data(), *end = p + key.size(); p < end; ++p) {
        if (*p < '0' || *p > '9')
            return -1;
        index = index * 10 + (*p - '0');
    }
    return index;
}

// The name a section is written under: cut at a line break, as keys and values are.
QByteArray SectionName(const QByteArray& name) {
    const QByteArrayView line = initext::FirstLine(name);
    return line.size() == name.size() ? name : line.toByteArray();
}

char* Put(char* out, QByteArrayView bytes) {
    if (!bytes.isEmpty())
        std::memcpy(out, bytes.data(), static_cast<size_t>(bytes.size()));
    return out + bytes.size();
}

} // namespace

struct TQuickIni::Impl {
    QString fileName;
    // The text of every line: the file's bytes as read, then each text written. Lines refer into it, so
    // loading allocates nothing per line.
    QByteArray arena;
    qsizetype garbage = 0; // bytes of the arena no line refers to
    std::vector<std::unique_ptr<Section>> sections;
    QHash<QByteArray, Section*> byName; // folded name -> last section of that name
    QByteArray header;
    QByteArray footer;
    bool autoUpdate = true;
    bool released = false;

    QString fullPath() const { return QFileInfo(fileName).absoluteFilePath(); }

    QByteArrayView text(TextRef ref) const { return QByteArrayView(arena.constData() + ref.offset, ref.size); }

    TextRef store(QByteArrayView bytes) {
        const TextRef ref{arena.size(), bytes.size()};
        arena.append(bytes);
        return ref;
    }

    TextRef storeQuoted(QByteArrayView value) {
        const qsizetype offset = arena.size();
        initext::AppendQuoted(arena, value);
        return {offset, arena.size() - offset};
    }

    Section* find(const QByteArray& name) const { return byName.value(sjis::toUpper(name)); }

    Section& append(QByteArray name) {
        auto section = std::make_unique<Section>();
        section->folded = sjis::toUpper(name);
        section->name = std::move(name);
        Section* raw = section.get();
        sections.push_back(std::move(section));
        byName.insert(raw->folded, raw);
        return *raw;
    }

    Section& findOrAppend(const QByteArray& name) {
        if (Section* found = find(name))
            return *found;
        return append(name);
    }

    void index(Section& section, qsizetype position) const {
        const QByteArrayView key = text(section.lines[static_cast<size_t>(position)].key);
        section.keys.Insert(initext::FoldedHash(key), position, [&](qsizetype other) {
            return sjis::equalIgnoringCase(text(section.lines[static_cast<size_t>(other)].key), key);
        });
    }

    // Position of the last key line of key in section, or -1.
    qsizetype findKey(Section& section, QByteArrayView key) const {
        if (!section.indexed) {
            section.keys.Reserve(static_cast<qsizetype>(section.lines.size()));
            for (size_t i = 0; i < section.lines.size(); ++i)
                if (section.lines[i].isKey)
                    index(section, static_cast<qsizetype>(i));
            section.indexed = true;
        }
        return section.keys.Find(initext::FoldedHash(key), [&](qsizetype position) {
            return sjis::equalIgnoringCase(text(section.lines[static_cast<size_t>(position)].key), key);
        });
    }

    const Line* findLine(Section* section, QByteArrayView key) const {
        const qsizetype position = section ? findKey(*section, key) : -1;
        return position < 0 ? nullptr : &section->lines[static_cast<size_t>(position)];
    }

    // Names and values are cut at a line break: no text written can add a line of its own to the file.
    void writeKey(Section& section, QByteArrayView key, QByteArrayView value) {
        key = initext::FirstLine(key);
        value = initext::FirstLine(value);
        const qsizetype position = findKey(section, key);
        const Line line{store(key), storeQuoted(value), true};
        if (position >= 0) {
            Line& old = section.lines[static_cast<size_t>(position)];
            garbage += old.key.size + old.value.size;
            old = line;
            compactIfWasteful();
            return;
        }
        section.lines.push_back(line);
        index(section, static_cast<qsizetype>(section.lines.size()) - 1);
    }

    void compactIfWasteful() {
        if (garbage < kGarbageLimit || garbage * 2 < arena.size())
            return;
        QByteArray compact;
        compact.reserve(arena.size() - garbage);
        const auto move = [&](TextRef& ref) {
            const TextRef moved{compact.size(), ref.size};
            compact.append(text(ref));
            ref = moved;
        };
        for (const auto& section : sections) {
            for (Line& line : section->lines) {
                move(line.key);
                move(line.value);
            }
        }
        arena = std::move(compact);
        garbage = 0;
    }

    void load(QByteArray bytes) {
        arena = std::move(bytes);
        const char* const base = arena.constData();
        const auto ref = [base](QByteArrayView part) { return TextRef{part.data() - base, part.size()}; };
        Section* current = nullptr;
        ForEachLine(arena, [&](QByteArrayView raw) {
            const QByteArrayView line = initext::TrimControl(raw);
            if (line.isEmpty() || line.front() == ';')
                return;
            if (sectionheader::IsSectionHeader(line)) {
                current = &append(sectionheader::SectionHeaderName(line).toByteArray());
                return;
            }
            if (!current)
                return;
            const qsizetype eq = line.indexOf('=');
            if (eq < 0) {
                current->lines.push_back({ref(line), TextRef{}, false});
                return;
            }
            current->lines.push_back(
                {ref(initext::TrimControl(line.first(eq))), ref(initext::TrimControl(line.sliced(eq + 1))), true});
        });
        garbage = arena.size(); // comments, breaks and blanks; the lines themselves are not counted
        for (const auto& section : sections)
            for (const Line& line : section->lines)
                garbage -= line.key.size + line.value.size;
    }
};

TQuickIni::TQuickIni() : d(std::make_unique<Impl>()) {}

TQuickIni TQuickIni::FromBytes(QByteArray bytes) {
    TQuickIni store;
    store.d->autoUpdate = false;
    store.d->load(std::move(bytes));
    return store;
}

TQuickIni::TQuickIni(const QString& fileName) : TQuickIni() {
    d->fileName = fileName;
    QByteArray bytes;
    switch (filebytes::ReadAll(fileName, bytes)) {
    case filebytes::ReadStatus::Missing:
        break;
    case filebytes::ReadStatus::Unreadable:
        throw EFileError(CannotOpenFileMessage(d->fullPath()));
    case filebytes::ReadStatus::Ok:
        d->load(std::move(bytes));
        break;
    }
}

TQuickIni::~TQuickIni() = default;
TQuickIni::TQuickIni(TQuickIni&&) noexcept = default;
TQuickIni& TQuickIni::operator=(TQuickIni&&) noexcept = default;

const QString& TQuickIni::FileName() const {
    return d->fileName;
}

QByteArray TQuickIni::ReadString(const QByteArray& section, const QByteArray& key, const QByteArray& def) const {
    const Line* line = d->findLine(d->find(section), key);
    return initext::Unquote(line ? d->text(line->value) : QByteArrayView(def));
}

void TQuickIni::WriteString(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
    const QByteArray name = SectionName(section);
    if (sectionheader::ReadsBackAsHeader(name))
        d->writeKey(d->findOrAppend(name), key, value);
}

qint32 TQuickIni::ReadInteger(const QByteArray& section, const QByteArray& key, qint32 def) const {
    return initext::ParseInteger(ReadString(section, key, QByteArray())).value_or(def);
}

void TQuickIni::WriteInteger(const QByteArray& section, const QByteArray& key, qint32 value) {
    WriteString(section, key, QByteArray::number(value));
}

bool TQuickIni::ReadBool(const QByteArray& section, const QByteArray& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TQuickIni::WriteBool(const QByteArray& section, const QByteArray& key, bool value) {
    WriteString(section, key, value ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
}

bool TQuickIni::SectionExists(const QByteArray& section) const {
    const Section* found = d->find(section);
    return found && !found->lines.empty();
}

void TQuickIni::EraseSection(const QByteArray& section) {
    // Every section of that name goes: an earlier duplicate left behind would come back into view.
    const QByteArray folded = sjis::toUpper(section);
    if (!d->byName.remove(folded))
        return;
    std::erase_if(d->sections, [&](const std::unique_ptr<Section>& s) {
        if (s->folded != folded)
            return false;
        for (const Line& line : s->lines)
            d->garbage += line.key.size + line.value.size;
        return true;
    });
    d->compactIfWasteful();
}

void TQuickIni::Clear() {
    d->byName.clear();
    d->sections.clear();
    d->arena.clear();
    d->garbage = 0;
}

void TQuickIni::ReadList(const QByteArray& section, QList<QByteArray>& list) const {
    list.clear();
    const Section* found = d->find(section);
    if (!found)
        return;
    // Two sequential passes over the section instead of a lookup per entry. A later line of a key
    // replaces an earlier one, as in ReadString.
    const std::vector<Line>& lines = found->lines;
    const Impl& store = *d;
    const Line* countLine = nullptr;
    for (const Line& line : lines)
        if (line.isKey && sjis::equalIgnoringCase(store.text(line.key), kCountKey))
            countLine = &line;
    const qint32 count =
        countLine ? initext::ParseInteger(initext::Unquote(store.text(countLine->value))).value_or(0) : 0;
    if (count <= 0)
        return;
    const qsizetype n = std::min<qsizetype>(count, static_cast<qsizetype>(lines.size()) + kListSlack);
    std::vector<const Line*> entryLines(static_cast<size_t>(n), nullptr);
    for (const Line& line : lines) {
        const qsizetype index = line.isKey ? ListIndex(store.text(line.key)) : -1;
        if (index >= 0 && index < n)
            entryLines[static_cast<size_t>(index)] = &line;
    }
    list.resize(n);
    QByteArray* const entries = list.data();
    for (qsizetype i = 0; i < n; ++i)
        if (const Line* line = entryLines[static_cast<size_t>(i)])
            entries[i] = initext::Unquote(store.text(line->value));
}

void TQuickIni::WriteList(const QByteArray& section, const QList<QByteArray>& list) {
    const QByteArray name = SectionName(section);
    if (!sectionheader::ReadsBackAsHeader(name))
        return;
    EraseSection(name);
    // A new section with distinct keys: the lines go in directly, and the key index is built at the
    // first lookup.
    Section& target = d->append(name);
    target.lines.reserve(static_cast<size_t>(list.size()) + 1);
    char buffer[24];
    target.lines.push_back({d->store(kCountKey), d->storeQuoted(IndexKey(list.size(), buffer)), true});
    for (qsizetype i = 0; i < list.size(); ++i)
        target.lines.push_back({d->store(IndexKey(i, buffer)), d->storeQuoted(initext::FirstLine(list[i])), true});
}

const QByteArray& TQuickIni::Header() const {
    return d->header;
}

void TQuickIni::SetHeader(const QByteArray& text) {
    d->header = text;
}

const QByteArray& TQuickIni::Footer() const {
    return d->footer;
}

void TQuickIni::SetFooter(const QByteArray& text) {
    d->footer = text;
}

bool TQuickIni::AutoUpdate() const {
    return d->autoUpdate;
}

void TQuickIni::SetAutoUpdate(bool value) {
    d->autoUpdate = value;
}

QByteArray TQuickIni::FileImage() const {
    const QByteArray header = d->header.isEmpty() ? QByteArray() : CommentLines(d->header) + "\r\n";
    const QByteArray footer = CommentLines(d->footer);
    qsizetype size = header.size() + footer.size();
    for (const auto& section : d->sections) {
        size += section->name.size() + 6;
        for (const Line& line : section->lines)
            size += line.key.size + (line.isKey ? 1 + line.value.size : 0) + 2;
    }
    QByteArray image(size, Qt::Uninitialized);
    char* out = Put(image.data(), header);
    for (const auto& section : d->sections) {
        out = Put(out, "[");
        out = Put(out, section->name);
        out = Put(out, "]\r\n");
        for (const Line& line : section->lines) {
            out = Put(out, d->text(line.key));
            if (line.isKey) {
                out = Put(out, "=");
                out = Put(out, d->text(line.value));
            }
            out = Put(out, "\r\n");
        }
        out = Put(out, "\r\n");
    }
    out = Put(out, footer);
    Q_ASSERT(out == image.constData() + size);
    return image;
}

void TQuickIni::UpdateFile() {
    if (!filebytes::ReplaceAtomically(d->fileName, FileImage()))
        throw EFileError(CannotCreateFileMessage(d->fullPath()));
}

void TQuickIni::Release() {
    if (d->released)
        return;
    d->released = true; // a failed write is reported once, not retried
    if (d->autoUpdate)
        UpdateFile();
}
