#include "DoubleChain.h"

#include <cstring>
#include <new>

namespace {

DCNode* Find(const DoubleChain* chain, const char* key) {
  size_t length = std::strlen(key);
  for (DCNode* node = chain->first; node; node = node->next)
    if (node->key.size() == length && std::memcmp(node->key.data(), key, length) == 0) return node;
  return nullptr;
}

void Unlink(DoubleChain* chain, DCNode* node) {
  if (chain->cursor == node) chain->cursor = node->next;
  (node->prev ? node->prev->next : chain->first) = node->next;
  (node->next ? node->next->prev : chain->last) = node->prev;
  --chain->count;
  delete node;
}

}  // namespace

DoubleChain::~DoubleChain() { DC_Clear(this); }

int32_t DC_Insert(DoubleChain* chain, const char* key, const char* value) {
  if (!chain || !key || !value) return DC_BAD_ARGUMENT;
  try {
    if (DCNode* node = Find(chain, key)) {
      if (node->value != value) node->value = value;
      return DC_OK;
    }
    auto* node = new DCNode{key, value, chain->last, nullptr};
    (chain->last ? chain->last->next : chain->first) = node;
    chain->last = node;
    ++chain->count;
    return DC_OK;
  } catch (const std::bad_alloc&) {
    return DC_NO_MEMORY;
  }
}

const char* DC_Search(const DoubleChain* chain, const char* key) {
  if (!chain || !key) return nullptr;
  DCNode* node = Find(chain, key);
  return node ? node->value.c_str() : nullptr;
}

int32_t DC_Delete(DoubleChain* chain, const char* key) {
  if (!chain || !key) return DC_NOT_FOUND;
  DCNode* node = Find(chain, key);
  if (!node) return DC_NOT_FOUND;
  Unlink(chain, node);
  return DC_OK;
}

int32_t DC_AdvanceDelete(DoubleChain* chain, const char* prefix) {
  if (!chain || !prefix) return DC_NOT_FOUND;
  size_t length = std::strlen(prefix);
  for (DCNode* node = chain->first; node;) {
    DCNode* next = node->next;
    if (node->key.size() >= length && std::memcmp(node->key.data(), prefix, length) == 0) Unlink(chain, node);
    node = next;
  }
  return DC_OK;
}

void DC_Clear(DoubleChain* chain) {
  if (!chain) return;
  for (DCNode* node = chain->first; node;) {
    DCNode* next = node->next;
    delete node;
    node = next;
  }
  chain->first = chain->last = chain->cursor = nullptr;
  chain->count = 0;
}

int32_t DC_GetNum(const DoubleChain* chain) { return chain ? chain->count : 0; }

int32_t DC_Dump(DoubleChain* chain, const char** key, const char** value) {
  if (!chain) return DC_BAD_ARGUMENT;
  if (!key || !value) {
    if (!key && !value) chain->cursor = chain->first;
    return DC_BAD_ARGUMENT;
  }
  if (!chain->cursor) return DC_END;
  *key = chain->cursor->key.c_str();
  *value = chain->cursor->value.c_str();
  chain->cursor = chain->cursor->next;
  return DC_OK;
}
