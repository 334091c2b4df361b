// Plain geometry shared by painting code on every platform: rectangles,
// points and sizes in device pixels. Rectangles are half-open: Right and
// Bottom lie just outside, as the window system counts them.
#pragma once

#include <algorithm>

struct TPoint {
  int X = 0;
  int Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int x, int y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  constexpr TSize() = default;
  constexpr TSize(int w, int h) : cx(w), cy(h) {}
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(int left, int top, int right, int bottom)
      : Left(left), Top(top), Right(right), Bottom(bottom) {}
  constexpr TRect(TPoint topLeft, TPoint bottomRight)
      : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const {
    return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
  }
  constexpr void Offset(int dx, int dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
constexpr bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }

// Intersection of two rectangles; an empty result is all zeroes, as the
// window system reports it, and the return value says whether they overlap.
constexpr bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
  TRect r(std::max(a.Left, b.Left), std::max(a.Top, b.Top),
          std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom));
  if (r.IsEmpty()) {
    dest = TRect();
    return false;
  }
  dest = r;
  return true;
}

// Smallest rectangle holding both; an empty operand does not count.
constexpr bool UnionRect(TRect& dest, const TRect& a, const TRect& b) {
  if (a.IsEmpty()) { dest = b.IsEmpty() ? TRect() : b; return !b.IsEmpty(); }
  if (b.IsEmpty()) { dest = a; return true; }
  dest = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top),
               std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
  return true;
}
