// The settings store: load any bytes, read every setting, rewrite, reload; then write values taken from the
// input and reload again. Whatever the store reads, the bytes it writes read back the same.
#include "FuzzCheck.h"
#include "core/settings/IniText.h"
#include "core/settings/QuickIni.h"
#include "core/text/TextLines.h"

#include <QList>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Name = std::pair<QByteArray, QByteArray>; // section, key

// The program's own settings, and names the input itself uses ("[x]" and "k=" lines), so that reads reach
// sections and keys the fuzzer makes up.
std::vector<Name> NamesToRead(const QByteArray& input) {
    std::vector<Name> names = {{"Main", "Left"},           {"Main", "Top"},       {"Main", "TopMost"},
                               {"Main", "CapsLock"},       {"Main", "URLBox"},    {"MakeIS", "TargetFolderIndex"},
                               {"MakeIS", "TargetFolder"}, {"Template", "Count"}, {"Option", "DirectedBrowserPath"},
                               {"Option", "ShowToolTip"}};
    QByteArray section = "Main";
    ForEachLine(input, [&](QByteArrayView raw) {
        if (names.size() >= 64)
            return;
        const QByteArrayView line = initext::TrimControl(raw);
        if (line.startsWith('[') && line.endsWith(']') && line.size() >= 2)
            section = initext::TrimControl(line.sliced(1, line.size() - 2)).toByteArray();
        else if (const qsizetype eq = line.indexOf('='); eq >= 0)
            names.emplace_back(section, initext::TrimControl(line.first(eq)).toByteArray());
    });
    return names;
}

// Everything a reader can learn from the store about these names.
QList<QByteArray> ReadAll(const TQuickIni& ini, const std::vector<Name>& names) {
    QList<QByteArray> seen;
    for (const auto& [section, key] : names) {
        seen << ini.ReadString(section, key, "\x01missing") << QByteArray::number(ini.ReadInteger(section, key, -7))
             << QByteArray(ini.ReadBool(section, key, true) ? "1" : "0")
             << QByteArray(ini.SectionExists(section) ? "s" : "-");
    }
    // A damaged Count reads up to 65,536 empty entries, which would slow every run down a hundredfold; the
    // unit tests cover it.
    if (ini.ReadInteger("Template", "Count", 0) <= 1000) {
        QList<QByteArray> list;
        ini.ReadList("Template", list);
        seen << QByteArray::number(list.size());
        seen += list;
    }
    return seen;
}

// The store's bytes read back into a store that reads the same and writes the same bytes.
void CheckRoundTrip(const TQuickIni& ini, const std::vector<Name>& names) {
    const QByteArray image = ini.FileImage();
    const TQuickIni reread = TQuickIni::FromBytes(image);
    FUZZ_CHECK(reread.FileImage() == image);
    FUZZ_CHECK(ReadAll(reread, names) == ReadAll(ini, names));
}

QList<QByteArray> InputLines(const QByteArray& input) {
    QList<QByteArray> lines;
    ForEachLine(input, [&](QByteArrayView line) {
        if (lines.size() < 16)
            lines << line.toByteArray();
    });
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = FuzzBytes(data, size);
    std::vector<Name> names = NamesToRead(input);
    TQuickIni ini = TQuickIni::FromBytes(input);
    CheckRoundTrip(ini, names);

    // Values from outside (the URL box, templates, paths) under the program's keys, and a section whose
    // name comes from the input: each reads back as written, cut at a line break. The value is the input
    // after its first line, breaks and all.
    const QList<QByteArray> lines = InputLines(input);
    const QByteArray section = lines.value(0);
    const QByteArray value = input.mid(std::min(section.size() + 1, input.size()));
    ini.WriteString("Main", "URLBox", value);
    ini.WriteList("Template", lines);
    ini.WriteString(section, "k", value);
    FUZZ_CHECK(ini.ReadString("Main", "URLBox", "\x01") == initext::FirstLine(value));
    QList<QByteArray> list;
    ini.ReadList("Template", list);
    FUZZ_CHECK(list == lines);
    names.emplace_back(section, "k");
    names.emplace_back("Main", "URLBox");
    CheckRoundTrip(ini, names);
    return 0;
}
