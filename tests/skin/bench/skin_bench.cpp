// Speed of the skin package path: unpacking and loading our shipped skin (target: 10 ms or
// less) and LZHUF decoding of a 2 MB text stream (target: 100 MB/s of output or more), for
// real prose and for a harder made-up text. bytes_per_second is in units of 2^20.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
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

constexpr size_t kTextSize = size_t(2) << 20;

// Two megabytes of real prose: the licence texts every Debian system carries, repeated.
// Empty when they are missing.
const std::vector<uint8_t>& Prose2MB() {
    static const std::vector<uint8_t> text = [] {
        std::string prose;
        for (const char* name : {"GPL-3", "LGPL-2.1", "Apache-2.0", "MPL-2.0"}) {
            std::ifstream in(std::string("/usr/share/common-licenses/") + name, std::ios::binary);
            prose.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        std::vector<uint8_t> out;
        while (!prose.empty() && out.size() < kTextSize) out.insert(out.end(), prose.begin(), prose.end());
        if (!out.empty()) out.resize(kTextSize);
        return out;
    }();
    return text;
}

// Two megabytes of made-up text, harder than prose: words drawn at random from a vocabulary
// of 3000, so that there are few repeated phrases and many literals.
const std::vector<uint8_t>& Synthetic2MB() {
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
        while (s.size() < kTextSize) {
            s += words[std::min(random() % words.size(), random() % words.size())];
            const uint32_t r = random() % 100;
            s += r < 80 ? " " : r < 88 ? ", " : r < 94 ? ". " : r < 97 ? std::to_string(random() % 1000) + " " : "\r\n";
        }
        s.resize(kTextSize);
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

void DecodeText(benchmark::State& state, const std::vector<uint8_t>& text) {
    if (text.empty()) {
        state.SkipWithError("no text to decode");
        return;
    }
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

void BM_DecodeProse2MB(benchmark::State& state) { DecodeText(state, Prose2MB()); }
BENCHMARK(BM_DecodeProse2MB)->Unit(benchmark::kMillisecond);

void BM_DecodeSyntheticText2MB(benchmark::State& state) { DecodeText(state, Synthetic2MB()); }
BENCHMARK(BM_DecodeSyntheticText2MB)->Unit(benchmark::kMillisecond);

void BM_EncodeProse2MB(benchmark::State& state) {
    const std::vector<uint8_t>& text = Prose2MB();
    for (auto _ : state) benchmark::DoNotOptimize(TLZH::Encode(text).data());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_EncodeProse2MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
