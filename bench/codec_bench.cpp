// Decoding and re-encoding all three sets of an image, as every retrieve and file load does.
#include <benchmark/benchmark.h>

#include "image_codec.h"
#include "legacy_layout.h"
#include "settings_flows.h"

namespace {

velmar::Image factoryImage()
{
    velmar::SettingsStore store;
    velmar::storeBackSets(store, nullptr, false);
    return store.writeImage;
}

void RetrieveAllSets(benchmark::State& state)
{
    velmar::SettingsStore store;
    store.readImage = factoryImage();
    for (auto _ : state) {
        velmar::retrieveSets(store, nullptr);
        benchmark::DoNotOptimize(store.writeImage.data());
    }
}
BENCHMARK(RetrieveAllSets)->Unit(benchmark::kMicrosecond);

void ConvertImage(benchmark::State& state)
{
    velmar::SettingsStore store;
    store.readImage = factoryImage();
    for (auto _ : state) {
        velmar::convertImage(store);
        benchmark::DoNotOptimize(store.writeImage.data());
    }
}
BENCHMARK(ConvertImage)->Unit(benchmark::kMicrosecond);

}  // namespace
