// The AVX2 span routines. Only this file is built for AVX2 (see the build
// files), and only on processors that have it are they picked.
#include "platform/SpanFill.h"

#if PELLUMBRISK_AVX2_SPANS
#ifndef __AVX2__
#error "SpanFillAvx2.cpp must be built with AVX2 enabled"
#endif

#include "platform/SpanKernels.h"

namespace platform::detail {

SpanFn PickAvx2Span(OpKind op, BlendKind blend) { return PickSpanFor<Lanes8>(op, blend); }

}  // namespace platform::detail
#endif
