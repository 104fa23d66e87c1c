// The TRESK build tools as a Zig package: the artifacts tresk_charsmith, the program, and
// tresk_ord2utf32, the object, for the target and optimisation asked for. A library's
// build.zig takes the program built for the machine that runs the build (b.graph.host) and
// the object built for its target. `zig build test` runs the suite's checks of them that
// can run here, the suite's own scripts, with CMake.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
const std = @import("std");

const warnings = [_][]const u8{ "-Wall", "-Wextra", "-Wpedantic" };

pub fn build(b: *std.Build) void {
    const target = b.standardTargetOptions(.{});
    const optimize = b.standardOptimizeOption(.{});

    // The program, its one unit compiled as every build compiles it: without exceptions or
    // RTTI and, as other compilers build it, without checks of undefined behaviour (it runs
    // once, in a library's build).
    const charsmith = b.addExecutable(.{
        .name = "tresk_charsmith",
        .root_module = b.createModule(.{
            .target = target,
            .optimize = optimize,
            .link_libcpp = true,
            .sanitize_c = .off,
        }),
        // On Windows the manifest makes UTF-8 the program's code page.
        .win32_manifest = b.path("charsmith/utf8.manifest"),
    });
    charsmith.root_module.addCSourceFile(.{
        .file = b.path("charsmith/main.cc"),
        .flags = &(.{ "-std=c++20", "-fno-exceptions", "-fno-rtti" } ++ warnings),
    });
    b.installArtifact(charsmith);

    // The object, position independent, its writer hidden by its own source; it needs
    // nothing from elsewhere, not even a runtime for checks of undefined behaviour. -O2
    // whatever the optimisation, as in every other build, keeps the writer at its three
    // instructions.
    const ord2utf32 = b.addObject(.{
        .name = "tresk_ord2utf32",
        .root_module = b.createModule(.{
            .target = target,
            .optimize = optimize,
            .link_libc = true,
            .pic = true,
            .sanitize_c = .off,
        }),
    });
    ord2utf32.root_module.addCSourceFile(.{
        .file = b.path("ord2utf/ord2utf32.c"),
        .flags = &(.{ "-std=c99", "-O2" } ++ warnings),
    });
    b.getInstallStep().dependOn(&b.addInstallArtifact(ord2utf32, .{ .dest_dir = .{ .override = .lib } }).step);

    // The checks are the tools' own: a library's build that takes them registers none.
    if (b.dep_prefix.len == 0) addTests(b, target, charsmith, ord2utf32);
}

// `zig build test`: the files checked as the target's tools read them (ELF and Mach-O); where
// the target's programs run here, the program as a command and its tables equal to the
// shipped copy. The checks are the suite's scripts, run with cmake from the PATH, which find
// the tools they read themselves.
fn addTests(b: *std.Build, target: std.Build.ResolvedTarget, charsmith: *std.Build.Step.Compile, ord2utf32: *std.Build.Step.Compile) void {
    const test_step = b.step("test", "Run the suite's checks of the program and the object");
    const t = target.result;
    const system = b.fmt("-DSYSTEM={s}", .{@tagName(t.os.tag)});
    if (t.ofmt == .elf or t.ofmt == .macho) {
        const deliverables = b.addSystemCommand(&.{"cmake"});
        deliverables.addPrefixedFileArg("-DOBJECT=", ord2utf32.getEmittedBin());
        deliverables.addPrefixedFileArg("-DCHARSMITH=", charsmith.getEmittedBin());
        deliverables.addArgs(&.{
            system,
            b.fmt("-DPROCESSOR={s}", .{@tagName(t.cpu.arch)}),
            b.fmt("-DSTATIC={s}", .{if (t.abi.isMusl()) "ON" else "OFF"}),
            "-P",
        });
        deliverables.addFileArg(b.path("tests/check_deliverables.cmake"));
        test_step.dependOn(&deliverables.step);
    }
    const host = b.graph.host.result;
    if (t.os.tag != host.os.tag or t.cpu.arch != host.cpu.arch or t.abi != host.abi) return;

    const command_line = b.addSystemCommand(&.{"cmake"});
    command_line.addPrefixedFileArg("-DCHARSMITH=", charsmith.getEmittedBin());
    _ = command_line.addPrefixedOutputDirectoryArg("-DDIR=", "command_line");
    command_line.addArgs(&.{ system, "-P" });
    command_line.addFileArg(b.path("tests/command_line.cmake"));
    test_step.dependOn(&command_line.step);

    const write = b.addRunArtifact(charsmith);
    const tables = write.addOutputFileArg("tresk_chartables.c");
    const shipped = b.addSystemCommand(&.{ "cmake", "-E", "compare_files" });
    shipped.addFileArg(tables);
    shipped.addFileArg(b.path("examples/library/tresk_chartables.c.dist"));
    test_step.dependOn(&shipped.step);
}
