#include "framework/Maths.h"

#include <array>

namespace fw {

namespace {

// The 64-bit Mersenne Twister (MT19937-64), written out so that a whole block
// is made in three plain loops: the library's engine, called once per draw,
// costs three times as much. The draws are the same as std::mt19937_64's.
constexpr int kStateSize = 312;
constexpr int kShift = 156;
constexpr std::uint64_t kMatrix = 0xB5026F5AA96619E9ULL;
constexpr std::uint64_t kUpperMask = 0xFFFFFFFF80000000ULL;
constexpr std::uint64_t kLowerMask = 0x7FFFFFFFULL;
constexpr std::uint64_t kDefaultSeed = 5489u;

using State = std::array<std::uint64_t, kStateSize>;

constexpr State SeededState(std::uint64_t seed) {
  State seeded{};
  seeded[0] = seed;
  for (int i = 1; i < kStateSize; ++i) {
    seeded[i] = 6364136223846793005ULL * (seeded[i - 1] ^ (seeded[i - 1] >> 62)) + static_cast<std::uint64_t>(i);
  }
  return seeded;
}

State state = SeededState(kDefaultSeed);
double block[kStateSize];
RndSource scriptedSource = nullptr;

std::uint64_t Twisted(std::uint64_t word, std::uint64_t next, std::uint64_t distant) {
  const std::uint64_t y = (word & kUpperMask) | (next & kLowerMask);
  return distant ^ (y >> 1) ^ ((0 - (y & 1)) & kMatrix);
}

// The next kStateSize draws into block.
void MakeBlock() {
  int k = 0;
  for (; k < kStateSize - kShift; ++k) state[k] = Twisted(state[k], state[k + 1], state[k + kShift]);
  for (; k < kStateSize - 1; ++k) state[k] = Twisted(state[k], state[k + 1], state[k + kShift - kStateSize]);
  state[k] = Twisted(state[k], state[0], state[kShift - 1]);
  for (int i = 0; i < kStateSize; ++i) {
    std::uint64_t x = state[i];
    x ^= (x >> 29) & 0x5555555555555555ULL;
    x ^= (x << 17) & 0x71D67FFFEDA60000ULL;
    x ^= (x << 37) & 0xFFF7EEE000000000ULL;
    x ^= x >> 43;
    // The top 53 bits as a fraction: every value is exact and 1 is out of reach.
    block[i] = static_cast<double>(x >> 11) * 0x1.0p-53;
  }
}

}  // namespace

namespace detail {
const double* rndNext = block + kStateSize;
const double* rndEnd = block + kStateSize;

double NextRndSlowly() {
  if (scriptedSource) return scriptedSource();
  MakeBlock();
  rndNext = block;
  return *rndNext++;
}
}  // namespace detail

void SeedRnd(std::uint64_t seed) {
  state = SeededState(seed);
  detail::rndNext = block + kStateSize;
}

void SetRndSource(RndSource source) {
  scriptedSource = source;
  // The block's unused draws stay for when the generator is restored.
  detail::rndEnd = source ? block : block + kStateSize;
}

}  // namespace fw
