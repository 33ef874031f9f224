// The soundness check of a version block. Every node is a 16-bit length, a
// 16-bit value length, a 16-bit type (0 binary, 1 text), a UTF-16 key ending
// in a zero, the value and the children, each starting on a 4-byte boundary.
// VerQueryValueA walks the nodes by these lengths and writes the ANSI copy
// of a text behind the resource, so a length that lies reads and writes
// outside the block.
#include "catalogue/version_block.h"

#include <windows.h>

namespace {

const size_t kHeader = 3 * sizeof(WORD);
// Resource, string file info, string table, string: deeper is never sound.
const int kMaxDepth = 4;

size_t Align4(size_t offset) { return (offset + 3) & ~size_t(3); }

class CBlockCheck {
public:
  CBlockCheck(const char* block) : m_block(reinterpret_cast<const unsigned char*>(block)) {}

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
    size_t value = Align4(key + 2);
    size_t valueBytes = valueLength * (type == 1 ? 2 : 1);
    if (valueBytes > 0 && (value > end || valueBytes > end - value))
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
};

} // namespace

bool IsSoundVersionBlock(const char* block, size_t size) {
  if (size < kHeader)
    return false;
  CBlockCheck check(block);
  // The resource, then the room for the ANSI copies of its texts.
  size_t length = check.Word(0);
  return 2 * length + sizeof(DWORD) <= size && check.NodeIsSound(0, length, 1);
}
