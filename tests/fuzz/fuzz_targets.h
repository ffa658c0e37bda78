// The fuzz targets. Each body takes one input of any bytes, runs it through a part of the
// program and checks that part's invariants; it returns "" when they hold, else what
// failed. fuzz_main.cpp makes one libFuzzer program of each, and the replay test runs
// every saved input through them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Whole sessions through the parser's evaluation entry (session_target.cpp).
std::string fFuzzSession(const uint8_t* data, size_t size);
// The unit notation reader and the shown notation of its dimension (notation_target.cpp).
std::string fFuzzNotation(const uint8_t* data, size_t size);
// Radix digits read as a value (number_target.cpp).
std::string fFuzzNumber(const uint8_t* data, size_t size);
// The console's argument reading and its JSON lines (cli_target.cpp).
std::string fFuzzCli(const uint8_t* data, size_t size);
