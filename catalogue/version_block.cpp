// The soundness check of a version block. Every node is a 16-bit length, a
// 16-bit value length, a 16-bit type (0 binary, 1 text), a UTF-16 key ending
// in a zero, the value and the children, each starting on a 4-byte boundary.
// The system's version queries walk the nodes by these lengths (the ANSI one
// also writes a copy of a text behind the resource), so a length that lies
// reads and writes outside the block.
#include "catalogue/version_block.h"

#include <windows.h>

namespace {

const size_t kHeader = 3 * sizeof(WORD);
// Resource, string file info, string table, string: deeper is never sound.
const int kMaxDepth = 4;

size_t Align4(size_t offset) { return (offset + 3) & ~size_t(3); }

class CBlockCheck {
public:
  CBlockCheck(const char* block, size_t end)
      : m_block(reinterpret_cast<const unsigned char*>(block)), m_nEnd(end) {}

  // The node at `start`, inside [start, limit), and all below it.
  bool NodeIsSound(size_t start, size_t limit, int depth) const {
    if (depth > kMaxDepth || start > limit || limit - start < kHeader)
      return false;
    size_t length = Word(start), valueLength = Word(start + 2), type = Word(start + 4);
    if (type > 1 || length < kHeader || length > limit - start)
      return false;
    size_t end = start + length;
    size_t key = start + kHeader;
    for (;; key += 2) {
      if (key + 2 > end)
        return false;
      if (Word(key) == 0)
        break;
    }
    // Some resource compilers count a text's bytes rather than its
    // characters, so a text may seem to run past its node; it is read
    // harmlessly as long as it ends inside the resource.
    size_t value = Align4(key + 2);
    size_t valueBytes = valueLength * (type == 1 ? 2 : 1);
    size_t valueLimit = type == 1 ? m_nEnd : end;
    if (valueBytes > 0 && (value > valueLimit || valueBytes > valueLimit - value))
      return false;
    for (size_t child = Align4(value + valueBytes); child < end; child += Align4(Word(child))) {
      if (!NodeIsSound(child, end, depth + 1))
        return false;
    }
    return true;
  }

  size_t Word(size_t offset) const { return m_block[offset] | m_block[offset + 1] << 8; }

private:
  const unsigned char* m_block;
  size_t m_nEnd; // of the resource
};

} // namespace

bool IsSoundVersionBlock(const char* block, size_t size) {
  if (size < kHeader)
    return false;
  // The resource, then the room for the ANSI copies of its texts.
  size_t length = static_cast<unsigned char>(block[0]) | static_cast<unsigned char>(block[1]) << 8;
  CBlockCheck check(block, length);
  return 2 * length + sizeof(DWORD) <= size && check.NodeIsSound(0, length, 1);
}
