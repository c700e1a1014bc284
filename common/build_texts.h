#pragma once
// Texts that name the build: the word size is fixed at compile time by the
// pointer size, so one source gives both the x86-64 and the 32-bit texts.
#include <string>

constexpr bool build_is_64 = sizeof(void*) == 8;
constexpr const char* build_bits = build_is_64 ? "64" : "32";
constexpr const char* build_system = build_is_64 ? "x86_64bit" : "x86_32bit";

// "Quorvel :: Tamberlin Benchmark <title> for x86_64bit system 2013.09.13."
std::string banner(const char* title);
// "results_<program>_64.txt"
std::string results_file_name(const char* program);
// "OPENGL <title> 64"
std::string window_title(const char* title);
