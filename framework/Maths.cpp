#include "framework/Maths.h"

#include <random>

namespace fw {

namespace {
std::mt19937_64 generator(5489u);
RndSource scriptedSource = nullptr;

constexpr int kBlock = 312;  // the generator's own block
double block[kBlock];
}  // namespace

namespace detail {
const double* rndNext = block + kBlock;
const double* rndEnd = block + kBlock;

double NextRndSlowly() {
  if (scriptedSource) return scriptedSource();
  // The top 53 bits as a fraction: every value is exact and 1 is out of reach.
  for (double& draw : block) draw = static_cast<double>(generator() >> 11) * 0x1.0p-53;
  rndNext = block;
  return *rndNext++;
}
}  // namespace detail

void SeedRnd(std::uint64_t seed) {
  generator.seed(seed);
  detail::rndNext = block + kBlock;
}

void SetRndSource(RndSource source) {
  scriptedSource = source;
  // The block's unused draws stay for when the generator is restored.
  detail::rndEnd = source ? block : block + kBlock;
}

}  // namespace fw
