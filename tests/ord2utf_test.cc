// The UTF-32 code-unit writer: what it stores. That a library built with it does not export
// it is checked on the example library's shared library (example_library.cmake).
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include <gtest/gtest.h>

#include <cstdint>

extern "C" std::uint32_t _tresk_ord2utf_32(std::uint32_t cvalue, std::uint32_t* buffer);

namespace {

constexpr std::uint32_t kEdges[] = {0,        0x7F,       0xFFFF,     0x10FFFF,   0xD800,    0xDFFF,
                                    0x110000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};

TEST(Ord2Utf32, StoresEveryValueUnchangedInOneUnit) {
  for (const std::uint32_t value : kEdges) {
    std::uint32_t buffer[3] = {0xA5A5A5A5, 0x5A5A5A5A, 0xA5A5A5A5};
    EXPECT_EQ(_tresk_ord2utf_32(value, buffer + 1), 1u) << value;
    EXPECT_EQ(buffer[1], value);
    EXPECT_EQ(buffer[0], 0xA5A5A5A5u) << "wrote before the buffer";
    EXPECT_EQ(buffer[2], 0xA5A5A5A5u) << "wrote past the first unit";
  }
}

}  // namespace
