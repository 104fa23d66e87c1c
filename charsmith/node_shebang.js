#!/usr/bin/env node
// Emscripten: the program's first line, so that it runs as a command where node is installed.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
