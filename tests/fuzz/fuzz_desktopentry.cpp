// Desktop entries: the [Desktop Entry] group, its string escapes and its Exec line.
#include "FuzzCheck.h"
#include "platform/xdg/DesktopEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content = FuzzBytes(data, size);
    const TDesktopEntry entry = ParseDesktopEntry(content);
    const QStringList arguments = SplitExecLine(entry.Exec);
    FUZZ_CHECK(arguments.isEmpty() || !entry.Exec.isEmpty());
    const QString text = QString::fromUtf8(content);
    FUZZ_CHECK(UnescapeDesktopString(text).size() <= text.size());
    SplitExecLine(text);
    return 0;
}
