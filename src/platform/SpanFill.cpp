// The portable span routines, and the choice between them and the AVX2 ones.
#include "platform/SpanFill.h"

#include "platform/SpanKernels.h"

namespace platform::detail {

uint16_t QuantisedDepth(double z) { return QuantiseDepth(z); }

SpanFn PickPortableSpan(OpKind op, BlendKind blend) {
#ifdef __SSE2__
    return PickSpanFor<Lanes4>(op, blend);
#else
    return PickSpanFor<NoLanes>(op, blend);
#endif
}

SpanFn PickSpan(OpKind op, BlendKind blend, bool portable) {
#if PELLUMBRISK_AVX2_SPANS
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2 && !portable) return PickAvx2Span(op, blend);
#else
    (void)portable;
#endif
    return PickPortableSpan(op, blend);
}

}  // namespace platform::detail
