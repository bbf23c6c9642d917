// The product root under random input: one period of operation per input, in
// which the bytes are steps on the simulated set, with the collector run after
// every step. The GUI loop runs on the caller's thread on the set's virtual
// clock. Each step's first byte picks what it is (its value modulo 8):
//   0 to 2  a remote key: the next byte is the DirectFB hardware key code
//   3       a key of the front panel and the rest (codes 256 to 277)
//   4, 5    a middleware event record, as the middleware hands it to the
//           bridge: a byte for the number (below 200 one of the event table's
//           numbers, else the byte itself), a byte for the payload size in
//           words, then the payload (cut at the end of the input)
//   6, 7    time passes: the next byte times 50 ms of the GUI loop's turns
// Bytes past the first 512 are left out. A panic of the product, a sanitizer
// report or a broken property aborts.
#pragma once

#include <cstddef>
#include <cstdint>

int FuzzProductRoot(const uint8_t* data, size_t size);
