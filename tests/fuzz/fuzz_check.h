// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdio>

// A broken rule is a finding like a crash: say which, then stop so libFuzzer keeps the input.
#define YZ_FUZZ_CHECK(condition)                                                      \
  do {                                                                                \
    if (!(condition)) {                                                               \
      std::fprintf(stderr, "rule broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      __builtin_trap();                                                               \
    }                                                                                 \
  } while (false)
