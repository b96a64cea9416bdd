#include "settings/QuickIni.h"

#include "common/ShiftJis.h"
#include "settings/FileBytes.h"
#include "settings/IniText.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <utility>
#include <vector>

EFileError::EFileError(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}

namespace {

// A line of a section: a key line (key "=" value), or a line without "=" kept as read.
struct Line {
    QByteArray key; // the whole text for a line without "="
    QByteArray value;
    bool isKey = true;
};

struct Section {
    QByteArray name;
    QByteArray folded;
    std::vector<Line> lines;
    QHash<QByteArray, qsizetype> keys; // folded key -> index of its last key line

    const QByteArray* value(const QByteArray& key) const {
        const auto it = keys.constFind(initext::FoldName(key));
        return it == keys.cend() ? nullptr : &lines[static_cast<size_t>(*it)].value;
    }
    void appendKey(QByteArray key, QByteArray value) {
        keys.insert(initext::FoldName(key), static_cast<qsizetype>(lines.size()));
        lines.push_back({std::move(key), std::move(value), true});
    }
};

// A "[name]" line. A "]" that is the second byte of a double-byte character does not close it.
bool IsSectionHeader(QByteArrayView line) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    const QByteArray bytes = QByteArray::fromRawData(line.data(), line.size());
    return sjis::byteClassAt(bytes, bytes.size() - 1) != sjis::ByteClass::Trail;
}

// A list section whose "Count" runs far beyond its keys is damaged; its missing entries read empty,
// but only this many beyond the section's lines, so that a huge Count cannot exhaust memory.
constexpr qsizetype kListSlack = 65536;

const QByteArray kCountKey = QByteArrayLiteral("Count");

void AppendComment(QByteArray& image, const QByteArray& text) {
    initext::ForEachLine(text, [&](QByteArrayView line) {
        image += ';';
        image += line;
        image += "\r\n";
    });
}

} // namespace

struct TQuickIni::Impl {
    QString fileName;
    std::vector<std::unique_ptr<Section>> sections;
    QHash<QByteArray, Section*> byName; // folded name -> last section of that name
    QByteArray header;
    QByteArray footer;
    bool autoUpdate = true;
    bool released = false;

    QString fullPath() const { return QFileInfo(fileName).absoluteFilePath(); }

    const Section* find(const QByteArray& name) const { return byName.value(initext::FoldName(name)); }

    Section& append(QByteArray name) {
        auto section = std::make_unique<Section>();
        section->folded = initext::FoldName(name);
        section->name = std::move(name);
        Section* raw = section.get();
        sections.push_back(std::move(section));
        byName.insert(raw->folded, raw);
        return *raw;
    }

    Section& findOrAppend(const QByteArray& name) {
        if (Section* found = byName.value(initext::FoldName(name)))
            return *found;
        return append(name);
    }

    void load(QByteArrayView text) {
        Section* current = nullptr;
        initext::ForEachLine(text, [&](QByteArrayView raw) {
            const QByteArrayView line = initext::TrimControl(raw);
            if (line.isEmpty() || line.front() == ';')
                return;
            if (IsSectionHeader(line)) {
                current = &append(initext::TrimControl(line.sliced(1, line.size() - 2)).toByteArray());
                return;
            }
            if (!current)
                return;
            const qsizetype eq = line.indexOf('=');
            if (eq < 0) {
                current->lines.push_back({line.toByteArray(), QByteArray(), false});
                return;
            }
            current->appendKey(initext::TrimControl(line.first(eq)).toByteArray(),
                               initext::TrimControl(line.sliced(eq + 1)).toByteArray());
        });
    }
};

TQuickIni::TQuickIni(const QString& fileName) : d(std::make_unique<Impl>()) {
    d->fileName = fileName;
    QByteArray bytes;
    switch (filebytes::ReadAll(fileName, bytes)) {
    case filebytes::ReadStatus::Missing:
        break;
    case filebytes::ReadStatus::Unreadable:
        throw EFileError(QStringLiteral("ファイル %1 は開けません").arg(d->fullPath()));
    case filebytes::ReadStatus::Ok:
        d->load(bytes);
        break;
    }
}

TQuickIni::~TQuickIni() = default;

const QString& TQuickIni::FileName() const {
    return d->fileName;
}

QByteArray TQuickIni::ReadString(const QByteArray& section, const QByteArray& key, const QByteArray& def) const {
    const Section* found = d->find(section);
    const QByteArray* value = found ? found->value(key) : nullptr;
    return initext::Unquote(value ? *value : def);
}

void TQuickIni::WriteString(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
    Section& target = d->findOrAppend(section);
    QByteArray stored = initext::Quote(value);
    const auto it = target.keys.constFind(initext::FoldName(key));
    if (it == target.keys.cend()) {
        target.appendKey(key, std::move(stored));
        return;
    }
    Line& line = target.lines[static_cast<size_t>(*it)];
    line.key = key;
    line.value = std::move(stored);
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
    const QByteArray folded = initext::FoldName(section);
    if (!d->byName.remove(folded))
        return;
    std::erase_if(d->sections, [&](const std::unique_ptr<Section>& s) { return s->folded == folded; });
}

void TQuickIni::Clear() {
    d->byName.clear();
    d->sections.clear();
}

void TQuickIni::ReadList(const QByteArray& section, QList<QByteArray>& list) const {
    list.clear();
    const qint32 count = ReadInteger(section, kCountKey, 0);
    const Section* found = d->find(section);
    if (count <= 0 || !found)
        return;
    const qsizetype n = std::min<qsizetype>(count, static_cast<qsizetype>(found->lines.size()) + kListSlack);
    list.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const QByteArray* value = found->value(QByteArray::number(i));
        list.append(value ? initext::Unquote(*value) : QByteArray());
    }
}

void TQuickIni::WriteList(const QByteArray& section, const QList<QByteArray>& list) {
    EraseSection(section);
    WriteInteger(section, kCountKey, static_cast<qint32>(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i)
        WriteString(section, QByteArray::number(i), list[i]);
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
    qsizetype size = d->header.size() + d->footer.size() + 8;
    for (const auto& section : d->sections) {
        size += section->name.size() + 6;
        for (const Line& line : section->lines)
            size += line.key.size() + line.value.size() + 3;
    }
    QByteArray image;
    image.reserve(size + size / 8);
    if (!d->header.isEmpty()) {
        AppendComment(image, d->header);
        image += "\r\n";
    }
    for (const auto& section : d->sections) {
        image += '[';
        image += section->name;
        image += "]\r\n";
        for (const Line& line : section->lines) {
            image += line.key;
            if (line.isKey) {
                image += '=';
                image += line.value;
            }
            image += "\r\n";
        }
        image += "\r\n";
    }
    if (!d->footer.isEmpty())
        AppendComment(image, d->footer);
    return image;
}

void TQuickIni::UpdateFile() {
    if (!filebytes::ReplaceAtomically(d->fileName, FileImage()))
        throw EFileError(QStringLiteral("ファイル %1 を作成できません").arg(d->fullPath()));
}

void TQuickIni::Release() {
    if (d->released)
        return;
    d->released = true; // a failed write is reported once, not retried
    if (d->autoUpdate)
        UpdateFile();
}
