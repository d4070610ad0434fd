#include "app/BrimletDlg.h"
#include "framework/UiSession.h"
#include "tables/AidTable.h"
#include "tables/CaPublicKeyTable.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// The main window from construction to the end of OnInitDialog, as the program
// starts it (on the offscreen platform unless a display is chosen).
void StartMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        auto dialog = std::make_unique<CBrimletDlg>();
        benchmark::DoNotOptimize(dialog->Create());
        dialog->DestroyWindow();
    }
}
BENCHMARK(StartMainWindow)->Unit(benchmark::kMicrosecond);

// The part of OnInitDialog that fills both tables.
void FillPaymentTables(benchmark::State& state) {
    auto keys = std::make_unique<CaPublicKeyTable>();
    auto aids = std::make_unique<AidTable>();
    for (auto _ : state) {
        InitCaPublicKeyTable(*keys);
        InitAidTable(*aids);
        benchmark::DoNotOptimize(keys->entries[0].checkValue[0]);
    }
}
BENCHMARK(FillPaymentTables)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    UiSession session;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
