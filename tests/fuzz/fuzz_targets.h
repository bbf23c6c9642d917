// The bodies of the fuzz targets, shared by the libFuzzer builds (clang) and by
// the test that replays the kept inputs (the normal build). Each returns 0 and
// aborts on a broken property.
#pragma once

#include <cstddef>
#include <cstdint>

// Arbitrary bytes as a settings file: as they come, and again behind a correct
// check sequence so that they reach the line parser. Whatever loads must save
// and load again to the same pairs.
int FuzzSettingsFile(const uint8_t* data, size_t size);
// Arbitrary bytes as a file for the simple file reader: the first nine choose
// offset, length and mode, the rest is the file.
int FuzzFileReader(const uint8_t* data, size_t size);
