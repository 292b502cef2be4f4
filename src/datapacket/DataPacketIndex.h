#pragma once
// Record positions grouped by an integer key. Each group keeps the order in which the
// positions were given, so a group built over the ordered records is itself ordered, and
// finding the records of one key costs no scan of the table.
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace orvelin {

class KeyIndex {
public:
    // keyOf(position, key&) answers false for a position that belongs to no group.
    template <typename KeyOf>
    void Build(std::span<const int> positions, KeyOf keyOf) {
        groups_.clear();
        std::vector<Range*> groupOf(positions.size(), nullptr);
        for (size_t i = 0; i < positions.size(); ++i) {
            int64_t key = 0;
            if (!keyOf(positions[i], key)) continue;
            Range& range = groups_[key];
            ++range.count;
            groupOf[i] = &range;
        }
        int next = 0;
        for (auto& [key, range] : groups_) {
            range.begin = next;
            next += range.count;
            range.count = 0;
        }
        positions_.assign(next, 0);
        for (size_t i = 0; i < positions.size(); ++i)
            if (Range* range = groupOf[i]) positions_[range->begin + range->count++] = positions[i];
    }

    std::span<const int> Find(int64_t key) const {
        const auto found = groups_.find(key);
        if (found == groups_.end()) return {};
        return std::span<const int>(positions_).subspan(found->second.begin, found->second.count);
    }

private:
    struct Range {
        int begin = 0;
        int count = 0;
    };
    std::unordered_map<int64_t, Range> groups_;   // node-based: a Range stays put while building
    std::vector<int> positions_;
};

// One key for a pair of 32-bit values.
inline int64_t PairKey(int first, int second) {
    return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(first)) << 32) |
                                static_cast<uint32_t>(second));
}

}  // namespace orvelin
