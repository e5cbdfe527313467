// A growable array, standing in for the framework's CArray<TYPE, ARG_TYPE>.
#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray {
  public:
    int GetSize() const { return static_cast<int>(items_.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return items_.empty(); }

    // Appends one element and answers its index.
    int Add(ARG_TYPE item) {
        items_.push_back(item);
        return GetSize() - 1;
    }
    // Empties the array and gives its storage back.
    void RemoveAll() { std::vector<TYPE>().swap(items_); }
    void SetSize(int size) { items_.resize(size < 0 ? 0 : static_cast<std::size_t>(size)); }

    TYPE& operator[](int index) { return ElementAt(index); }
    const TYPE& operator[](int index) const { return GetAt(index); }
    const TYPE& GetAt(int index) const {
        assert(index >= 0 && index < GetSize());
        return items_[static_cast<std::size_t>(index)];
    }
    TYPE& ElementAt(int index) {
        assert(index >= 0 && index < GetSize());
        return items_[static_cast<std::size_t>(index)];
    }
    TYPE* GetData() { return items_.empty() ? nullptr : items_.data(); }
    const TYPE* GetData() const { return items_.empty() ? nullptr : items_.data(); }

  private:
    std::vector<TYPE> items_;
};
