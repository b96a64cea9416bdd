#include "core/settings/VelSettings.h"

#include "core/settings/QuickIni.h"
#include "core/settings/VelGlobals.h"
#include "core/templates/TemplateList.h"

#include <variant>
#include <vector>

namespace {

const char* const kHeader = "******************************************\r\n"
                            "*     Velmarinth initialization file     *\r\n"
                            "******************************************";

using TTemplates = QList<QByteArray>;

// When a setting is written: always, or when it differs from its default while its gate, if it has one,
// is open. A setting whose gate is closed also reads as its default.
struct TWrittenWhen {
    bool always = false;
    const bool* gate = nullptr;
    bool gateOpenWhen = true;

    bool GateOpen() const { return !gate || *gate == gateOpenWhen; }
};

constexpr TWrittenWhen kAlways{true};
constexpr TWrittenWhen kNotDefault{};

TWrittenWhen WhileOn(const bool& flag) {
    return {false, &flag, true};
}

TWrittenWhen WhileOff(const bool& flag) {
    return {false, &flag, false};
}

// One setting: where it is stored, where its value lives (whose type is the setting's type: flag, integer,
// text, list section or window position) and its default.
template <typename T> struct TSetting {
    const char* section;
    const char* key; // unused for the list, which fills its section
    T* value;
    T def;
    TWrittenWhen when;
};

using TSettingRow = std::variant<TSetting<std::optional<qint32>>, TSetting<bool>, TSetting<qint32>,
                                 TSetting<QByteArray>, TSetting<TTemplates>>;

template <typename T, typename D>
TSettingRow Row(const char* section, const char* key, T& value, D def, TWrittenWhen when = kNotDefault) {
    return TSetting<T>{section, key, &value, T(def), when};
}

// Every setting, in the order in which they are written: the sections of the file follow from it. A gate
// is read before the settings it guards.
std::vector<TSettingRow> SettingsTable(TVelWindowState& window) {
    using namespace VelGlobals;
    return {
        Row("Main", "Left", window.Left, std::nullopt, kAlways),
        Row("Main", "Top", window.Top, std::nullopt, kAlways),
        Row("Main", "TopMost", TopMost, false),
        Row("MakeIS", "TargetFolderIndex", TargetFolderIndex, 0),
        Row("MakeIS", "TargetFolder", TargetFolder, ""),
        Row("Template", "", TemplateList, SplitTemplateText(DefaultTemplateText())),
        Row("Option", "DirectedBrowserPath", DirectedBrowserPath, ""),
        Row("Option", "ShowToolTip", ShowToolTip, true),
        Row("Option", "SyncCapsLock", SyncCapsLock, false),
        Row("Main", "CapsLock", window.CapsLock, false, WhileOff(SyncCapsLock)),
        Row("Option", "SaveURLBox", SaveURLBox, true),
        Row("Main", "URLBox", window.URLBox, "", WhileOn(SaveURLBox)),
        Row("Option", "MinimizeAfterExe", MinimizeAfterExe, false),
        Row("Option", "RunWithCommandLine", RunWithCommandLine, false),
        Row("Option", "UseDirectedBrowser", UseDirectedBrowser, false),
    };
}

// A stored number, or none when the key is missing or holds no number: only then does the store answer
// with whichever default it is given.
std::optional<qint32> ReadValue(const TQuickIni& ini, const TSetting<std::optional<qint32>>& s) {
    const qint32 value = ini.ReadInteger(s.section, s.key, 0);
    if (value != ini.ReadInteger(s.section, s.key, 1))
        return s.def;
    return value;
}

bool ReadValue(const TQuickIni& ini, const TSetting<bool>& s) {
    return ini.ReadBool(s.section, s.key, s.def);
}

qint32 ReadValue(const TQuickIni& ini, const TSetting<qint32>& s) {
    return ini.ReadInteger(s.section, s.key, s.def);
}

QByteArray ReadValue(const TQuickIni& ini, const TSetting<QByteArray>& s) {
    return ini.ReadString(s.section, s.key, s.def);
}

// A section without lines does not count: the defaults stay. One with lines but no Count is an empty list.
TTemplates ReadValue(const TQuickIni& ini, const TSetting<TTemplates>& s) {
    if (!ini.SectionExists(s.section))
        return s.def;
    TTemplates list;
    ini.ReadList(s.section, list);
    return list;
}

void WriteValue(TQuickIni& ini, const TSetting<std::optional<qint32>>& s) {
    if (*s.value)
        ini.WriteInteger(s.section, s.key, **s.value);
}

void WriteValue(TQuickIni& ini, const TSetting<bool>& s) {
    ini.WriteBool(s.section, s.key, *s.value);
}

void WriteValue(TQuickIni& ini, const TSetting<qint32>& s) {
    ini.WriteInteger(s.section, s.key, *s.value);
}

void WriteValue(TQuickIni& ini, const TSetting<QByteArray>& s) {
    ini.WriteString(s.section, s.key, *s.value);
}

void WriteValue(TQuickIni& ini, const TSetting<TTemplates>& s) {
    ini.WriteList(s.section, *s.value);
}

template <typename T> bool Differs(const T& value, const T& def) {
    return value != def;
}

// The list is compared as its text, byte for byte, as the template editor's reset compares it.
bool Differs(const TTemplates& value, const TTemplates& def) {
    return TemplateListText(value) != TemplateListText(def);
}

} // namespace

void ReadVelSettings(const TQuickIni& ini, TVelWindowState& window) {
    for (const TSettingRow& row : SettingsTable(window))
        std::visit([&ini](const auto& s) { *s.value = s.when.GateOpen() ? ReadValue(ini, s) : s.def; }, row);
}

void WriteVelSettings(TQuickIni& ini, const TVelWindowState& window) {
    ini.Clear();
    ini.SetHeader(kHeader);
    TVelWindowState values = window; // the table points at its values; writing only looks at them
    for (const TSettingRow& row : SettingsTable(values)) {
        std::visit(
            [&ini](const auto& s) {
                if (s.when.always || (s.when.GateOpen() && Differs(*s.value, s.def)))
                    WriteValue(ini, s);
            },
            row);
    }
}
