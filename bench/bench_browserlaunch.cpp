// How long a browse takes to start the browser, and how long the calling (GUI) thread is held by it.
// Each repetition is one launch of a fake browser on a temporary desktop (HOME and XDG_* point into a
// temporary folder); the manual time is from the call to the moment the fake browser has written its record,
// the counter caller_us the time until the call returned, caller_cpu_us the processor time the calling thread
// used in it (the rest of caller_us it waited for the new process to exist). The fake browser sleeps for a second after
// writing its record, so a caller that waited for the browser would show it.
//
//   build/dev/bench/bench_browserlaunch
#include "core/settings/VelGlobals.h"
#include "platform/xdg/DesktopLauncher.h"
#include "platform/xdg/XdgBrowserSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sys/stat.h>
#include <thread>
#include <time.h>

namespace {

using Clock = std::chrono::steady_clock;

QTemporaryDir* gRoot = nullptr;

QString rootPath(const QString& relative) {
    return gRoot->path() + u'/' + relative;
}

QString recordPath() {
    return rootPath(QStringLiteral("bin/fakebrowser.record"));
}

void writeFile(const QString& path, const QByteArray& content, bool executable = false) {
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(content);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

// A desktop whose default http handler is the fake browser, and this process pointed at it.
void makeDesktop() {
    const QByteArray record = recordPath().toUtf8();
    writeFile(rootPath(QStringLiteral("bin/fakebrowser")),
              "#!/bin/sh\n{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" + record + ".tmp' && mv '" +
                  record + ".tmp' '" + record + "'\nexec sleep 1\n",
              true);
    writeFile(rootPath(QStringLiteral("data/applications/fake.desktop")),
              "[Desktop Entry]\nType=Application\nName=Fake\nExec=fakebrowser %u\n");
    writeFile(rootPath(QStringLiteral("config/mimeapps.list")),
              "[Default Applications]\nx-scheme-handler/http=fake.desktop\n");
    QDir().mkpath(rootPath(QStringLiteral("home")));
    qputenv("HOME", rootPath(QStringLiteral("home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", rootPath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CONFIG_DIRS", rootPath(QStringLiteral("etc")).toUtf8());
    qputenv("XDG_DATA_HOME", rootPath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_DATA_DIRS", rootPath(QStringLiteral("share")).toUtf8());
    qputenv("PATH", rootPath(QStringLiteral("bin")).toUtf8() + ":/usr/bin:/bin");
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "BROWSER"})
        qunsetenv(name);
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("DISPLAY", ":65534"); // xdg-open asks for the default handler only when it sees a display
}

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

bool recordExists() {
    struct stat st;
    return ::stat(recordPath().toLocal8Bit().constData(), &st) == 0;
}

// One launch per iteration: manual time = call to record written; caller_us = call to return.
template <typename Launch> void measure(benchmark::State& state, Launch launch) {
    double callerSeconds = 0;
    double callerCpuSeconds = 0;
    for (auto _ : state) {
        QFile::remove(recordPath());
        const double cpuStart = threadCpuSeconds();
        const auto start = Clock::now();
        launch();
        const auto returned = Clock::now();
        callerCpuSeconds += threadCpuSeconds() - cpuStart;
        while (!recordExists()) {
            if (Clock::now() - start > std::chrono::seconds(30)) {
                state.SkipWithError("the fake browser did not start");
                return;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        const auto started = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(started - start).count());
        callerSeconds += std::chrono::duration<double>(returned - start).count();
    }
    state.counters["caller_us"] = benchmark::Counter(callerSeconds * 1e6 / double(state.iterations()));
    state.counters["caller_cpu_us"] = benchmark::Counter(callerCpuSeconds * 1e6 / double(state.iterations()));
}

const QByteArray kUrl = "http://www.qq.co.jp/index.html?a=1&b=2";

void BM_RunProgramWithParams(benchmark::State& state) {
    const QByteArray program = rootPath(QStringLiteral("bin/fakebrowser")).toUtf8();
    measure(state, [&] { TDesktopLauncher().RunProgramWithParams(program, kUrl); });
}

// The whole browse command with RunWithCommandLine on: default browser lookup, then the start.
void BM_BrowseCommandLine(benchmark::State& state) {
    VelGlobals::RunWithCommandLine = true;
    TDesktopLauncher launcher;
    measure(state, [&] { ExecuteBrowse(kUrl, TXdgBrowserSystem(), launcher); });
}

// The whole browse command with RunWithCommandLine off: the desktop opens the URL (xdg-open).
void BM_BrowseThroughDesktop(benchmark::State& state) {
    VelGlobals::RunWithCommandLine = false;
    TDesktopLauncher launcher;
    measure(state, [&] { ExecuteBrowse(kUrl, TXdgBrowserSystem(), launcher); });
}

void configure(benchmark::internal::Benchmark* b) {
    b->Iterations(1)->Repetitions(20)->ReportAggregatesOnly(true)->UseManualTime()->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_RunProgramWithParams)->Apply(configure);
BENCHMARK(BM_BrowseCommandLine)->Apply(configure);
BENCHMARK(BM_BrowseThroughDesktop)->Apply(configure);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    gRoot = &root;
    makeDesktop();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
