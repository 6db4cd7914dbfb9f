// The model's own sine of an x87 extended value, the same bits on every
// target: integer arithmetic only, no C library.
#pragma once

#include "core/model/Extended.h"

namespace velox {

// The sine of an x87 80-bit value, correctly rounded to the 64-bit significand (nearest, ties to even)
// for |x| < 2^20, integer arithmetic only, identical on every target.  Beyond 2^20 the same
// reduction and rounding apply, so the result stays within one unit in the last place.  Zeros keep
// their sign; infinities and NaN give a NaN.
ExtendedBits SineBits(ExtendedBits x);

// The same evaluation with a fixed working precision of 2 or 4 64-bit limbs, rounded without the
// check that decides between them.  SineBits works with 2 limbs and falls back to 4 when the
// 2-limb value lies too close to a halfway point; the tests run both precisions on every argument.
ExtendedBits SineBitsWithLimbs(ExtendedBits x, int limbs);

}  // namespace velox
