#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "Source/Engine/Base/AudioFormat.h"
#include "Source/Engine/Codecs/CodecFactory.h"
#include "Source/Engine/Codecs/SampleRateAdapter.h"
#include "Source/Engine/Resampler/Resampler.h"
#include "tests/Engine/ResamplerTestSupport.h"

using resampler_test::Chain;
using resampler_test::TestSignal;

namespace {

// Inner codec that records what it is given and answers with its size.
class RecordingCodec : public Codec {
public:
    uint64_t Encode(const void* input, uint64_t inputSize, void* output, uint64_t outputCapacity) override {
        const auto* b = static_cast<const uint8_t*>(input);
        received.insert(received.end(), b, b + inputSize);
        (void)output;
        (void)outputCapacity;
        return inputSize;
    }
    std::vector<uint8_t> received;
};

}  // namespace

TEST(SampleRateAdapter, ConvertsPcmIntoTheCallersBuffer) {
    // Decoding direction without an inner codec: PCM at 22050 Hz in,
    // engine-rate PCM out, the same samples a chained resampler gives.
    const auto signal = TestSignal(8192, 2, 22050);
    SampleRateAdapter adapter(nullptr, 22050, false, 2);
    std::vector<uint8_t> out;
    for (size_t block = 0; block < 8; ++block) {
        std::vector<int16_t> buffer(2 * 2048 + 4, 0x5a5a);
        const uint64_t bytes =
            adapter.Encode(signal.data() + block * 2048, 1024 * 4, buffer.data(), 2048 * 4);
        ASSERT_LE(bytes, 2048u * 4);
        EXPECT_EQ(buffer[2 * 2048], 0x5a5a);  // nothing past the capacity
        const auto* b = reinterpret_cast<const uint8_t*>(buffer.data());
        out.insert(out.end(), b, b + bytes);
    }
    Chain chain(22050, 44100, 2, 2);
    chain.resampler.Write(signal.data(), 8192, 0);
    ASSERT_EQ(out.size(), chain.sink->bytes.size());
    EXPECT_TRUE(out == chain.sink->bytes);
}

TEST(SampleRateAdapter, SmallOutputBufferIsNeverOverrun) {
    const auto signal = TestSignal(1024, 1, 16000);
    SampleRateAdapter adapter(nullptr, 16000, false, 1);
    std::vector<int16_t> buffer(100 + 8, 0x5a5a);
    const uint64_t bytes = adapter.Encode(signal.data(), 1024 * 2, buffer.data(), 100 * 2);
    EXPECT_EQ(bytes, 200u);
    for (size_t i = 100; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0x5a5a);
}

TEST(SampleRateAdapter, EncodingHandsConvertedPcmToInnerCodec) {
    auto* inner = new RecordingCodec;
    SampleRateAdapter adapter(inner, 22050, true, 1);
    ASSERT_NE(adapter.GetResampler(), nullptr);
    EXPECT_DOUBLE_EQ(adapter.GetResampler()->Ratio(), 2.0);
    const auto signal = TestSignal(4410, 1, 44100);
    uint8_t output[16];
    uint64_t total = 0;
    for (size_t block = 0; block < 4410; block += 441) {
        total += adapter.Encode(signal.data() + block, 441 * 2, output, sizeof output);
    }
    EXPECT_EQ(total, inner->received.size());
    // Half the frames, less the filter's look-ahead.
    EXPECT_NEAR(static_cast<double>(inner->received.size()) / 2, 2205.0, 20.0);
}

TEST(SampleRateAdapter, FactoryBuildsItForPcm) {
    AudioFormat format;
    format.Initialise(kFormatPcm);
    format.SetChannels(2);
    format.SetSamplesPerSecond(32000);
    std::unique_ptr<Codec> decoder(CodecFactory::Create(format, false, 0));
    auto* adapter = dynamic_cast<SampleRateAdapter*>(decoder.get());
    ASSERT_NE(adapter, nullptr);
    ASSERT_NE(adapter->GetResampler(), nullptr);
    EXPECT_EQ(adapter->GetResampler()->InputRate(), 32000);
    EXPECT_EQ(adapter->GetResampler()->SampleRate(), 44100);
    EXPECT_EQ(adapter->GetResampler()->Channels(), 2);

    std::unique_ptr<Codec> encoder(CodecFactory::Create(format, true, 0));
    auto* toPcm = dynamic_cast<SampleRateAdapter*>(encoder.get());
    ASSERT_NE(toPcm, nullptr);
    EXPECT_EQ(toPcm->GetResampler()->InputRate(), 44100);
    EXPECT_EQ(toPcm->GetResampler()->SampleRate(), 32000);

    // A record without a usable rate gives a codec that converts nothing.
    format.SetSamplesPerSecond(0);
    std::unique_ptr<Codec> broken(CodecFactory::Create(format, false, 0));
    ASSERT_NE(broken, nullptr);
    int16_t in[64] = {}, out[256];
    EXPECT_EQ(broken->Encode(in, sizeof in, out, sizeof out), 0u);
}
