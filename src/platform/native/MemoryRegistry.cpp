// In-memory registry backend. Keys form a tree of nodes; open handles keep
// their node alive, so a key deleted while open fails further use instead of
// dangling, as a real handle to a deleted key does.
//
// Order: Wine's registry keeps both subkeys and values sorted by name,
// comparing the names' Unicode characters after lowering their case (so "_x"
// and "[x" come before "a", "10" before "9", "ab" before "abc"). The names
// here are Windows-1252 bytes; each is compared as the Unicode character that
// code page maps it to, lowered.
#include "platform/native/MemoryRegistry.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "platform/RegistryBackend.h"

namespace {

// Windows-1252 bytes 0x80-0x9F as Unicode; the rest map to themselves.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The collation weight of one byte: its Unicode character, lowered.
struct TWeights {
  uint16_t W[256];
  TWeights() {
    for (int b = 0; b < 256; ++b) {
      uint16_t u = (b >= 0x80 && b < 0xA0) ? kHighControls[b - 0x80] : uint16_t(b);
      if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) u = uint16_t(u + 32);
      else if (u == 0x0160 || u == 0x0152 || u == 0x017D) u = uint16_t(u + 1);
      else if (u == 0x0178) u = 0x00FF;
      W[b] = u;
    }
  }
};

int CompareNames(const std::string& a, const std::string& b) {
  static const TWeights weights;
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    uint16_t wa = weights.W[static_cast<unsigned char>(a[i])];
    uint16_t wb = weights.W[static_cast<unsigned char>(b[i])];
    if (wa != wb) return wa < wb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

struct TValue {
  std::string Name;
  uint32_t Type = 0;
  std::string Data;
};

struct TNode {
  std::string Name;
  std::vector<std::shared_ptr<TNode>> Keys;  // sorted by CompareNames
  std::vector<TValue> Values;                // sorted by CompareNames
  bool Deleted = false;
};

template <typename Vec, typename NameOf>
auto LowerBound(Vec& v, const std::string& name, NameOf nameOf) {
  return std::lower_bound(v.begin(), v.end(), name, [&](const auto& item, const std::string& n) {
    return CompareNames(nameOf(item), n) < 0;
  });
}

const std::string& KeyName(const std::shared_ptr<TNode>& n) { return n->Name; }
const std::string& ValueName(const TValue& v) { return v.Name; }

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t i = 0;
  while (i <= path.size()) {
    size_t j = path.find('\\', i);
    if (j == std::string::npos) j = path.size();
    if (j > i) parts.push_back(path.substr(i, j - i));  // "a\\b" and "a\" are fine
    i = j + 1;
  }
  return parts;
}

void MarkDeleted(TNode& node) {
  node.Deleted = true;
  for (auto& k : node.Keys) MarkDeleted(*k);
}

class TMemoryRegistry final : public TRegistryBackend {
public:
  TMemoryRegistry() { ResetLocked(); }

  std::atomic<int> WriteBudget{-1};

  void Reset() {
    std::lock_guard<std::mutex> lock(FMutex);
    ResetLocked();
  }

  TRegKeyHandle RootKey(TRegRootKey root) override { return TRegKeyHandle(root) + 1; }

  bool OpenKey(TRegKeyHandle parent, const std::string& subKey, bool create, bool writeAccess,
               TRegKeyHandle& result) override {
    std::lock_guard<std::mutex> lock(FMutex);
    result = 0;
    std::shared_ptr<TNode> node = Resolve(parent);
    // The real API refuses a subkey path that starts with a separator.
    if (!node || (!subKey.empty() && subKey[0] == '\\')) return false;
    for (const std::string& part : SplitPath(subKey)) {
      if (part.size() > kMaxKeyName) return false;
      auto it = LowerBound(node->Keys, part, KeyName);
      if (it != node->Keys.end() && CompareNames((*it)->Name, part) == 0) {
        node = *it;
      } else if (create) {
        auto child = std::make_shared<TNode>();
        child->Name = part;
        node->Keys.insert(it, child);
        node = child;
      } else {
        return false;
      }
    }
    result = FNextHandle++;
    FHandles[result] = THandle{node, writeAccess};
    return true;
  }

  void CloseKey(TRegKeyHandle key) override {
    std::lock_guard<std::mutex> lock(FMutex);
    FHandles.erase(key);
  }

