// The TRESK build tools as a Zig package (Zig 0.15.2): the artifacts tresk_charsmith, the
// program, and tresk_ord2utf32, the object, for the target and optimisation asked for. A
// library's build.zig takes the program built for the machine that runs the build
// (b.graph.host) and the object built for its target. `zig build test` runs the suite's
// checks of them that can run here, the suite's own scripts, with CMake.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
const std = @import("std");

const warnings = [_][]const u8{ "-Wall", "-Wextra", "-Wpedantic" };

pub fn build(b: *std.Build) void {
    const target = b.standardTargetOptions(.{});
    const optimize = b.standardOptimizeOption(.{});

    // The program, compiled as one unit of the sources that charsmith/sources.txt lists, as
    // every build of it is, without exceptions or RTTI, and, as other compilers build it,
    // without checks of undefined behaviour: it runs once, in a library's build.
    const unit = b.addWriteFiles().add("tresk_charsmith_unit.cc", unitSource(b));
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
    charsmith.root_module.addIncludePath(b.path("charsmith"));
    charsmith.root_module.addCSourceFile(.{
        .file = unit,
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

    // The checks are the tools' own: a library's build that takes them as a dependency
    // registers none, and looks for no program of theirs.
    if (b.dep_prefix.len == 0) addTests(b, target, charsmith, ord2utf32);
}

// The #include of each C++ source of charsmith/sources.txt.
fn unitSource(b: *std.Build) []const u8 {
    const list = b.build_root.handle.readFileAlloc(b.allocator, "charsmith/sources.txt", 1 << 16) catch |err|
        std.debug.panic("cannot read charsmith/sources.txt: {s}", .{@errorName(err)});
    var unit: std.ArrayList(u8) = .empty;
    unit.appendSlice(b.allocator, "// tresk_charsmith as one unit, written from its list of sources.\n") catch @panic("OOM");
    var lines = std.mem.tokenizeAny(u8, list, "\r\n");
    while (lines.next()) |line| {
        if (line[0] != '#' and std.mem.endsWith(u8, line, ".cc"))
            unit.writer(b.allocator).print("#include \"{s}\"\n", .{line}) catch @panic("OOM");
    }
    return unit.items;
}

// `zig build test`: the files checked as the target's tools read them (ELF and Mach-O); where
// the target's programs run here, the program as a command and its tables equal to the
// shipped copy. The checks are the suite's scripts, run with CMake.
fn addTests(b: *std.Build, target: std.Build.ResolvedTarget, charsmith: *std.Build.Step.Compile, ord2utf32: *std.Build.Step.Compile) void {
    const test_step = b.step("test", "Run the suite's checks of the program and the object");
    const cmake = b.findProgram(&.{"cmake"}, &.{}) catch {
        test_step.dependOn(&b.addFail("zig build test runs the suite's checks with cmake, which is not on the PATH").step);
        return;
    };
    const t = target.result;
    const system: []const u8 = switch (t.os.tag) {
        .linux => "Linux",
        .freebsd => "FreeBSD",
        .netbsd => "NetBSD",
        .macos => "Darwin",
        .windows => "Windows",
        else => @tagName(t.os.tag),
    };
    if (t.ofmt == .elf or t.ofmt == .macho) {
        const deliverables = b.addSystemCommand(&.{cmake});
        deliverables.addPrefixedFileArg("-DOBJECT=", ord2utf32.getEmittedBin());
        deliverables.addPrefixedFileArg("-DCHARSMITH=", charsmith.getEmittedBin());
        deliverables.addArgs(&.{
            b.fmt("-DSYSTEM={s}", .{system}),
            b.fmt("-DPROCESSOR={s}", .{@tagName(t.cpu.arch)}),
            b.fmt("-DSTATIC={s}", .{if (t.abi.isMusl()) "ON" else "OFF"}),
            b.fmt("-DREADELF={s}", .{b.findProgram(&.{ "readelf", "llvm-readelf", "llvm-readelf-14" }, &.{}) catch "readelf"}),
            b.fmt("-DNM={s}", .{b.findProgram(&.{ "llvm-nm", "llvm-nm-14", "nm" }, &.{}) catch "nm"}),
            b.fmt("-DOTOOL={s}", .{b.findProgram(&.{ "otool", "llvm-otool", "llvm-otool-14" }, &.{}) catch "otool"}),
            "-P",
        });
        deliverables.addFileArg(b.path("tests/check_deliverables.cmake"));
        test_step.dependOn(&deliverables.step);
    }
    const host = b.graph.host.result;
    if (t.os.tag != host.os.tag or t.cpu.arch != host.cpu.arch or t.abi != host.abi) return;

    const command_line = b.addSystemCommand(&.{cmake});
    command_line.addPrefixedFileArg("-DCHARSMITH=", charsmith.getEmittedBin());
    _ = command_line.addPrefixedOutputDirectoryArg("-DDIR=", "command_line");
    command_line.addArgs(&.{ b.fmt("-DSYSTEM={s}", .{system}), "-P" });
    command_line.addFileArg(b.path("tests/command_line.cmake"));
    test_step.dependOn(&command_line.step);

    const write = b.addRunArtifact(charsmith);
    const tables = write.addOutputFileArg("tresk_chartables.c");
    const shipped = b.addSystemCommand(&.{ cmake, "-E", "compare_files" });
    shipped.addFileArg(tables);
    shipped.addFileArg(b.path("examples/library/tresk_chartables.c.dist"));
    test_step.dependOn(&shipped.step);
}
