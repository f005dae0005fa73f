#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace DuiLib {

// The hash of the manager's name tables: the characters from last to first, hash * 33 + c.
inline uint32_t NameHash(std::wstring_view name) {
    uint32_t hash = 0;
    for (auto it = name.rbegin(); it != name.rend(); ++it) {
        hash = hash * 33u + static_cast<uint32_t>(*it);
    }
    return hash;
}

// A map from exact names to values in 83 chained buckets. Set replaces the value of an existing
// name; Insert refuses one.
template <typename Value>
class CNameMap {
public:
    static constexpr size_t kBuckets = 83;

    static size_t BucketOf(std::wstring_view name) { return NameHash(name) % kBuckets; }

    bool Insert(std::wstring_view name, Value value) {
        if (Find(name) != nullptr) {
            return false;
        }
        buckets_[BucketOf(name)].emplace_back(std::wstring(name), std::move(value));
        ++size_;
        return true;
    }

    void Set(std::wstring_view name, Value value) {
        if (Value* existing = Find(name)) {
            *existing = std::move(value);
        } else {
            Insert(name, std::move(value));
        }
    }

    Value* Find(std::wstring_view name) {
        for (auto& entry : buckets_[BucketOf(name)]) {
            if (entry.first == name) {
                return &entry.second;
            }
        }
        return nullptr;
    }
    const Value* Find(std::wstring_view name) const {
        return const_cast<CNameMap*>(this)->Find(name);
    }

    bool Remove(std::wstring_view name) {
        auto& bucket = buckets_[BucketOf(name)];
        for (auto it = bucket.begin(); it != bucket.end(); ++it) {
            if (it->first == name) {
                bucket.erase(it);
                --size_;
                return true;
            }
        }
        return false;
    }

    // Calls visit(name, value) for every entry; visit returns false to remove the entry.
    template <typename Visit>
    void Filter(Visit visit) {
        for (auto& bucket : buckets_) {
            for (size_t i = 0; i < bucket.size();) {
                if (visit(bucket[i].first, bucket[i].second)) {
                    ++i;
                } else {
                    bucket.erase(bucket.begin() + static_cast<std::ptrdiff_t>(i));
                    --size_;
                }
            }
        }
    }

    void Clear() {
        for (auto& bucket : buckets_) {
            bucket.clear();
        }
        size_ = 0;
    }
    size_t Size() const { return size_; }

private:
    std::array<std::vector<std::pair<std::wstring, Value>>, kBuckets> buckets_;
    size_t size_ = 0;
};

}  // namespace DuiLib
