// TGapVector: a sequence of small trivially copyable records with a gap at
// the last edit position, so that runs of inserts and deletes near one place
// (typing Enter, deleting a block line by line) cost O(1) each instead of
// moving every record behind them. Reading by index costs one compare.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>

template <class T>
class TGapVector {
  static_assert(std::is_trivially_copyable_v<T>, "records are moved with memmove");

public:
  TGapVector() = default;
  TGapVector(const TGapVector&) = delete;
  TGapVector& operator=(const TGapVector&) = delete;

  size_t Size() const { return FCapacity - FGapLen; }
  size_t Capacity() const { return FCapacity; }

  T& operator[](size_t i) { return FBody[i < FGapStart ? i : i + FGapLen]; }
  const T& operator[](size_t i) const { return FBody[i < FGapStart ? i : i + FGapLen]; }

  void Clear() {
    FGapStart = 0;
    FGapLen = FCapacity;
  }

  // Drops everything and makes room for exactly n records.
  void ClearAndReserve(size_t n) {
    if (n != FCapacity) {
      FBody = std::make_unique_for_overwrite<T[]>(n);
      FCapacity = n;
    }
    Clear();
  }

  void Reserve(size_t n) {
    if (n > FCapacity) Grow(n);
  }

  void Insert(size_t i, const T& value) {
    if (FGapLen == 0) Grow(FCapacity < 16 ? 16 : FCapacity + FCapacity / 2);
    MoveGap(i);
    FBody[FGapStart++] = value;
    --FGapLen;
  }

  void PushBack(const T& value) { Insert(Size(), value); }

  // Appends n records left for the caller to fill (through the pointer,
  // before any other change); makes room when needed.
  T* Extend(size_t n) {
    if (n == 0) return nullptr;
    if (FGapLen < n) Grow(FCapacity + n);
    MoveGap(Size());
    T* out = &FBody[FGapStart];
    FGapStart += n;
    FGapLen -= n;
    return out;
  }

  void Erase(size_t i) {
    MoveGap(i + 1);
    --FGapStart;
    ++FGapLen;
  }

  // Hands back the memory of an empty vector.
  void ShrinkWhenEmpty() {
    if (Size() == 0 && FCapacity > 64) {
      FBody.reset();
      FCapacity = FGapStart = FGapLen = 0;
    }
  }

private:
  // invariant: records [0, FGapStart) and [FGapStart + FGapLen, FCapacity)
  // of FBody are the live ones, in order.
  void MoveGap(size_t pos) {
    if (pos < FGapStart) {
      std::memmove(&FBody[pos + FGapLen], &FBody[pos], (FGapStart - pos) * sizeof(T));
    } else if (pos > FGapStart) {
      std::memmove(&FBody[FGapStart], &FBody[FGapStart + FGapLen], (pos - FGapStart) * sizeof(T));
    }
    FGapStart = pos;
  }

  void Grow(size_t newCapacity) {
    auto body = std::make_unique_for_overwrite<T[]>(newCapacity);
    const size_t tail = FCapacity - FGapStart - FGapLen;
    if (FGapStart) std::memcpy(&body[0], &FBody[0], FGapStart * sizeof(T));
    if (tail) std::memcpy(&body[newCapacity - tail], &FBody[FCapacity - tail], tail * sizeof(T));
    FGapLen += newCapacity - FCapacity;
    FCapacity = newCapacity;
    FBody = std::move(body);
  }

  std::unique_ptr<T[]> FBody;
  size_t FCapacity = 0;
  size_t FGapStart = 0;
  size_t FGapLen = 0;
};
