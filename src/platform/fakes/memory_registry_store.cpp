#include "platform/fakes/memory_registry_store.h"

#include <algorithm>
#include <utility>

#include "platform/ascii.h"

namespace korvane {

struct MemoryRegistryStore::Node {
  std::string name;
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;
  std::vector<std::pair<std::string, RegistryValue>> values;

  Node* Child(std::string_view child_name) const {
    for (const auto& child : children) {
      if (EqualsIgnoreAsciiCase(child->name, child_name)) return child.get();
    }
    return nullptr;
  }
  std::pair<std::string, RegistryValue>* Value(std::string_view value_name) {
    for (auto& entry : values) {
      if (EqualsIgnoreAsciiCase(entry.first, value_name)) return &entry;
    }
    return nullptr;
  }
  std::string Path() const {
    if (!parent) return std::string();
    std::string above = parent->Path();
    return above.empty() ? name : above + "\\" + name;
  }
};

namespace {

// Splits "a\b\c" into its names; empty when a name is empty. A single
// leading backslash is accepted, as callers write most paths that way.
bool SplitPath(std::string_view path, std::vector<std::string_view>* names) {
  names->clear();
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  if (path.empty()) return true;
  while (true) {
    const auto cut = path.find('\\');
    const std::string_view name = path.substr(0, cut);
    if (name.empty()) return false;
    names->push_back(name);
    if (cut == std::string_view::npos) return true;
    path.remove_prefix(cut + 1);
  }
}

}  // namespace

class MemoryRegistryStore::Key : public RegistryKey {
 public:
  Key(MemoryRegistryStore& store, RegistryRoot root, Node* node, bool writable)
      : store_(store), root_(root), node_(node), writable_(writable) {}

  bool Query(std::string_view name, RegistryValue* value) override {
    const auto* entry = node_->Value(name);
    if (!entry) return false;
    *value = entry->second;
    return true;
  }

  bool Set(std::string_view name, std::uint32_t type,
           const std::vector<std::uint8_t>& data) override {
    if (!writable_) return false;
    RegistryValue value{type, data};
    if (auto* entry = node_->Value(name)) {
      entry->second = value;
    } else {
      node_->values.emplace_back(std::string(name), value);
    }
    store_.writes_.push_back(
        {Write::Kind::kSet, root_, node_->Path(), std::string(name), std::move(value)});
    return true;
  }

  bool Delete(std::string_view name) override {
    if (!writable_) return false;
    auto& values = node_->values;
    const auto it = std::find_if(values.begin(), values.end(), [&](const auto& entry) {
      return EqualsIgnoreAsciiCase(entry.first, name);
    });
    if (it == values.end()) return false;
    values.erase(it);
    store_.writes_.push_back(
        {Write::Kind::kDelete, root_, node_->Path(), std::string(name), RegistryValue{}});
    return true;
  }

  bool List(std::vector<NamedValue>* values) override {
    values->clear();
    for (const auto& entry : node_->values) values->push_back({entry.first, entry.second});
    return true;
  }

