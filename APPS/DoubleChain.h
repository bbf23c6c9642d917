// The double chain: an ordered list of 8-bit text key/value pairs, the in-memory
// image of the settings file. Keys are unique and compared byte for byte; a new
// key goes to the tail and replacing a value keeps the key's place, so the file
// keeps its line order from one save to the next.
#pragma once

#include <cstdint>
#include <string>

// Chain result codes.
enum : int32_t {
  DC_OK = 0,
  DC_NO_MEMORY = 1,
  DC_END = 2,           // the iteration cursor is past the last pair
  DC_NOT_FOUND = 3,     // key or prefix missing, or not present
  DC_BAD_ARGUMENT = 4,  // also: DC_Dump was asked to restart its iteration
};

struct DCNode {
  std::string key;
  std::string value;
  DCNode* prev = nullptr;
  DCNode* next = nullptr;
};

// Each chain keeps its own iteration cursor. A cursor shared by every chain would
// hand out another chain's pairs, and one left on a deleted node would point at
// freed memory: deleting the cursor's node moves the cursor on instead.
struct DoubleChain {
  DCNode* first = nullptr;
  DCNode* last = nullptr;
  int32_t count = 0;
  DCNode* cursor = nullptr;

  DoubleChain() = default;
  ~DoubleChain();
  DoubleChain(const DoubleChain&) = delete;
  DoubleChain& operator=(const DoubleChain&) = delete;
};

// A missing chain, key or value gives DC_BAD_ARGUMENT. An existing key takes the
// new value in its place; a new key is appended.
int32_t DC_Insert(DoubleChain* chain, const char* key, const char* value);
// The key's value (the chain's own text), or null.
const char* DC_Search(const DoubleChain* chain, const char* key);
int32_t DC_Delete(DoubleChain* chain, const char* key);
// Removes every key that begins with prefix; DC_OK also when none matched.
int32_t DC_AdvanceDelete(DoubleChain* chain, const char* prefix);
void DC_Clear(DoubleChain* chain);
int32_t DC_GetNum(const DoubleChain* chain);
// With both outputs null: restarts the iteration and gives DC_BAD_ARGUMENT. With
// outputs: hands out the cursor's pair (the chain's own texts, valid until the
// pair changes) and moves on; DC_END past the last pair.
int32_t DC_Dump(DoubleChain* chain, const char** key, const char** value);
