// Runs a WASI program under node's WASI module, as an emulator does:
//   node --no-warnings wasi-run.mjs <program.wasm> [arguments...]
// The program sees the whole file system from '/', node's environment, and ends with its own
// status. A WASI program has no current folder: a file named relatively (an argument that is
// not an option) is passed by its absolute path.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
import { WASI } from 'node:wasi';
import { readFile } from 'node:fs/promises';
import { resolve } from 'node:path';

const [program, ...args] = process.argv.slice(2);
const files = args.map((arg) => (arg.startsWith('-') ? arg : resolve(arg)));
const wasi = new WASI({ version: 'preview1', args: [program, ...files], env: process.env,
                        preopens: { '/': '/' } });
const module = await WebAssembly.compile(await readFile(program));
process.exitCode = wasi.start(await WebAssembly.instantiate(module, wasi.getImportObject()));
