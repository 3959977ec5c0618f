#pragma once
// Relative comparison of doubles, the one tolerance rule the tests share.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace teste {

inline ::testing::AssertionResult PertoRelativo(const char* ea, const char* eb, const char* /*etol*/,
                                                double a, double b, double tolRel) {
  const double escala = std::max({std::fabs(a), std::fabs(b), 1e-300});
  if (std::fabs(a - b) <= tolRel * escala || a == b) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << ea << " = " << a << " differs from " << eb << " = " << b
                                       << " by more than " << tolRel << " relative";
}

}  // namespace teste

// EXPECT_REL_NEAR(actual, expected, relativeTolerance)
#define EXPECT_REL_NEAR(a, b, tol) EXPECT_PRED_FORMAT3(::teste::PertoRelativo, a, b, tol)
#define ASSERT_REL_NEAR(a, b, tol) ASSERT_PRED_FORMAT3(::teste::PertoRelativo, a, b, tol)
