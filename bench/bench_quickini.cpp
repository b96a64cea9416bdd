#include "core/settings/QuickIni.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// Settings files with a very long template list: loading and reading the list, and writing it all.

namespace {

const QByteArray kHeader = "******************************************\r\n"
                           "*     Velmarinth initialization file     *\r\n"
                           "******************************************";

QList<QByteArray> Templates(qsizetype count) {
    QList<QByteArray> list;
    list.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        QByteArray entry = "http://www.example" + QByteArray::number(i) + ".|co.jp/";
        if (i % 10 == 0)
            entry.prepend(' '); // stored in quotes
        list.append(entry);
    }
    return list;
}

// The file as the main window writes it at close.
void WriteSettings(TQuickIni& ini, const QList<QByteArray>& list) {
    ini.Clear();
    ini.SetHeader(kHeader);
    ini.WriteInteger("Main", "Left", 291);
    ini.WriteInteger("Main", "Top", 180);
    ini.WriteBool("Main", "TopMost", true);
    ini.WriteInteger("MakeIS", "TargetFolderIndex", 2);
    ini.WriteString("MakeIS", "TargetFolder", "/home/user/Desktop/");
    ini.WriteList("Template", list);
    ini.WriteString("Option", "DirectedBrowserPath", "/usr/bin/firefox");
    ini.WriteBool("Option", "ShowToolTip", false);
    ini.WriteString("Main", "URLBox", "http://www.qq|.co.jp/");
    ini.WriteBool("Option", "MinimizeAfterExe", true);
    ini.UpdateFile();
}

void BM_LoadAndReadList(benchmark::State& state) {
    const qsizetype count = state.range(0);
    QTemporaryDir dir;
    const QString path = dir.filePath("Velmarinth.ini");
    {
        TQuickIni ini(path);
        WriteSettings(ini, Templates(count));
    }
    for (auto _ : state) {
        TQuickIni ini(path);
        benchmark::DoNotOptimize(ini.ReadInteger("Main", "Left", 0));
        benchmark::DoNotOptimize(ini.ReadString("Main", "URLBox", QByteArray()));
        QList<QByteArray> list;
        if (ini.SectionExists("Template"))
            ini.ReadList("Template", list);
        if (list.size() != count)
            state.SkipWithError("wrong list size");
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_WriteSettings(benchmark::State& state) {
    const qsizetype count = state.range(0);
    QTemporaryDir dir;
    const QList<QByteArray> list = Templates(count);
    TQuickIni ini(dir.filePath("Velmarinth.ini"));
    for (auto _ : state)
        WriteSettings(ini, list);
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

BENCHMARK(BM_LoadAndReadList)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSettings)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
