// Cost of turning a 4 KB codeplug into editor settings and back: one decode
// followed by one encode of the same image, as a file load and save or a
// read and program do. Both are single passes over the image and should
// together stay far below a millisecond.

#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "codeplug/decode_image.h"
#include "codeplug/encode.h"
#include "codeplug/field_catalogue.h"
#include "prompts/prompt_catalogue.h"

namespace {

std::string Identity(std::string_view text) {
  return std::string(text);
}

// A codeplug with every prompt and address in use.
rer::EditorSettings BusySettings() {
  rer::EditorSettings settings;
  for (const rer::PromptInfo& prompt : rer::PromptCatalogue()) {
    settings.SetText(prompt.field, "PROMPT TEXT " + std::to_string(prompt.extended));
  }
  for (int n = 1; n <= rer::kAddressCount; ++n) {
    settings.SetText(rer::AddressControl::Capcode, n, std::to_string(1000000 + n * 17));
    settings.SetText(rer::AddressControl::Frame, n, "0" + std::to_string(10 + n));
    settings.SetText(rer::AddressControl::Collapse, n, "4");
  }
  settings.SetItem("cb_PLL_Type", 2);
  settings.SetItem("cb_freqBand", 4);
  return settings;
}

// Everything one 4 KB decode and encode needs, around an encoded image.
struct Codec4K {
  Codec4K() {
    rer::SelectLayout(layout, 0x84);
    synth.result = {.FoundN = 3000, .FoundR = 1024, .SearchFlags = 2, .side = 2};
    encode.modelCode = 0x84;
    encode.programming = true;
    encode.synth = &synth;
    encode.scramble = Identity;
    rer::EditorSettings settings = BusySettings();
    rer::EncodeImage4K(settings, layout, image, encode);
  }

  int Decode(rer::EditorSettings& settings) {
    rer::DecodeContext decode{.cgromType = 0,
                              .modelCode = 0x84,
                              .programSequence = false,
                              .pagerLargeMemory = false,
                              .synth = synth,
                              .unscramblePassword = Identity};
    return rer::DecodeImage4K(image, layout, settings, decode);
  }

  rer::Layout layout;
  rer::SynthState synth;
  rer::EncodeContext encode;
  rer::CodeplugImage image;
};

void BM_Decode4KThenEncode(benchmark::State& state) {
  Codec4K codec;
  for (auto _ : state) {
    rer::EditorSettings decoded;
    benchmark::DoNotOptimize(codec.Decode(decoded));
    benchmark::DoNotOptimize(rer::EncodeImage4K(decoded, codec.layout, codec.image, codec.encode));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Decode4KThenEncode)->Unit(benchmark::kMicrosecond);

// The two halves on their own, to tell where the time goes.
void BM_Decode4K(benchmark::State& state) {
  Codec4K codec;
  for (auto _ : state) {
    rer::EditorSettings decoded;
    benchmark::DoNotOptimize(codec.Decode(decoded));
  }
}
BENCHMARK(BM_Decode4K)->Unit(benchmark::kMicrosecond);

void BM_Encode4K(benchmark::State& state) {
  Codec4K codec;
  rer::EditorSettings settings;
  codec.Decode(settings);
  for (auto _ : state) {
    benchmark::DoNotOptimize(rer::EncodeImage4K(settings, codec.layout, codec.image, codec.encode));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Encode4K)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
