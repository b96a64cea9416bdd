// The browser command value: where its program file ends, and the path it names.
#include "FuzzCheck.h"
#include "core/browser/DefaultBrowser.h"

namespace {

// Every path that ends in ".exe" (any case) is an existing file, and is its own long form.
class FakeSystem final : public IBrowserSystem {
public:
    QByteArray LongPath(const QByteArray& path) const override { return IsFile(path) ? path : QByteArray(); }
    bool IsFile(const QByteArray& path) const override { return path.toLower().endsWith(".exe"); }
    QByteArray DefaultHandlerCommand() const override { return FValue; }
    QByteArray FallbackCommand() const override { return FValue; }
    QByteArray FValue;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FakeSystem system;
    system.FValue = FuzzBytes(data, size);
    const QByteArray& value = system.FValue;
    const qsizetype exe = FindExeExtension(value);
    FUZZ_CHECK(exe == 0 || (exe >= 1 && exe + 3 <= value.size() && value.mid(exe - 1, 4).toUpper() == ".EXE"));
    const QByteArray candidate = CommandExeCandidate(value);
    FUZZ_CHECK(value.contains(candidate));
    const QByteArray path = GetCommandExePath(value, system);
    FUZZ_CHECK(path.isEmpty() || system.IsFile(path));
    FUZZ_CHECK(GetDefaultBrowserPath(system) == path);
    return 0;
}
