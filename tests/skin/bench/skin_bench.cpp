// Speed of the skin package path: unpacking and loading our shipped skin (target: 10 ms or
// less) and LZHUF decoding of a 2 MB text stream (target: 100 MB/s of output or more).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "skin/lzh.h"
#include "skin/skin_archive.h"
#include "skin/skin_data.h"
#include "skin/skin_painter.h"

namespace {

const std::vector<uint8_t>& ShippedPackage() {
    static const std::vector<uint8_t> package = PackSkinPackage(BuildSkinArchive(muheskin::PaintSkinEntries()));
    return package;
}

// Two megabytes of text with the statistics of prose and descriptions: words of varied
// length, punctuation, numbers and line ends, drawn from a fixed vocabulary.
const std::vector<uint8_t>& Text2MB() {
    static const std::vector<uint8_t> text = [] {
        std::mt19937 random(42);
        std::vector<std::string> words;
        const char* letters = "etaoinshrdlucmfwypvbgkqjxz";
        for (int i = 0; i < 3000; ++i) {
            std::string w;
            const int length = 1 + int(random() % 9);
            for (int k = 0; k < length; ++k) w += letters[std::min<uint32_t>(random() % 26, random() % 26)];
            words.push_back(w);
        }
        std::string s;
        while (s.size() < (2u << 20)) {
            s += words[std::min(random() % words.size(), random() % words.size())];
            const uint32_t r = random() % 100;
            s += r < 80 ? " " : r < 88 ? ", " : r < 94 ? ". " : r < 97 ? std::to_string(random() % 1000) + " " : "\r\n";
        }
        s.resize(2u << 20);
        return std::vector<uint8_t>(s.begin(), s.end());
    }();
    return text;
}

void BM_UnpackAndLoadShippedSkin(benchmark::State& state) {
    const std::vector<uint8_t>& package = ShippedPackage();
    for (auto _ : state) {
        MemoryStream value;
        const uint32_t n = uint32_t(package.size());
        const uint8_t count[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
        value.Write(count, 4);
        value.Write(package);
        value.Seek(0);
        TSkinData data;
        data.ReadSkinStream(value);
        if (data.SkinPending()) state.SkipWithError("the shipped skin did not load");
        benchmark::DoNotOptimize(data.Content().Top.Image.pixels.data());
    }
    state.counters["package_bytes"] = double(package.size());
}
BENCHMARK(BM_UnpackAndLoadShippedSkin)->Unit(benchmark::kMillisecond);

void BM_DecodeText2MB(benchmark::State& state) {
    const std::vector<uint8_t>& text = Text2MB();
    const std::vector<uint8_t> stream = TLZH::Encode(text);
    for (auto _ : state) {
        MemoryStream in(stream);
        MemoryStream out;
        TLZH().Decode(in, out, text.size());
        benchmark::DoNotOptimize(out.Buffer().data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["ratio"] = double(text.size()) / double(stream.size());
}
BENCHMARK(BM_DecodeText2MB)->Unit(benchmark::kMillisecond);

void BM_EncodeText2MB(benchmark::State& state) {
    const std::vector<uint8_t>& text = Text2MB();
    for (auto _ : state) benchmark::DoNotOptimize(TLZH::Encode(text).data());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_EncodeText2MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
