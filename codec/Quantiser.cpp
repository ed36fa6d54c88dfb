#include "codec/Quantiser.h"

void PrepareQuantiser(const Layer2Layout& layout, const Layer2Frame& frame, int channel, QuantiserSettings& s) {
    for (int sb = 0; sb < kSubbandCount; ++sb) {
        const int cls = sb < layout.sblimit ? frame.quantClass[channel][sb] : 0;
        if (cls == 0) {
            // Neutral values: the code comes out 0 and is never written.
            for (int part = 0; part < kPartCount; ++part) s.scale[part][sb] = 1.0;
            s.z[sb] = 1.0;
            s.b[sb] = 0.0;
            s.k[sb] = 0.0;
            s.last[sb] = 0;
            continue;
        }
        const QuantClass& q = kQuantClasses[cls];
        for (int part = 0; part < kPartCount; ++part) {
            s.scale[part][sb] = kScaleFactors[frame.scaleFactor[channel][part][sb]];
        }
        s.z[sb] = q.z;
        s.b[sb] = q.b;
        s.k[sb] = q.k;
        s.last[sb] = q.steps - 1;
    }
}

void QuantiseFrame(const Layer2Layout& layout, const CodecKernels& kernels, Layer2Frame& frame) {
    for (int ch = 0; ch < layout.channels; ++ch) {
        QuantiserSettings settings;
        PrepareQuantiser(layout, frame, ch, settings);
        kernels.quantise(frame.subbands[ch], settings, frame.codes[ch]);
    }
}
