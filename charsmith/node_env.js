// Emscripten: the program sees the environment node was given, not Emscripten's own
// defaults, so that -L reads the caller's LC_ALL.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
Module['preRun'] = [function () {
  for (var name in ENV) delete ENV[name];
  Object.assign(ENV, process.env);
}];
