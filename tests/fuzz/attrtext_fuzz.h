// The body of the attributed-text fuzz target, shared by the libFuzzer build
// (clang) and the test that replays the kept inputs (the normal build).
#pragma once

#include <cstddef>
#include <cstdint>

// Arbitrary bytes as mark-up: the first two choose the width, the rest is the
// text in UTF-16 (little-endian). The text is compiled, checked, queried and
// drawn; returns 0 and aborts on a broken property.
int FuzzAttrText(const uint8_t* data, size_t size);
