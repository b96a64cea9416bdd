// Shortcut files: read any bytes as a file, set a URL taken from the input, read it back. Setting changes the
// file only within one line (or adds lines), and the URL reads back as it was written.
#include "FuzzCheck.h"
#include "core/shortcuts/InternetShortcut.h"

#include <algorithm>

namespace {

bool HasBreak(QByteArrayView text) {
    return text.contains('\r') || text.contains('\n');
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The URL as a file gives it back, for a URL that needs no trimming or unquoting.
bool ReadsBackAsItself(QByteArrayView url) {
    if (url.isEmpty())
        return true;
    if (IsBlank(url.front()) || IsBlank(url.back()))
        return false;
    const bool quoted = url.size() >= 2 && (url.front() == '"' || url.front() == '\'') && url.back() == url.front();
    return !quoted && url.size() <= kShortcutUrlLimit;
}

// The old and the new file share everything but one stretch; the old stretch held no line break.
void CheckOneStretchChanged(const QByteArray& before, const QByteArray& after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArrayView removed = QByteArrayView(before).sliced(prefix, before.size() - prefix - suffix);
    FUZZ_CHECK(!HasBreak(removed));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = FuzzBytes(data, size);
    // The URL is the input's first line; the file is all of it.
    const qsizetype lineEnd = std::min(input.indexOf('\n') < 0 ? input.size() : input.indexOf('\n'),
                                       input.indexOf('\r') < 0 ? input.size() : input.indexOf('\r'));
    const QByteArray url = input.first(lineEnd);
    const QByteArray file = input;

    (void)ShortcutUrl(file);
    const QByteArray written = SetShortcutUrl(file, url);
    CheckOneStretchChanged(file, written);
    FUZZ_CHECK(written.contains(url));
    const QByteArray read = ShortcutUrl(written);
    if (ReadsBackAsItself(url))
        FUZZ_CHECK(read == url);
    FUZZ_CHECK(read.size() <= kShortcutUrlLimit);
    // Setting the same URL again changes nothing.
    FUZZ_CHECK(SetShortcutUrl(written, url) == written);
    return 0;
}
