#include "core/shortcuts/InternetShortcut.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

// Reading a dropped .url file that is no real shortcut: a mebibyte of line breaks (read whole, no key found)
// and a sparse gibibyte (refused by its length). The drop reads on the window's thread, so the time per read
// is the window's stall. Run one at a time (--benchmark_filter) for a clean peak memory figure.

namespace {

long PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void ReadDropped(benchmark::State& state, const QString& path) {
    const long before = PeakRssKiB();
    bool readable = false;
    for (auto _ : state) {
        const std::optional<QByteArray> url = TryReadInternetShortcut(path);
        readable = url.has_value();
        benchmark::DoNotOptimize(url);
    }
    state.counters["readable"] = readable ? 1 : 0;
    state.counters["peak_rss_kib"] = static_cast<double>(PeakRssKiB());
    state.counters["peak_rss_growth_kib"] = static_cast<double>(PeakRssKiB() - before);
}

void BM_MebibyteOfLineBreaks(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("breaks.url"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(1024 * 1024, '\n')) != 1024 * 1024) {
        state.SkipWithError("cannot write the file");
        return;
    }
    file.close();
    ReadDropped(state, path);
}
BENCHMARK(BM_MebibyteOfLineBreaks)->Unit(benchmark::kMillisecond);

void BM_SparseGibibyte(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sparse.url"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(1) << 30)) {
        state.SkipWithError("cannot make the file");
        return;
    }
    file.close();
    ReadDropped(state, path);
}
BENCHMARK(BM_SparseGibibyte)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