 private:
  MemoryRegistryStore& store_;
  RegistryRoot root_;
  Node* node_;
  bool writable_;
};

MemoryRegistryStore::MemoryRegistryStore()
    : local_machine_(std::make_unique<Node>()), current_user_(std::make_unique<Node>()) {}

MemoryRegistryStore::~MemoryRegistryStore() = default;

MemoryRegistryStore::Node* MemoryRegistryStore::RootNode(RegistryRoot root) const {
  return root == RegistryRoot::kLocalMachine ? local_machine_.get() : current_user_.get();
}

MemoryRegistryStore::Node* MemoryRegistryStore::Find(RegistryRoot root,
                                                     std::string_view path) const {
  std::vector<std::string_view> names;
  if (!SplitPath(path, &names)) return nullptr;
  Node* node = RootNode(root);
  for (const auto name : names) {
    node = node->Child(name);
    if (!node) return nullptr;
  }
  return node;
}

MemoryRegistryStore::Node* MemoryRegistryStore::FindOrCreate(RegistryRoot root,
                                                             std::string_view path) {
  std::vector<std::string_view> names;
  if (!SplitPath(path, &names)) return nullptr;
  Node* node = RootNode(root);
  for (const auto name : names) {
    Node* child = node->Child(name);
    if (!child) {
      node->children.push_back(std::make_unique<Node>());
      child = node->children.back().get();
      child->name = std::string(name);
      child->parent = node;
    }
    node = child;
  }
  return node;
}

std::unique_ptr<RegistryKey> MemoryRegistryStore::Open(RegistryRoot root, std::string_view path,
                                                       KeyAccess access) {
  Node* node = access == KeyAccess::kCreate ? FindOrCreate(root, path) : Find(root, path);
  if (!node) return nullptr;
  return std::make_unique<Key>(*this, root, node, access != KeyAccess::kRead);
}

void MemoryRegistryStore::Put(RegistryRoot root, std::string_view path, std::string_view name,
                              RegistryValue value) {
  Node* node = FindOrCreate(root, path);
  if (!node) return;
  if (auto* entry = node->Value(name)) {
    entry->second = std::move(value);
  } else {
    node->values.emplace_back(std::string(name), std::move(value));
  }
}

void MemoryRegistryStore::PutString(RegistryRoot root, std::string_view path, std::string_view name,
                                    std::string_view text) {
  Put(root, path, name, StringValue(text));
}

void MemoryRegistryStore::PutDword(RegistryRoot root, std::string_view path, std::string_view name,
                                   std::uint32_t value) {
  Put(root, path, name, DwordValue(value));
}

void MemoryRegistryStore::PutBinary(RegistryRoot root, std::string_view path, std::string_view name,
                                    std::vector<std::uint8_t> bytes) {
  Put(root, path, name, BinaryValue(std::move(bytes)));
}

void MemoryRegistryStore::CreateKey(RegistryRoot root, std::string_view path) {
  FindOrCreate(root, path);
}

void MemoryRegistryStore::DeleteKey(RegistryRoot root, std::string_view path) {
  Node* node = Find(root, path);
  if (!node || !node->parent) return;
  auto& siblings = node->parent->children;
  const auto it = std::find_if(siblings.begin(), siblings.end(),
                               [&](const auto& child) { return child.get() == node; });
  deleted_.push_back(std::move(*it));
  siblings.erase(it);
}

bool MemoryRegistryStore::DeleteKeyIfEmpty(RegistryRoot root, std::string_view path) {
  const Node* node = Find(root, path);
  if (!node || !node->parent || !node->values.empty() || !node->children.empty()) return false;
  DeleteKey(root, path);
  return true;
}

bool MemoryRegistryStore::KeyExists(RegistryRoot root, std::string_view path) const {
  return Find(root, path) != nullptr;
}

std::optional<RegistryValue> MemoryRegistryStore::Get(RegistryRoot root, std::string_view path,
                                                      std::string_view name) const {
  Node* node = Find(root, path);
  if (!node) return std::nullopt;
  const auto* entry = node->Value(name);
  if (!entry) return std::nullopt;
  return entry->second;
}

std::optional<std::string> MemoryRegistryStore::GetString(RegistryRoot root, std::string_view path,
                                                          std::string_view name) const {
  const auto value = Get(root, path, name);
  if (!value || (value->type != kRegString && value->type != kRegExpandString)) {
    return std::nullopt;
  }
  std::string text(value->data.begin(), value->data.end());
  return text.substr(0, text.find('\0'));
}

std::optional<std::uint32_t> MemoryRegistryStore::GetDword(RegistryRoot root, std::string_view path,
                                                           std::string_view name) const {
  const auto value = Get(root, path, name);
  if (!value || value->type != kRegDword || value->data.size() != 4) return std::nullopt;
  const auto& d = value->data;
  return static_cast<std::uint32_t>(d[0] | (d[1] << 8) | (d[2] << 16) |
                                    (static_cast<std::uint32_t>(d[3]) << 24));
}

std::vector<std::string> MemoryRegistryStore::ValueNames(RegistryRoot root,
                                                         std::string_view path) const {
  std::vector<std::string> names;
  if (Node* node = Find(root, path)) {
    for (const auto& entry : node->values) names.push_back(entry.first);
  }
  return names;
}

RegistryValue StringValue(std::string_view text) {
  RegistryValue value{kRegString, std::vector<std::uint8_t>(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

RegistryValue DwordValue(std::uint32_t v) {
  return RegistryValue{kRegDword,
                       {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                        static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)}};
}

RegistryValue BinaryValue(std::vector<std::uint8_t> bytes) {
  return RegistryValue{kRegBinary, std::move(bytes)};
}

}  // namespace korvane
