#include "core/settings/VelGlobals.h"
#include "gui/controls/Actions.h"
#include "gui/templates/EditTemplate.h"
#include "gui/templates/ListBoxEx.h"
#include "gui/templates/TemplateMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QList<QByteArray> Templates(int count) {
    QList<QByteArray> list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append("http://www.|example" + QByteArray::number(i) + ".co.jp/");
    return list;
}

void BM_BuildTemplateMenu(benchmark::State& state) {
    const QList<QByteArray> list = Templates(static_cast<int>(state.range(0)));
    QObject owner;
    QMenu tmiTemplate;
    QAction add(QStringLiteral("テンプレートに追加(&U)"), &owner);
    QAction edit(QStringLiteral("テンプレートの編集(&T)"), &owner);
    TTemplateMenu menu(&tmiTemplate, &owner);
    menu.SetFixedItems(&add, &edit);
    menu.BuildTemplateMenu(list);
    // Each pass is a rebuild: the previous pages are freed first, as after every change of the list.
    for (auto _ : state) {
        menu.BuildTemplateMenu(list);
        benchmark::DoNotOptimize(menu.Pages().size());
    }
}

std::unique_ptr<TfrmEditTemplate> OpenEditor(QWidget* owner) {
    auto dlg = std::make_unique<TfrmEditTemplate>(owner);
    dlg->Ask = [](const QString&) { return true; };
    dlg->show();
    QCoreApplication::processEvents();
    return dlg;
}

void BM_OpenEditor(benchmark::State& state) {
    VelGlobals::TemplateList = Templates(static_cast<int>(state.range(0)));
    QWidget owner;
    for (auto _ : state) {
        auto dlg = OpenEditor(&owner);
        state.PauseTiming();
        dlg.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_DeleteAllInEditor(benchmark::State& state) {
    VelGlobals::TemplateList = Templates(static_cast<int>(state.range(0)));
    QWidget owner;
    for (auto _ : state) {
        state.PauseTiming();
        auto dlg = OpenEditor(&owner);
        dlg->findChild<TListBoxEx*>(QStringLiteral("lbTemplate"))->selectAll();
        state.ResumeTiming();
        dlg->findChild<TAction*>(QStringLiteral("actDelete"))->Execute();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dlg->findChild<TListBoxEx*>(QStringLiteral("lbTemplate"))->Count());
        state.PauseTiming();
        dlg.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// F7 / F8 with every other item selected: as many runs to move as there can be.
void BM_MoveScatteredSelection(benchmark::State& state) {
    VelGlobals::TemplateList = Templates(static_cast<int>(state.range(0)));
    QWidget owner;
    auto dlg = OpenEditor(&owner);
    QList<bool> everyOther(dlg->findChild<TListBoxEx*>(QStringLiteral("lbTemplate"))->Count());
    for (qsizetype i = 1; i < everyOther.size(); i += 2)
        everyOther[i] = true;
    dlg->findChild<TListBoxEx*>(QStringLiteral("lbTemplate"))->SetSelectionFlags(everyOther);
    bool up = true;
    for (auto _ : state) {
        (up ? dlg->findChild<TAction*>(QStringLiteral("actMoveUp"))
            : dlg->findChild<TAction*>(QStringLiteral("actMoveDown")))
            ->Execute();
        up = !up;
        benchmark::DoNotOptimize(dlg->findChild<TListBoxEx*>(QStringLiteral("lbTemplate"))->ItemIndex());
    }
}

} // namespace

BENCHMARK(BM_MoveScatteredSelection)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTemplateMenu)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditor)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteAllInEditor)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
