#include <benchmark/benchmark.h>

#include <memory>
#include <openssl/evp.h>
#include <vector>

#include "tables/AidTable.h"
#include "tables/CaPublicKeyTable.h"
#include "tables/Sha1.h"

namespace {

// What the main window does once at start-up: both tables, 76 check values.
void FillBothTables(benchmark::State& state) {
    auto keys = std::make_unique<CaPublicKeyTable>();
    auto aids = std::make_unique<AidTable>();
    for (auto _ : state) {
        InitCaPublicKeyTable(*keys);
        InitAidTable(*aids);
        benchmark::DoNotOptimize(keys->entries[75].checkValue[0]);
        benchmark::DoNotOptimize(aids->entries[9].aid[0]);
    }
}
BENCHMARK(FillBothTables);

std::vector<unsigned char> Input(benchmark::State& state) {
    std::vector<unsigned char> data(static_cast<size_t>(state.range(0)));
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<unsigned char>(i * 131 + 17);
    }
    return data;
}

void Sha1Ours(benchmark::State& state) {
    const auto data = Input(state);
    unsigned char digest[CSHA1::digestLength];
    for (auto _ : state) {
        CSHA1 sha;
        sha.Update(data.data(), static_cast<uint32_t>(data.size()));
        sha.Finish(digest);
        benchmark::DoNotOptimize(digest[0]);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Sha1Libcrypto(benchmark::State& state) {
    const auto data = Input(state);
    unsigned char digest[EVP_MAX_MD_SIZE];
    for (auto _ : state) {
        EVP_Digest(data.data(), data.size(), digest, nullptr, EVP_sha1(), nullptr);
        benchmark::DoNotOptimize(digest[0]);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// 524 bytes is one entry's checked image.
BENCHMARK(Sha1Ours)->Arg(524)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(Sha1Libcrypto)->Arg(524)->Arg(64 << 10)->Arg(1 << 20);

} // namespace