  bool DeleteKey(TRegKeyHandle parent, const std::string& subKey) override {
    std::lock_guard<std::mutex> lock(FMutex);
    std::shared_ptr<TNode> node = Resolve(parent);
    std::vector<std::string> parts = SplitPath(subKey);
    if (!node || parts.empty() || subKey[0] == '\\') return false;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      node = Find(node, parts[i]);
      if (!node) return false;
    }
    auto it = LowerBound(node->Keys, parts.back(), KeyName);
    if (it == node->Keys.end() || CompareNames((*it)->Name, parts.back()) != 0) return false;
    if (!(*it)->Keys.empty()) return false;  // the real store refuses too
    MarkDeleted(**it);
    node->Keys.erase(it);
    return true;
  }

  bool EnumKeys(TRegKeyHandle key, std::vector<std::string>& names) override {
    std::lock_guard<std::mutex> lock(FMutex);
    names.clear();
    std::shared_ptr<TNode> node = Resolve(key);
    if (!node) return false;
    for (auto& k : node->Keys) names.push_back(k->Name);
    return true;
  }

  bool EnumValues(TRegKeyHandle key, std::vector<std::string>& names) override {
    std::lock_guard<std::mutex> lock(FMutex);
    names.clear();
    std::shared_ptr<TNode> node = Resolve(key);
    if (!node) return false;
    for (auto& v : node->Values) names.push_back(v.Name);
    return true;
  }

  bool QueryValue(TRegKeyHandle key, const std::string& name, uint32_t& type,
                  std::string& data) override {
    std::lock_guard<std::mutex> lock(FMutex);
    std::shared_ptr<TNode> node = Resolve(key);
    if (!node) return false;
    auto it = LowerBound(node->Values, name, ValueName);
    if (it == node->Values.end() || CompareNames(it->Name, name) != 0) return false;
    type = it->Type;
    data = it->Data;
    return true;
  }

  bool SetValue(TRegKeyHandle key, const std::string& name, uint32_t type,
                const std::string& data) override {
    std::lock_guard<std::mutex> lock(FMutex);
    if (WriteBudget == 0) return false;
    if (WriteBudget > 0) --WriteBudget;
    std::shared_ptr<TNode> node = Resolve(key, true);
    if (!node || name.size() > kMaxValueName) return false;
    auto it = LowerBound(node->Values, name, ValueName);
    if (it != node->Values.end() && CompareNames(it->Name, name) == 0) {
      it->Type = type;  // the name keeps the case it was first written with
      it->Data = data;
    } else {
      node->Values.insert(it, TValue{name, type, data});
    }
    return true;
  }

  bool DeleteValue(TRegKeyHandle key, const std::string& name) override {
    std::lock_guard<std::mutex> lock(FMutex);
    std::shared_ptr<TNode> node = Resolve(key, true);
    if (!node) return false;
    auto it = LowerBound(node->Values, name, ValueName);
    if (it == node->Values.end() || CompareNames(it->Name, name) != 0) return false;
    node->Values.erase(it);
    return true;
  }

private:
  struct THandle {
    std::shared_ptr<TNode> Node;
    bool Write = false;
  };

  void ResetLocked() {
    for (auto& root : FRoots)
      if (root) MarkDeleted(*root);
    FHandles.clear();
    for (auto& root : FRoots) root = std::make_shared<TNode>();
    for (TRegRootKey r : {rkCurrentUser, rkLocalMachine}) {
      auto software = std::make_shared<TNode>();
      software->Name = "Software";
      FRoots[r]->Keys.push_back(software);
    }
  }

  std::shared_ptr<TNode> Find(const std::shared_ptr<TNode>& node, const std::string& name) {
    auto it = LowerBound(node->Keys, name, KeyName);
    return (it != node->Keys.end() && CompareNames((*it)->Name, name) == 0) ? *it : nullptr;
  }

  // The live node behind a handle (roots included); null for an unknown
  // handle, a deleted key, or (needWrite) a key opened read-only.
  std::shared_ptr<TNode> Resolve(TRegKeyHandle key, bool needWrite = false) {
    std::shared_ptr<TNode> node;
    if (key >= 1 && key <= kRootCount) {
      node = FRoots[key - 1];
    } else {
      auto it = FHandles.find(key);
      if (it == FHandles.end() || (needWrite && !it->second.Write)) return nullptr;
      node = it->second.Node;
    }
    return node && !node->Deleted ? node : nullptr;
  }

  static constexpr TRegKeyHandle kRootCount = rkDynData + 1;
  // The longest names the real store (Wine's) takes.
  static constexpr size_t kMaxKeyName = 256;
  static constexpr size_t kMaxValueName = 16383;
  std::mutex FMutex;
  std::shared_ptr<TNode> FRoots[kRootCount];
  std::map<TRegKeyHandle, THandle> FHandles;
  TRegKeyHandle FNextHandle = 0x1000;
};

TMemoryRegistry& Store() {
  static TMemoryRegistry store;
  return store;
}

}  // namespace

TRegistryBackend& GetRegistryBackend() { return Store(); }

void ResetMemoryRegistry() { Store().Reset(); }

void SetMemoryRegistryWriteBudget(int writes) { Store().WriteBudget = writes; }
