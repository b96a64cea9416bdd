// Command-line splitting of a browser's parameter text (UTF-16, lone surrogates included).
#include "FuzzCheck.h"
#include "core/browser/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = FuzzUtf16(data, size);
    const QStringList arguments = SplitCommandLine(text);
    // Splitting only removes: quotes, separators and half of some backslashes.
    qsizetype length = 0;
    for (const QString& argument : arguments)
        length += argument.size();
    FUZZ_CHECK(length <= text.size());
    FUZZ_CHECK(arguments.size() <= text.size() / 2 + 1);
    return 0;
}
