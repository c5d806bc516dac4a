#pragma once

#include <stdexcept>

namespace tickwell {

// A list was asked for an item it does not have. Its text is "List index out of bounds (N)".
class ListIndexError : public std::out_of_range {
public:
    explicit ListIndexError(int index);
    int index() const { return index_; }

private:
    int index_;
};

// Throws ListIndexError unless 0 <= index < count.
void checkListIndex(int index, int count);

} // namespace tickwell
