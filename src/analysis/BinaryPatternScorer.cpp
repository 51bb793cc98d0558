#include "analysis/BinaryPatternScorer.h"

#include <algorithm>
#include <bit>

namespace zor {
namespace {

constexpr int kWordBits = 64;

// Brightness bits of one BGRA row as sliding words: word x holds pixels x .. x + 63 (bit j is
// pixel x + j), zeros past the row's end. Built right to left, one shift per pixel.
void SlideRow(const uint8_t* bgra, int width, int32_t level, uint64_t* words) {
  uint64_t word = 0;
  for (int x = width - 1; x >= 0; --x) {
    const uint8_t* p = bgra + 4 * x;
    word = (word << 1) | uint64_t(IsBright(p[0], p[1], p[2], level));
    words[x] = word;
  }
}

// acc[x] += mismatching bits of the window words at x against the template words, for every
// `step`-th x and `row_count` template rows at once (fewer loads and stores of acc).
constexpr int kRowsPerPass = 4;

template <int step, int row_count>
__attribute__((always_inline)) inline void MismatchLoop(const uint64_t* const* rows, const uint64_t* templ_words,
                                                        uint64_t used_bits, int cols, int32_t* acc) {
  // Local copies: acc's stores could otherwise alias the pointers and force reloads.
  const uint64_t* row[row_count];
  uint64_t word[row_count];
  for (int r = 0; r < row_count; ++r) row[r] = rows[r], word[r] = templ_words[r];
  for (int x = 0; x < cols; x += step) {
    int32_t sum = 0;
#pragma GCC unroll 4
    for (int r = 0; r < row_count; ++r) sum += std::popcount((row[r][x] ^ word[r]) & used_bits);
    acc[x] += sum;
  }
}

// The hot loop compiled twice: with the popcount instruction, and without it for CPUs that lack
// it (there the compiler calls a slower library routine). Chosen at run time by a plain test
// rather than an ifunc, which the thread sanitizer's start-up cannot run.
template <int step, int row_count>
__attribute__((target("popcnt"))) void MismatchesPopcnt(const uint64_t* const* rows, const uint64_t* templ_words,
                                                        uint64_t used_bits, int cols, int32_t* acc) {
  MismatchLoop<step, row_count>(rows, templ_words, used_bits, cols, acc);
}

template <int step, int row_count>
void MismatchesPortable(const uint64_t* const* rows, const uint64_t* templ_words, uint64_t used_bits, int cols,
                        int32_t* acc) {
  MismatchLoop<step, row_count>(rows, templ_words, used_bits, cols, acc);
}

bool CpuHasPopcnt() {
  static const bool has_popcnt = __builtin_cpu_supports("popcnt");
  return has_popcnt;
}

template <int step, int row_count>
void AccumulateMismatches(const uint64_t* const* rows, const uint64_t* templ_words, uint64_t used_bits, int cols,
                          int32_t* acc) {
  if (CpuHasPopcnt()) {
    MismatchesPopcnt<step, row_count>(rows, templ_words, used_bits, cols, acc);
  } else {
    MismatchesPortable<step, row_count>(rows, templ_words, used_bits, cols, acc);
  }
}

template <int step>
void AccumulateRows(const uint64_t* const* rows, const uint64_t* templ_words, int row_count, uint64_t used_bits,
                    int cols, int32_t* acc) {
  int r = 0;
  for (; r + kRowsPerPass <= row_count; r += kRowsPerPass) {
    AccumulateMismatches<step, kRowsPerPass>(rows + r, templ_words + r, used_bits, cols, acc);
  }
  for (; r < row_count; ++r) AccumulateMismatches<step, 1>(rows + r, templ_words + r, used_bits, cols, acc);
}

// The template packed like the window words: row r, word k holds pixels 64k .. 64k + 63.
struct PackedTemplate {
  int words_per_row = 0;
  std::vector<uint64_t> words;      // rows x words_per_row
  std::vector<uint64_t> used_bits;  // per word: the bits that lie inside the template width
};

PackedTemplate Pack(const BinaryTemplate& templ) {
  PackedTemplate packed;
  const int width = templ.Size.width;
  packed.words_per_row = (width + kWordBits - 1) / kWordBits;
  packed.words.assign(size_t(templ.Size.height) * packed.words_per_row, 0);
  for (int r = 0; r < templ.Size.height; ++r) {
    for (int c = 0; c < width; ++c) {
      if (templ.Bits[size_t(r) * width + c] != 0) {
        packed.words[size_t(r) * packed.words_per_row + c / kWordBits] |= uint64_t(1) << (c % kWordBits);
      }
    }
  }
  for (int k = 0; k < packed.words_per_row; ++k) {
    const int bits = std::min(kWordBits, width - k * kWordBits);
    packed.used_bits.push_back(bits == kWordBits ? ~uint64_t(0) : (uint64_t(1) << bits) - 1);
  }
  return packed;
}

template <int step>
void ScoreRows(const cv::Mat& region, int32_t level, const PackedTemplate& templ, cv::Size templ_size,
               cv::Mat& scores) {
  const int region_width = region.cols;
  const int th = templ_size.height;
  // The window rows of one grid row, kept in a ring so each region row is binarised once.
  std::vector<uint64_t> ring(size_t(th) * region_width);
  std::vector<int32_t> acc(scores.cols);
  std::vector<const uint64_t*> rows(th);
  std::vector<uint64_t> templ_words(th);
  const float pixel_count = float(int64_t(templ_size.width) * th);
  const int32_t total = int32_t(int64_t(templ_size.width) * th);
  int next_row = 0;  // first region row not yet in the ring
  for (int y = 0; y < scores.rows; y += step) {
    for (; next_row < y + th; ++next_row) {
      SlideRow(region.ptr<uint8_t>(next_row), region_width, level,
               &ring[size_t(next_row % th) * region_width]);
    }
    std::fill(acc.begin(), acc.end(), 0);
    for (int k = 0; k < templ.words_per_row; ++k) {
      for (int r = 0; r < th; ++r) {
        rows[r] = &ring[size_t((y + r) % th) * region_width] + k * kWordBits;
        templ_words[r] = templ.words[size_t(r) * templ.words_per_row + k];
      }
      AccumulateRows<step>(rows.data(), templ_words.data(), th, templ.used_bits[k], scores.cols, acc.data());
    }
    float* out = scores.ptr<float>(y);
    for (int x = 0; x < scores.cols; x += step) out[x] = float(total - acc[x]) / pixel_count;
  }
}

}  // namespace

void ScoreBinaryPattern(const cv::Mat& region, int32_t bin_threshold, const BinaryTemplate& templ, int step,
                        cv::Mat& scores) {
  CV_Assert(region.type() == CV_8UC4 && (step == 1 || step == 2));
  scores.create(region.rows - templ.Size.height + 1, region.cols - templ.Size.width + 1, CV_32F);
  const PackedTemplate packed = Pack(templ);
  if (step == 1) {
    ScoreRows<1>(region, bin_threshold, packed, templ.Size, scores);
  } else {
    scores.setTo(0);
    ScoreRows<2>(region, bin_threshold, packed, templ.Size, scores);
  }
}

}  // namespace zor
